#!/usr/bin/env bash
# Builds the Debian package of the demo, for the release this machine runs,
# from the install rules, and checks it: dist/wavegrid_<version>_<arch>.deb,
# built with Debian's hardening flags, its dependencies computed from the
# binary (dpkg-shlibdeps); desktop-file-validate passes on the menu entry
# and lintian finds no error (its warnings are printed).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=build/deb

rm -f dist/wavegrid_*.deb # from an earlier run: only this run's may stand there after it
step "installing the packaging tools (scripts/deps.sh deb)" scripts/deps.sh deb
for tool in dpkg-buildflags dpkg-shlibdeps lintian desktop-file-validate; do
  command -v $tool >/dev/null || fail "finding $tool failed: is its package installed?"
done
# Debian's flags, all hardening on. CMake reads them at a first configure
# only, and reads no CPPFLAGS: a fresh build folder, the two joined.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
rm -rf $out
step "configuring the package build (cmake --preset deb)" cmake --preset deb >/dev/null
step "building wavegrid" cmake --build --preset deb -j"$(nproc)"
step "checking the menu entry (desktop-file-validate)" desktop-file-validate linux/wavegrid.desktop

# Packed aside and moved in whole: a package in dist/ is a finished, checked one.
rm -rf $out/pack
step "packing the package (cpack --preset deb)" cpack --preset deb >/dev/null
deb=$(echo $out/pack/wavegrid_*.deb)
[ -f "$deb" ] || fail "packing the package (cpack) wrote no .deb"
step "checking the package (lintian)" lintian --fail-on error "$deb"
mkdir -p dist
mv "$deb" dist/
echo "dist/${deb##*/}: $(du -k "dist/${deb##*/}" | cut -f1) KB, $(dpkg-deb -f "dist/${deb##*/}" Depends)"
