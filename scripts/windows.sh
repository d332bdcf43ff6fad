#!/usr/bin/env bash
# Builds the demo for 64-bit Windows with MinGW-w64 and packs, by the install
# rules, wavegrid-<version>-windows-x86_64.zip: wavegrid.exe, SDL.dll,
# data/sprite01.bmp, README.txt and the licences. windows.sh [--out DIR]
# writes it into DIR, dist/ unless DIR is given (the tests give one under
# build/). SDL 1.2.15 for Windows is built once, into build/windows-sdl (or
# copied from the machine's cache, helpers/sdl-windows.sh), and again only
# when that folder holds no finished build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=dist
if [ "${1:-}" = --out ]; then
  out=${2:?usage: windows.sh [--out DIR]}
  shift 2
fi
[ $# -eq 0 ] || fail "usage: windows.sh [--out DIR]"
build=build/windows sdl=build/windows-sdl
pin_build

rm -f "$out"/wavegrid-*-windows-x86_64.zip # from an earlier run: only this run's may stand there after it
step "installing the Windows toolchain (scripts/deps.sh windows)" scripts/deps.sh windows
mkdir -p build
[ -f $sdl/ABOUT ] || step "building SDL 1.2 for Windows (log: $sdl.log)" \
  scripts/helpers/sdl-windows.sh $sdl >$sdl.log 2>&1
step "configuring the Windows build (cmake --preset windows)" cmake --preset windows >/dev/null
step "building wavegrid.exe" cmake --build --preset windows -j"$(nproc)"

# Packed aside and moved in whole: a zip in DIR is a finished one.
rm -rf $build/pack
step "packing the zip (cpack --preset windows)" cpack --preset windows >/dev/null
zip=$(echo $build/pack/wavegrid-*-windows-x86_64.zip)
[ -f "$zip" ] || fail "packing the zip (cpack) wrote no zip"
mkdir -p "$out"
mv "$zip" "$out/"
echo "$out/${zip##*/}: $(du -k "$out/${zip##*/}" | cut -f1) KB"
