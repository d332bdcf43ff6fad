#!/usr/bin/env bash
# Runs a command with arm64 programs runnable through qemu-user: arm64.sh
# COMMAND... In a mount namespace of its own it mounts binfmt_misc and
# registers Debian's qemu-aarch64 line as "wavegrid-aarch64", its interpreter
# taken from the qemu-user-static package, fetched and unpacked (not
# installed) into the cache; the entry is removed when the command ends,
# whatever happened, and the mount ends with the namespace. Flag F opens the
# interpreter once, so it serves in any root. Inside another run, it only
# runs the command. Needs root.
set -euo pipefail
self=$(realpath "$0")
. "$(dirname "$self")/lib.sh"
entry=/proc/sys/fs/binfmt_misc/wavegrid-aarch64
[ -e $entry ] && exec "$@"
if [ "${1:-}" != --inside ]; then
  [ $# -ge 1 ] || fail "usage: arm64.sh COMMAND..."
  [ "$(id -u)" -eq 0 ] || fail "needs root: it registers qemu-user with binfmt_misc"
  exec unshare --mount --fork "$self" --inside "$@"
fi
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# qemu-user-static, kept in the cache where the cache can be written.
cache=${WAVEGRID_CACHE:-/var/cache/wavegrid}
qemu=$cache/qemu-user-static
if [ ! -f $qemu/usr/lib/binfmt.d/qemu-aarch64.conf ]; then
  mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ] || qemu=$work/qemu
  step "fetching qemu-user-static (apt-get download)" \
    bash -c "cd '$work' && apt-get download -q qemu-user-static >/dev/null 2>&1"
  step "unpacking qemu-user-static" dpkg-deb -x "$work"/qemu-user-static_*.deb "$work/unpacked"
  rm -rf "$qemu" && mv "$work/unpacked" "$qemu"
fi

mountpoint -q /proc/sys/fs/binfmt_misc ||
  step "mounting binfmt_misc" mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
line=$(sed -e 's|^:qemu-aarch64:|:wavegrid-aarch64:|' \
  -e "s|:/usr/libexec/qemu-binfmt/|:$qemu/usr/libexec/qemu-binfmt/|" $qemu/usr/lib/binfmt.d/qemu-aarch64.conf)
[ -e $entry ] && echo -1 >$entry # left by a run that was killed
trap '{ echo -1 >$entry; } 2>/dev/null; rm -rf "$work"' EXIT
{ printf '%s\n' "$line" >/proc/sys/fs/binfmt_misc/register; } 2>/dev/null ||
  fail "registering qemu-aarch64 with binfmt_misc failed"
"$@"
