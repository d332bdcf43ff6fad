#!/usr/bin/env bash
# Records the README's animation, docs/demo.gif, from the real demo on a
# virtual 800x600x16 X server: the pointer tilts the grid, then leaves it
# turning slowly while the frames are taken.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh anim
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target wavegrid
. scripts/lib.sh
start_xvfb
build/wavegrid &
demo=$!
trap 'kill -TERM $demo; wait $demo; stop_xvfb' EXIT
sleep 2
/usr/bin/python3 scripts/record.py docs/demo.gif
ls -l docs/demo.gif
