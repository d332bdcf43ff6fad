#!/usr/bin/env bash
# Builds the demo for 64-bit Windows with MinGW-w64 and packs
# dist/wavegrid-windows-x86_64.zip: wavegrid.exe, data/sprite01.bmp and
# README.txt. SDL 1.2.15 for Windows is built once, into build/windows/sdl,
# and again only when that folder is gone.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
out=build/windows
zip=dist/wavegrid-windows-x86_64.zip

rm -f $zip # from an earlier run: only this run's may stand there after it
step "installing the Windows toolchain (scripts/deps.sh windows)" scripts/deps.sh windows
mkdir -p $out
[ -d $out/sdl ] || step "building SDL 1.2 for Windows (log: $out/sdl.log)" \
  scripts/sdl-windows.sh $out/sdl >$out/sdl.log 2>&1
step "configuring the Windows build" cmake -S . -B $out/demo --no-warn-unused-cli \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DWAVEGRID_SDL_PREFIX="$PWD/$out/sdl" >/dev/null
step "building wavegrid.exe" cmake --build $out/demo -j"$(nproc)" --target wavegrid

# Packed aside and moved in whole: a zip in dist/ is a finished one.
stage=$out/zip
rm -rf $stage $stage.zip && mkdir -p $stage/data dist
cp $out/demo/wavegrid.exe $stage/
cp data/sprite01.bmp $stage/data/
sed 's/$/\r/' docs/windows-readme.txt >$stage/README.txt
step "packing the zip" sh -c "cd $stage && zip -qrX $PWD/$stage.zip wavegrid.exe data README.txt"
mv $stage.zip $zip
echo "$zip: $(du -k $zip | cut -f1) KB"
