#!/usr/bin/env bash
# Builds the Debian package of the demo for arm64 (a Raspberry Pi) on this
# amd64 machine: deb-arm64.sh [--out DIR] writes DIR/wavegrid_<version>_arm64.deb,
# into dist/ unless DIR is given. dpkg-buildpackage cross-builds it (profiles
# cross and nocheck) in a fresh root of the machine's release that mmdebstrap
# makes with arm64 beside amd64 and the build dependencies apt-get build-dep
# finds for arm64, so the machine's own packages stay as they are; the root
# goes when mmdebstrap ends. lintian must find no error and no warning.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=dist
if [ "${1:-}" = --out ]; then
  out=${2:?usage: deb-arm64.sh [--out DIR]}
  shift 2
fi
[ $# -eq 0 ] || fail "usage: deb-arm64.sh [--out DIR]"
pin_build
unset SOURCE_DATE_EPOCH # dpkg-buildpackage dates the package by debian/changelog
rm -f "$out"/wavegrid_*_arm64.deb # from an earlier run: only this run's may stand there after it
step "installing mmdebstrap and lintian (scripts/deps.sh root)" scripts/deps.sh root
rm -rf build/deb-arm64
step "copying the sources into build/deb-arm64" copy_sources build/deb-arm64/wavegrid
build='cd /work/wavegrid && apt-get build-dep -y -q -aarm64 -Pcross,nocheck . && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -aarm64 -Pcross,nocheck -us -uc -b'
# shellcheck disable=SC2016 # mmdebstrap's hooks are given the root as $1
step "cross-building in a fresh root (mmdebstrap, dpkg-buildpackage -aarm64; log: build/deb-arm64/build.log)" \
  mmdebstrap --quiet --variant=buildd --architectures=amd64,arm64 --include=crossbuild-essential-arm64 \
  --customize-hook='mkdir "$1/work"' --customize-hook='copy-in build/deb-arm64/wavegrid /work' \
  --customize-hook="chroot \"\$1\" sh -c '$build' >build/deb-arm64/build.log 2>&1 || { tail -n 30 build/deb-arm64/build.log; exit 1; }" \
  --customize-hook='sync-out /work build/deb-arm64' "$(release)" /dev/null "$(archive)"
step "checking the package (lintian)" lint build/deb-arm64/wavegrid_*_arm64.changes
mkdir -p "$out"
mv build/deb-arm64/wavegrid_*_arm64.deb "$out/"
deb=$(echo "$out"/wavegrid_*_arm64.deb)
echo "$deb: $(du -k "$deb" | cut -f1) KB, $(dpkg-deb -f "$deb" Depends)"
