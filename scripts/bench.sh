#!/usr/bin/env bash
# Benchmarks: calcme on the CPU (Google Benchmark), then the frame rate of the
# real drawing path on a virtual 800x600x16 X server, with its breakdown.
# Run scripts/test.sh (or scripts/run.sh) once first, so the build exists.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j"$(nproc)" --target calcme_bench frame_bench
build/bench/calcme_bench
. scripts/xvfb.sh
start_xvfb
trap stop_xvfb EXIT
build/bench/frame_bench "${FRAMES:-1000}"
