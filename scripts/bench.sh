#!/usr/bin/env bash
# Benchmarks: calcme on the CPU (Google Benchmark); the frame rate of the
# real drawing path on a virtual 800x600x16 X server, with its breakdown, on
# every SDL 1.2 the machine has, alternated; then, right after one more
# native run, the web page in headless Chromium, Firefox and WebKitGTK, and
# in Chromium as Emscripten's own GL emulation draws it, beside that rate.
# What it measures is built under build/: the benchmarks in the tests'
# build, build/test, the page in build/bench/web, Emscripten's own drawing
# in build/web-bench. FRAMES (500) sets the native frames timed a run,
# WEB_SECONDS (10) how long each page is watched.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=build/test
step "installing the packages (scripts/deps.sh test)" scripts/deps.sh test
step "configuring the benchmarks (cmake --preset test)" cmake --preset test >/dev/null
step "building the benchmarks" cmake --build --preset test -j"$(nproc)" --target calcme_bench frame_bench
step "the page (scripts/web.sh --out build/bench)" scripts/web.sh --out build/bench >/dev/null
step "the page as Emscripten draws it (cmake --workflow --preset web-bench)" cmake --workflow --preset web-bench >/dev/null
step "the animation step's benchmark (calcme_bench)" $out/bench/calcme_bench
start_xvfb
trap stop_xvfb EXIT
mapfile -t sdls < <(sdl12s)
for round in 1 2; do
  for sdl in "${sdls[@]}"; do
    echo "== ${sdl% *}, round $round"
    step "the frame benchmark on ${sdl% *}" env LD_LIBRARY_PATH="${sdl#* }" $out/bench/frame_bench "${FRAMES:-500}"
  done
done
echo "== ${sdls[0]% *}, just before the browser"
LD_LIBRARY_PATH=${sdls[0]#* } $out/bench/frame_bench "${FRAMES:-500}" | tee $out/frame_bench.txt ||
  fail "the frame benchmark failed"
native=$(awk '/frames per second/ { print $4 }' $out/frame_bench.txt)
[ -n "$native" ] || fail "the frame benchmark said no frame rate"
step "the page's benchmark (bench/web_bench.py)" env PYTHONPATH=tests /usr/bin/python3 bench/web_bench.py "${WEB_SECONDS:-10}" "$native" \
  chromium:ours=build/bench/web firefox:ours=build/bench/web webkit:ours=build/bench/web \
  "chromium:Emscripten's own GL emulation=build/web-bench/wavegrid-emulated"
