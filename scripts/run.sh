#!/usr/bin/env bash
# Builds the demo and runs it full screen from the repository root, on the
# classic SDL 1.2, or with SDL=compat on SDL 1.2 over SDL2 (sdl12-compat).
# With no X display it runs on a virtual one for a few seconds, saves a
# screenshot to build/screenshot.png and ends it with a quit request.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DWAVEGRID_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target wavegrid shot
if [ "${SDL:-}" = compat ]; then
  export LD_LIBRARY_PATH=/usr/lib/$(gcc -print-multiarch)/sdl12-compat
fi

if [ -n "${DISPLAY:-}" ]; then
  exec build/wavegrid
fi

. scripts/lib.sh
start_xvfb
trap stop_xvfb EXIT
build/wavegrid &
demo=$!
sleep "${SHOT_AFTER:-4}"
build/shot build/screenshot.png
kill -TERM "$demo"
status=0
wait "$demo" || status=$?
echo "No display: ran on a virtual one, screenshot saved to build/screenshot.png"
exit "$status"
