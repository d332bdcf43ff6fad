#!/usr/bin/env bash
# Makes a fresh Debian root of a release: mkroot.sh SUITE DIR, where DIR does
# not exist yet. It is unpacked from a pristine base of that release
# (debootstrap, minimal variant, with git) made once from the machine's own
# Debian archive and kept in $WAVEGRID_CACHE, /var/cache/wavegrid by default.
# Needs root.
set -euo pipefail
here=$(dirname "$0")
. "$here/helpers/lib.sh"
[ $# -eq 2 ] || fail "usage: mkroot.sh SUITE DIR"
[ "$(id -u)" -eq 0 ] || fail "needs root: it makes a Debian root"
suite=$1 root=$2
cache=${WAVEGRID_CACHE:-/var/cache/wavegrid}
base=$cache/$suite-base.tar

if [ ! -f "$base" ]; then
  step "installing debootstrap (scripts/deps.sh root)" "$here/deps.sh" root
  mirror=$(archive)
  work=$(mktemp -d /var/tmp/wavegrid-base.XXXXXX)
  chmod 755 "$work"
  trap 'rm -rf --one-file-system "$work"' EXIT
  mkdir -p "$cache"
  echo "== making the $suite base from $mirror (log: $cache/debootstrap-$suite.log)"
  step "making the $suite base (debootstrap)" unshare --mount --pid --fork debootstrap \
    --variant=minbase --include=git "$suite" "$work" "$mirror" >"$cache/debootstrap-$suite.log" 2>&1
  step "packing the $suite base" tar -C "$work" -cf "$base.part" .
  mv "$base.part" "$base"
fi
mkdir "$root"
step "unpacking the $suite base" tar -C "$root" -xpf "$base"
chmod 755 "$root"
