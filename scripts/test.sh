#!/usr/bin/env bash
# Checks the format of the C++ sources, builds everything and runs the whole
# suite: the unit tests, the end-to-end tests and the soak on every SDL 1.2
# the machine has and a memcheck run in the Release build, the Windows zip
# under Wine, the web page in headless Chromium, the Debian package installed
# in a fresh root; then the unit tests and the soaks again built with
# AddressSanitizer and UBSan. Needs root, for the packages and the root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
step "installing the packages (scripts/deps.sh test)" scripts/deps.sh test
step "the format check (scripts/format.sh)" scripts/format.sh --check
step "the Windows build (scripts/windows.sh)" scripts/windows.sh >/dev/null
step "the web build (scripts/web.sh)" scripts/web.sh frame_batched frame_emulated >/dev/null
step "the Debian package (scripts/deb.sh)" scripts/deb.sh >/dev/null
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DWAVEGRID_TESTS=ON | grep 'under test'
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAVEGRID_SANITIZE=ON \
  -DWAVEGRID_TESTS=ON >/dev/null
cmake --build build-asan -j"$jobs" --target logic_tests frame wavegrid
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$jobs" -L 'unit|soak')
