#!/usr/bin/env bash
# Builds the Debian package of the demo, for the release this machine runs,
# from the install rules, and checks it: deb.sh [arm64] writes
# dist/wavegrid_<version>_<arch>.deb, built with Debian's hardening flags,
# its dependencies computed from the binary (dpkg-shlibdeps);
# desktop-file-validate passes on the menu entry and lintian finds no error
# (its warnings are printed). For arm64 (a Raspberry Pi) it cross-builds in
# a fresh root of the machine's release with Debian's cross compilers and
# arm64 libraries, so the machine's own packages stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
arch=${1:-$(dpkg --print-architecture)}
case $arch in
arm64) preset=deb-arm64 group=cross ;;
"$(dpkg --print-architecture)") preset=deb group=deb ;;
*) fail "usage: deb.sh [arm64]: no package for $arch" ;;
esac
out=build/$preset

rm -f dist/wavegrid_*_"$arch".deb # from an earlier run: only this run's may stand there after it
if [ "$group" = cross ] && [ -z "${WAVEGRID_CROSS_ROOT:-}" ]; then
  [ "$(id -u)" -eq 0 ] || fail "needs root: it cross-builds in a Debian root"
  root=$(mktemp -u /var/tmp/wavegrid-cross.XXXXXX)
  trap 'rm -rf --one-file-system "$root"' EXIT
  step "making the cross root" scripts/mkroot.sh "$(. /etc/os-release && echo "$VERSION_CODENAME")" "$root"
  mkdir "$root/work"
  step "copying the sources into it" bash -c \
    "git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -C '$root/work' -xf -"
  step "the arm64 build in the cross root" scripts/inroot.sh "$root" /bin/bash -c \
    "cd /work && WAVEGRID_CROSS_ROOT=1 scripts/deb.sh arm64"
  mkdir -p dist
  mv "$root"/work/dist/wavegrid_*_arm64.deb dist/
  exit 0
fi

step "installing the packaging tools (scripts/deps.sh $group)" scripts/deps.sh $group
for tool in dpkg-buildflags dpkg-shlibdeps lintian desktop-file-validate; do
  command -v $tool >/dev/null || fail "finding $tool failed: is its package installed?"
done
# Debian's flags for the package's architecture, all hardening on. CMake
# reads them at a first configure only, and reads no CPPFLAGS: a fresh build
# folder, the two joined.
eval "$(dpkg-architecture -a"$arch" -s 2>/dev/null)"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
rm -rf $out
step "configuring the package build (cmake --preset $preset)" cmake --preset $preset >/dev/null
step "building wavegrid" cmake --build --preset $preset -j"$(nproc)"
step "checking the menu entry (desktop-file-validate)" desktop-file-validate linux/wavegrid.desktop

# Packed aside and moved in whole: a package in dist/ is a finished, checked one.
rm -rf $out/pack
step "packing the package (cpack --preset $preset)" cpack --preset $preset >/dev/null
deb=$(echo $out/pack/wavegrid_*.deb)
[ -f "$deb" ] || fail "packing the package (cpack) wrote no .deb"
step "checking the package (lintian)" lintian --fail-on error "$deb"
mkdir -p dist
mv "$deb" dist/
echo "dist/${deb##*/}: $(du -k "dist/${deb##*/}" | cut -f1) KB, $(dpkg-deb -f "dist/${deb##*/}" Depends)"
