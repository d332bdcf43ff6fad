#!/usr/bin/env bash
# Runs a command with arm64 programs runnable through qemu-user: arm64.sh
# COMMAND... In a mount namespace of its own it mounts binfmt_misc and
# registers the release's qemu-aarch64 line as "wavegrid-aarch64"; the entry
# is removed when the command ends, whatever happened, and the mount ends
# with the namespace. Flag F opens the interpreter once, so it serves in any
# root. An entry left by a run that was killed is replaced. Needs root.
#
# qemu-user comes from this machine's release, fetched and unpacked, never
# installed: qemu-user-static and the qemu packages it depends on. Debian 12's
# holds the emulator and its binfmt line itself; Debian 13's is a transitional
# package over qemu-user and qemu-user-binfmt. It is kept in the release's
# cache while it is the archive's current version.
set -euo pipefail
self=$(realpath "$0")
# shellcheck source=lib.sh
. "$(dirname "$self")/lib.sh"
entry=/proc/sys/fs/binfmt_misc/wavegrid-aarch64
if [ "${1:-}" != --inside ]; then
  [ $# -ge 1 ] || fail "usage: arm64.sh COMMAND..."
  [ "$(id -u)" -eq 0 ] || fail "needs root: it registers qemu-user with binfmt_misc"
  exec unshare --mount --fork "$self" --inside "$@"
fi
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$(apt-cache policy qemu-user-static | awk '$1 == "Candidate:" { print $2 }')
case $version in "" | "(none)") fail "no qemu-user-static in apt's lists of the $(release) release: run apt-get update" ;; esac
cache=$(cache_dir)
qemu=$cache/qemu-user
conf=usr/lib/binfmt.d/qemu-aarch64.conf
if mkdir -p "$cache" && [ -w "$cache" ]; then # two runs at once: the second waits for the first's
  exec 9>"$cache/qemu-user.lock"
  flock 9
else
  qemu=$work/qemu # said why; this run's alone
fi
if [ ! -f "$qemu/VERSION" ] || [ "$(cat "$qemu/VERSION")" != "$version" ]; then
  mapfile -t packages < <(echo qemu-user-static
    apt-cache depends qemu-user-static | awk '$1 == "Depends:" && $2 ~ /^qemu-/ { print $2 }')
  step "fetching ${packages[*]} $version (apt-get download)" \
    bash -c "cd '$work' && apt-get download -qq ${packages[*]} >/dev/null"
  for deb in "$work"/*.deb; do
    step "unpacking ${deb##*/}" dpkg-deb -x "$deb" "$work/unpacked"
  done
  [ -f "$work/unpacked/$conf" ] || fail "no qemu-aarch64 binfmt line in ${packages[*]} $version"
  echo "$version" >"$work/unpacked/VERSION"
  rm -rf "$qemu" && mv "$work/unpacked" "$qemu"
fi
exec 9>&- # the cache's lock, let go
interpreter=$(cut -d: -f7 "$qemu/$conf")
[ -x "$qemu$interpreter" ] || fail "no $interpreter, the qemu-aarch64 line's interpreter, in ${qemu}"
# The emulator must be this release's, whatever the cache holds: it says its version itself.
said=$("$(realpath "$qemu$interpreter")" --version | sed -n 's/.*(Debian \(.*\))$/\1/p')
[ "$said" = "$version" ] || fail "$qemu holds qemu-user ${said:-of no version}, not $(release)'s $version"

mountpoint -q /proc/sys/fs/binfmt_misc ||
  step "mounting binfmt_misc" mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
line=$(sed -e 's|^:qemu-aarch64:|:wavegrid-aarch64:|' -e "s|:$interpreter:|:$qemu$interpreter:|" "$qemu/$conf")
[ -e $entry ] && echo -1 >$entry # left by a run that was killed
trap '[ ! -e $entry ] || echo -1 >$entry; rm -rf "$work"' EXIT
printf '%s\n' "$line" >/proc/sys/fs/binfmt_misc/register ||
  fail "registering qemu-aarch64 with binfmt_misc failed"
"$@"
