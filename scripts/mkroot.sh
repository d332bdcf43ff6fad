#!/usr/bin/env bash
# Makes a fresh Debian root of a release: mkroot.sh SUITE DIR, where DIR is
# empty or does not exist yet (mktemp -d makes one). It is unpacked from a
# pristine base of that release (debootstrap, minimal variant, with git) made
# once from the machine's own Debian archive and kept in the cache of the
# machine's release (cache_dir in helpers/lib.sh; where that can't be
# written, the base is made for this root alone). Needs root.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=helpers/lib.sh
. "$here/helpers/lib.sh"
[ $# -eq 2 ] || fail "usage: mkroot.sh SUITE DIR"
[ "$(id -u)" -eq 0 ] || fail "needs root: it makes a Debian root"
suite=$1 root=$2
cache=$(cache_dir)
base=$cache/$suite-base.tar
# Two runs at once: the second waits while the first makes the base.
if mkdir -p "$cache" && [ -w "$cache" ]; then
  exec 9>"$cache/$suite-base.lock"
  flock 9
fi

if [ ! -f "$base" ]; then
  step "installing debootstrap (scripts/deps.sh root)" "$here/deps.sh" root
  mirror=$(archive)
  work=$(mktemp -d /var/tmp/wavegrid-base.XXXXXX)
  chmod 755 "$work"
  if ! mkdir -p "$cache" || [ ! -w "$cache" ]; then # said why; the base is this root's alone
    cache=$work.cache base=$work.cache/$suite-base.tar
    mkdir "$cache"
  fi
  trap 'rm -rf --one-file-system "$work" "$work.cache"' EXIT
  log=$cache/debootstrap-$suite.log
  echo "== making the $suite base from $mirror (log: $log)"
  step "making the $suite base (debootstrap)" unshare --mount --pid --fork debootstrap \
    --variant=minbase --include=git "$suite" "$work" "$mirror" >"$log" 2>&1
  step "packing the $suite base" tar -C "$work" -cf "$base.part" .
  mv "$base.part" "$base"
fi
mkdir -p "$root"
[ -z "$(ls -A "$root")" ] || fail "$root is not empty: a root is made in an empty folder"
step "unpacking the $suite base" tar -C "$root" -xpf "$base"
chmod 755 "$root"
