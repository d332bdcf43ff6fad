#!/usr/bin/env bash
# Makes a fresh Debian root of a release: mkroot.sh SUITE DIR [GROUP], where
# DIR is empty or does not exist yet (mktemp -d makes one). It is unpacked
# from a pristine base of that release (debootstrap, minimal variant, with
# git) made once from the machine's own Debian archive and kept in the cache
# of the machine's release (cache_dir in helpers/lib.sh; where that can't be
# written, the base is made for this root alone). With GROUP, the root has
# the packages of scripts/deps.sh GROUP too, and is kept as well. Needs root.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=helpers/lib.sh
. "$here/helpers/lib.sh"
[ $# -eq 2 ] || [ $# -eq 3 ] || fail "usage: mkroot.sh SUITE DIR [GROUP]"
[ "$(id -u)" -eq 0 ] || fail "needs root: it makes a Debian root"
suite=$1 root=$2 group=${3:-}
cache=$(cache_dir)
base=$cache/$suite-base.tar
keep=
# Two runs at once: the second waits while the first makes the base.
if mkdir -p "$cache" && [ -w "$cache" ]; then
  keep=1
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
exec 9>&- # the base is whole, and never replaced
mkdir -p "$root"
[ -z "$(ls -A "$root")" ] || fail "$root is not empty: a root is made in an empty folder"
if [ -z "$group" ]; then
  step "unpacking the $suite base" tar -C "$root" -xpf "$base"
  chmod 755 "$root"
  exit 0
fi

# A root with a group's packages: kept beside the base while the base, deps.sh
# and the archive's versions of what it installed are the same. The archive is
# asked once a run: a kept root found fresh (or made) at or after the time in
# WAVEGRID_CHECKED_SINCE (scripts/test.sh gives its start) is taken as it is.
kept=$cache/$suite-$group.tar
since=${WAVEGRID_CHECKED_SINCE:-}
key="$(stat -c %Y "$base") $(sha256sum <"$here/deps.sh")"
if [ -n "$keep" ]; then
  exec 8>"$cache/$suite-$group.lock"
  flock 8
  if [ -f "$kept" ] && [ "$(cat "$kept.key")" = "$key" ]; then
    step "unpacking the $suite $group root" tar -C "$root" -xpf "$kept"
    if [ -n "$since" ] && [ -f "$kept.checked" ] && [ "$(stat -c %Y "$kept.checked")" -ge "$since" ]; then
      chmod 755 "$root"
      exit 0
    fi
    step "reading the $suite archive's index in it" "$here/inroot.sh" "$root" apt-get -qq update
    plan=$("$here/inroot.sh" "$root" apt-get -s -q upgrade) || fail "asking apt in the $group root failed"
    if ! grep -q '^Inst ' <<<"$plan"; then
      touch "$kept.checked"
      chmod 755 "$root"
      exit 0
    fi
    echo "== the $suite $group root is older than the archive: made again"
    find "$root" -mindepth 1 -maxdepth 1 -exec rm -rf --one-file-system {} +
  fi
fi
step "unpacking the $suite base" tar -C "$root" -xpf "$base"
mkdir -p "$root/tmp/wavegrid/helpers"
cp "$here/deps.sh" "$root/tmp/wavegrid/"
cp "$here/helpers/lib.sh" "$root/tmp/wavegrid/helpers/"
step "installing the $group group in the root" "$here/inroot.sh" "$root" /tmp/wavegrid/deps.sh "$group"
rm -rf "$root/tmp/wavegrid"
step "emptying the root's package cache" "$here/inroot.sh" "$root" apt-get clean
if [ -n "$keep" ]; then
  step "packing the $suite $group root" tar -C "$root" -cf "$kept.part" .
  echo "$key" >"$kept.key.part"
  mv "$kept.part" "$kept" && mv "$kept.key.part" "$kept.key"
  touch "$kept.checked"
fi
chmod 755 "$root"
