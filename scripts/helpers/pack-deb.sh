#!/usr/bin/env bash
# Builds the Debian package by a CMake preset and checks it: pack-deb.sh
# PRESET OUT, where PRESET is deb (this machine's architecture) or deb-arm64
# (run in the cross root scripts/deb-arm64.sh makes, which has the cross
# compilers and the arm64 libraries). It writes OUT/wavegrid_<version>_<arch>.deb,
# built with Debian's hardening flags, its dependencies computed from the binary
# (dpkg-shlibdeps); desktop-file-validate passes on the menu entry, and
# appstreamcli and lintian find no error (their warnings are printed).
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/helpers/lib.sh
case ${1:-} in
deb) arch=$(dpkg --print-architecture) group=deb ;;
deb-arm64) arch=arm64 group=cross ;;
*) fail "usage: pack-deb.sh deb|deb-arm64 OUT" ;;
esac
[ $# -eq 2 ] || fail "usage: pack-deb.sh deb|deb-arm64 OUT"
preset=$1 out=$2 build=build/$1

# appstreamcli's verdict on the metadata: its errors fail, its warnings are
# printed, as lintian's are (Debian 13's AppStream 1.0 warns of no homepage,
# and the demo has none to name).
metainfo_valid() {
  local said
  said=$(appstreamcli validate --no-net "$1" 2>&1) || true
  grep -E '^[EW]:' <<<"$said" >&2 || true
  grep -q '^.*Validation' <<<"$said" && ! grep -q '^E:' <<<"$said"
}
pin_build

rm -f "$out"/wavegrid_*_"$arch".deb # from an earlier run: only this run's may stand there after it
step "installing the packaging tools (scripts/deps.sh $group)" scripts/deps.sh $group
for tool in dpkg-buildflags dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
  command -v $tool >/dev/null || fail "finding $tool failed: is its package installed?"
done
# Debian's flags for the package's architecture, all hardening on. CMake
# reads them at a first configure only, and reads no CPPFLAGS: a fresh build
# folder, the two joined.
vars=$(dpkg-architecture -a"$arch" -s) || fail "dpkg-architecture knows no $arch"
eval "$vars"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
vars=$(dpkg-buildflags --export=sh) || fail "dpkg-buildflags failed"
eval "$vars"
# shellcheck disable=SC2153 # CPPFLAGS comes from dpkg-buildflags, above
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
rm -rf "$build"
step "configuring the package build (cmake --preset $preset)" cmake --preset "$preset" >/dev/null
step "building wavegrid and its manual page" cmake --build --preset "$preset" -j"$(nproc)"
step "checking the menu entry (desktop-file-validate)" desktop-file-validate linux/wavegrid.desktop
step "checking the software centre's metadata (appstreamcli validate)" metainfo_valid "$build"/*.metainfo.xml

# Packed aside and moved in whole: a package in OUT is a finished, checked one.
rm -rf "$build/pack"
step "packing the package (cpack --preset $preset)" cpack --preset "$preset" >/dev/null
deb=$(echo "$build"/pack/wavegrid_*.deb)
[ -f "$deb" ] || fail "packing the package (cpack) wrote no .deb"
step "checking the package (lintian)" lintian --fail-on error "$deb"
mkdir -p "$out"
mv "$deb" "$out/"
echo "$out/${deb##*/}: $(du -k "$out/${deb##*/}" | cut -f1) KB, $(dpkg-deb -f "$out/${deb##*/}" Depends)"
