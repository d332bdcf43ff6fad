#!/usr/bin/env bash
# Benchmarks: calcme on the CPU (Google Benchmark), then the frame rate of the
# real drawing path on a virtual 800x600x16 X server, with its breakdown, on
# classic SDL 1.2 and on sdl12-compat, alternated.
# Run scripts/test.sh once first, so the build exists.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j"$(nproc)" --target calcme_bench frame_bench
build/bench/calcme_bench
. scripts/lib.sh
start_xvfb
trap stop_xvfb EXIT
compat=/usr/lib/$(gcc -print-multiarch)/sdl12-compat
for round in 1 2; do
  echo "== classic, round $round"
  build/bench/frame_bench "${FRAMES:-500}"
  echo "== compat, round $round"
  LD_LIBRARY_PATH=$compat build/bench/frame_bench "${FRAMES:-500}"
done
