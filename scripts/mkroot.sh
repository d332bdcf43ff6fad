#!/usr/bin/env bash
# Makes a fresh Debian root of a release: mkroot.sh SUITE DIR [arm64], where
# DIR is empty or does not exist yet (mktemp -d makes one). It is unpacked from a pristine base of that release
# (debootstrap, minimal variant, with git) made once from the machine's own
# Debian archive and kept in the cache of the machine's release (cache_dir in
# helpers/lib.sh; where that can't be written, the base is made for this root
# alone). An arm64 root is made by debootstrap's first
# stage and its second under qemu-user (scripts/helpers/arm64.sh), and its
# programs run only under that too. Needs root.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=helpers/lib.sh
. "$here/helpers/lib.sh"
[ $# -eq 2 ] || [ "${3:-}" = arm64 ] || fail "usage: mkroot.sh SUITE DIR [arm64]"
[ "$(id -u)" -eq 0 ] || fail "needs root: it makes a Debian root"
suite=$1 root=$2 arch=${3:-}
cache=$(cache_dir)
name=$suite${arch:+-$arch}
base=$cache/$name-base.tar

if [ ! -f "$base" ]; then
  step "installing debootstrap (scripts/deps.sh root)" "$here/deps.sh" root
  mirror=$(archive)
  work=$(mktemp -d /var/tmp/wavegrid-base.XXXXXX)
  chmod 755 "$work"
  if ! { mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ]; }; then
    cache=$work.cache base=$work.cache/$name-base.tar
    mkdir "$cache"
  fi
  trap 'rm -rf --one-file-system "$work" "$work.cache"' EXIT
  log=$cache/debootstrap-$name.log
  echo "== making the $name base from $mirror (log: $log)"
  if [ -z "$arch" ]; then
    step "making the $name base (debootstrap)" unshare --mount --pid --fork debootstrap \
      --variant=minbase --include=git "$suite" "$work" "$mirror" >"$log" 2>&1
  else
    step "making the $name base (debootstrap, first stage)" unshare --mount --pid --fork \
      debootstrap --arch="$arch" --foreign --variant=minbase "$suite" "$work" "$mirror" >"$log" 2>&1
    step "making the $name base (debootstrap, second stage under qemu-user)" \
      "$here/helpers/arm64.sh" unshare --mount --pid --fork chroot "$work" \
      /debootstrap/debootstrap --second-stage >>"$log" 2>&1
  fi
  step "packing the $name base" tar -C "$work" -cf "$base.part" .
  mv "$base.part" "$base"
fi
mkdir -p "$root"
[ -z "$(ls -A "$root")" ] || fail "$root is not empty: a root is made in an empty folder"
step "unpacking the $suite base" tar -C "$root" -xpf "$base"
chmod 755 "$root"
