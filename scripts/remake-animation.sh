#!/usr/bin/env bash
# Records the README's animation, docs/demo.gif, from the real demo on a
# virtual 800x600x16 X server: the pointer tilts the grid, then leaves it
# turning slowly while the frames are taken.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
step "installing the packages (scripts/deps.sh anim)" scripts/deps.sh anim
step "configuring the demo (cmake --preset demo)" cmake --preset demo >/dev/null
step "building the demo" cmake --build --preset demo -j"$(nproc)"
start_xvfb
build/demo/wavegrid &
demo=$!
trap 'kill -TERM $demo; wait $demo; stop_xvfb' EXIT
sleep 2
step "recording the frames" /usr/bin/python3 scripts/helpers/record.py docs/demo.gif
ls -l docs/demo.gif
