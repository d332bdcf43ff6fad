#!/usr/bin/env bash
# Builds the Debian package of the demo for this machine's architecture and
# release, and checks it: deb.sh [--out DIR] writes
# DIR/wavegrid_<version>_<arch>.deb and the source package beside it
# (wavegrid_<version>.dsc and .tar.xz), into dist/ unless DIR is given (the
# tests give one under build/). dpkg-buildpackage builds them by debian/ from
# a copy of the sources in build/deb, dated as dpkg dates them
# (debian/changelog's newest entry); lintian must find no error and no warning.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=dist
if [ "${1:-}" = --out ]; then
  out=${2:?usage: deb.sh [--out DIR]}
  shift 2
fi
[ $# -eq 0 ] || fail "usage: deb.sh [--out DIR] (the arm64 package: scripts/deb-arm64.sh)"
pin_build
unset SOURCE_DATE_EPOCH # dpkg-buildpackage dates the package by debian/changelog
arch=$(dpkg --print-architecture)
rm -f "$out"/wavegrid_*_"$arch".deb "$out"/wavegrid_*.dsc "$out"/wavegrid_*.tar.xz # from an earlier run: only this run's may stand there after it
step "installing the packaging tools (scripts/deps.sh deb)" scripts/deps.sh deb
rm -rf build/deb
step "copying the sources into build/deb" copy_sources build/deb/wavegrid
step "building the package (dpkg-buildpackage)" bash -c \
  "cd build/deb/wavegrid && dpkg-buildpackage -us -uc >../build.log 2>&1 || { tail -n 30 ../build.log; exit 1; }"
step "checking the package (lintian)" lint build/deb/wavegrid_*_"$arch".changes
mkdir -p "$out"
mv build/deb/wavegrid_*_"$arch".deb build/deb/wavegrid_*.dsc build/deb/wavegrid_*.tar.xz "$out/"
deb=$(echo "$out"/wavegrid_*_"$arch".deb)
echo "$deb: $(du -k "$deb" | cut -f1) KB, $(dpkg-deb -f "$deb" Depends)"
