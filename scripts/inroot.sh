#!/usr/bin/env bash
# Runs a command in a root made by mkroot.sh: inroot.sh [--cache FOLDER] DIR
# COMMAND... In mount and PID namespaces of its own, so that every mount ends
# with it, whatever fails: its own /proc, /sys, a /dev of a few device nodes
# (never the host's), a new devpts and a /dev/shm. With --cache, FOLDER is
# lent to the root, writable, as the cache of the root's own release, where
# its scripts keep what they make once. The environment is a login's, with
# DISPLAY, SOURCE_DATE_EPOCH and LP_NUM_THREADS (Mesa's draw threads) kept; the
# exit status is the command's. Needs root.
set -euo pipefail
self=$(realpath "$0")
# shellcheck source=helpers/lib.sh
. "$(dirname "$self")/helpers/lib.sh"
if [ "${1:-}" != --inside ]; then
  cache=
  [ "${1:-}" = --cache ] && cache=${2:-} && shift 2
  [ $# -ge 2 ] || fail "usage: inroot.sh [--cache FOLDER] DIR COMMAND..."
  [ "$(id -u)" -eq 0 ] || fail "needs root: it mounts in the root"
  exec unshare --mount --pid --fork --kill-child "$self" --inside "$cache" "$@"
fi
cache=$2 root=$3
shift 3
# A mount of its own, so that a root made and entered inside finds "/" a
# mount point too, as unshare needs.
step "binding the root onto itself" mount --bind "$root" "$root"
step "mounting /proc in the root" mount -t proc proc "$root/proc"
step "mounting /sys in the root" mount -t sysfs -o ro sysfs "$root/sys"
step "mounting /dev in the root" mount -t tmpfs -o mode=755 dev "$root/dev"
for node in null:3 zero:5 full:7 random:8 urandom:9; do
  step "making /dev/${node%:*}" mknod -m 666 "$root/dev/${node%:*}" c 1 "${node#*:}"
done
mkdir "$root/dev/pts" "$root/dev/shm"
step "mounting /dev/pts in the root" mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
ln -s pts/ptmx "$root/dev/ptmx"
ln -s /proc/self/fd "$root/dev/fd"
for n in 0:stdin 1:stdout 2:stderr; do ln -s "/proc/self/fd/${n%:*}" "$root/dev/${n#*:}"; done
step "mounting /dev/shm in the root" mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
if [ -n "$cache" ]; then
  lent=$root/var/cache/wavegrid/$(sed -n 's/^VERSION_CODENAME=//p' "$root/etc/os-release")
  mkdir -p "$lent"
  step "lending the root $cache" mount --bind "$cache" "$lent"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
exec env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" ${DISPLAY:+DISPLAY=$DISPLAY} \
  ${SOURCE_DATE_EPOCH:+SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH} ${LP_NUM_THREADS:+LP_NUM_THREADS=$LP_NUM_THREADS} \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/games chroot "$root" "$@"
