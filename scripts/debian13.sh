#!/usr/bin/env bash
# Runs the test command, scripts/test.sh, in a fresh Debian 13 root on a
# clean clone of this repository's HEAD (commit first: what is not committed
# is not tested). The root is unpacked from a pristine base (debootstrap,
# minimal variant, with git) kept in $WAVEGRID_CACHE, /var/cache/wavegrid by
# default; everything else is made anew and removed after. Every mount lives
# in a mount namespace of the run's own, so none outlives it, whatever fails.
# Needs root.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."
. scripts/lib.sh
cache=${WAVEGRID_CACHE:-/var/cache/wavegrid}
base=$cache/debian13-base.tar

# In the run's own mount and process namespaces: a /dev of the root's own
# (the host's is never bound in), then the test command.
if [ "${1:-}" = --inside ]; then
  root=$2
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
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  exec env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 CI="${CI:-}" chroot "$root" /bin/bash -c 'cd /work && scripts/test.sh'
fi

[ "$(id -u)" -eq 0 ] || fail "needs root: it makes a Debian 13 root and mounts in it"
step "installing debootstrap (scripts/deps.sh root)" scripts/deps.sh root
root=
trap '[ -z "$root" ] || rm -rf --one-file-system "$root"' EXIT
mkdir -p "$cache"
if [ ! -f "$base" ]; then
  root=$(mktemp -d /var/tmp/wavegrid-debian13-base.XXXXXX)
  echo "== making the Debian 13 base (log: $cache/debootstrap.log)"
  step "making the Debian 13 base (debootstrap trixie)" unshare --mount --pid --fork \
    debootstrap --variant=minbase --include=git trixie "$root" http://deb.debian.org/debian \
    >"$cache/debootstrap.log" 2>&1
  step "packing the base" tar -C "$root" -cf "$base.part" .
  mv "$base.part" "$base"
  rm -rf --one-file-system "$root"
fi

root=$(mktemp -d /var/tmp/wavegrid-debian13.XXXXXX)
step "unpacking the base" tar -C "$root" -xpf "$base"
step "cloning the repository into the root" git clone -q "$PWD" "$root/work"
echo "== Debian 13 root $root: scripts/test.sh"
step "the test command in the Debian 13 root" unshare --mount --pid --fork "$self" --inside "$root"
