#!/usr/bin/env bash
# Records the README's animation, docs/demo.gif, from the real demo on a
# virtual 800x600x16 X server: the pointer tilts the grid, then leaves it
# turning slowly while the frames are taken (scripts/helpers/record.py).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
step "installing the packages (scripts/deps.sh shots)" scripts/deps.sh shots
step "configuring the demo (cmake --preset demo)" cmake --preset demo >/dev/null
step "building the demo" cmake --build --preset demo -j"$(nproc)"
start_xvfb
build/demo/wavegrid &
demo=$!
trap 'stop $demo; stop_xvfb' EXIT
step "recording the frames" env PYTHONPATH=tests /usr/bin/python3 scripts/helpers/record.py docs/demo.gif $demo
ls -l docs/demo.gif
