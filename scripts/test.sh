#!/usr/bin/env bash
# Builds everything and runs the whole suite: the Release build's unit and
# end-to-end tests, then the unit tests and the soak again built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then a memcheck run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAVEGRID_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs" --target unit_tests e2e_tests wavegrid
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs" -L 'unit|soak')
