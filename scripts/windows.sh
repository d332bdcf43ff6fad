#!/usr/bin/env bash
# Builds the demo for 64-bit Windows with MinGW-w64 and packs, by the
# install rules, dist/wavegrid-windows-x86_64.zip: wavegrid.exe, SDL.dll,
# data/sprite01.bmp, README.txt and the licences. SDL 1.2.15 for Windows is
# built once, into build/windows/sdl-dll, and again only when that folder
# is gone.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
out=build/windows
zip=dist/wavegrid-windows-x86_64.zip

rm -f $zip # from an earlier run: only this run's may stand there after it
step "installing the Windows toolchain (scripts/deps.sh windows)" scripts/deps.sh windows
mkdir -p $out
[ -d $out/sdl-dll ] || step "building SDL 1.2 for Windows (log: $out/sdl.log)" \
  scripts/sdl-windows.sh $out/sdl-dll >$out/sdl.log 2>&1
step "configuring the Windows build" cmake -S . -B $out/build --no-warn-unused-cli \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DWAVEGRID_SDL_PREFIX="$PWD/$out/sdl-dll" >/dev/null
step "building wavegrid.exe" cmake --build $out/build -j"$(nproc)" --target wavegrid

# Packed aside and moved in whole: a zip in dist/ is a finished one.
rm -rf $out/zip && mkdir -p dist
step "packing the zip (cpack)" cpack --config $out/build/CPackConfig.cmake -B $out/zip >/dev/null
mv $out/zip/wavegrid-windows-x86_64.zip $zip
echo "$zip: $(du -k $zip | cut -f1) KB"
