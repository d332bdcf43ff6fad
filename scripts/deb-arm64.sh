#!/usr/bin/env bash
# Builds the Debian package of the demo for arm64 (a Raspberry Pi) on this
# amd64 machine: deb-arm64.sh [--out DIR] writes DIR/wavegrid_<version>_arm64.deb,
# into dist/ unless DIR is given. It cross-builds in a fresh root of the
# machine's release with Debian's cross compilers and arm64 libraries
# (scripts/mkroot.sh with deps.sh's cross group, kept once made), where
# scripts/helpers/pack-deb.sh deb-arm64 builds and checks the package, so the
# machine's own packages stay as they are. The root is removed after,
# whatever happened. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=dist
if [ "${1:-}" = --out ]; then
  out=${2:?usage: deb-arm64.sh [--out DIR]}
  shift 2
fi
[ $# -eq 0 ] || fail "usage: deb-arm64.sh [--out DIR]"
[ "$(id -u)" -eq 0 ] || fail "needs root: it cross-builds in a Debian root"
pin_build
rm -f "$out"/wavegrid_*_arm64.deb # from an earlier run: only this run's may stand there after it
root=$(mktemp -d /var/tmp/wavegrid-cross.XXXXXX)
trap 'rm -rf --one-file-system "$root"' EXIT
step "making the cross root" scripts/mkroot.sh "$(release)" "$root" cross
mkdir "$root/work"
if [ -e .git ]; then # what git tracks, and new files it does not ignore
  step "copying the sources into it" bash -c \
    "set -o pipefail; git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -C '$root/work' -xf -"
else # a source tarball, unpacked: all but what builds make
  step "copying the sources into it" bash -c \
    "set -o pipefail; tar --exclude=./build --exclude=./dist -cf - . | tar -C '$root/work' -xf -"
fi
step "the arm64 build in the cross root" scripts/inroot.sh "$root" /bin/bash -c \
  "cd /work && scripts/helpers/pack-deb.sh deb-arm64 /work/out"
mkdir -p "$out"
step "moving the package into $out" mv "$root"/work/out/wavegrid_*_arm64.deb "$out/"
