#!/usr/bin/env bash
# Builds the demo for 64-bit Windows with MinGW-w64 and packs, by the
# install rules, dist/wavegrid-windows-x86_64.zip: wavegrid.exe, SDL.dll,
# data/sprite01.bmp, README.txt and the licences. SDL 1.2.15 for Windows is
# built once, into build/windows-sdl, and again only when that folder is
# gone.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=build/windows sdl=build/windows-sdl
zip=dist/wavegrid-windows-x86_64.zip

rm -f $zip # from an earlier run: only this run's may stand there after it
step "installing the Windows toolchain (scripts/deps.sh windows)" scripts/deps.sh windows
mkdir -p build
[ -d $sdl ] || step "building SDL 1.2 for Windows (log: $sdl.log)" \
  scripts/helpers/sdl-windows.sh $sdl >$sdl.log 2>&1
step "configuring the Windows build (cmake --preset windows)" cmake --preset windows >/dev/null
step "building wavegrid.exe" cmake --build --preset windows -j"$(nproc)"

# Packed aside and moved in whole: a zip in dist/ is a finished one.
rm -rf $out/pack && mkdir -p dist
step "packing the zip (cpack --preset windows)" cpack --preset windows >/dev/null
mv $out/pack/wavegrid-windows-x86_64.zip $zip
echo "$zip: $(du -k $zip | cut -f1) KB"
