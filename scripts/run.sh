#!/usr/bin/env bash
# Builds the demo by the demo preset into build/demo and runs it full screen
# from the repository root, on the machine's SDL 1.2 (the classic one on
# Debian 12), or with SDL=compat on SDL 1.2 over SDL2 (sdl12-compat); the
# demo's exit status is passed through.
# With no X display to show it on, it hands over to scripts/screenshot.sh,
# which runs it on a virtual one and saves a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is unset): scripts/screenshot.sh takes a picture instead"
  exec scripts/screenshot.sh
fi
step "installing the packages (scripts/deps.sh run)" scripts/deps.sh run
step "configuring the demo (cmake --preset demo)" cmake --preset demo >/dev/null
step "building the demo" cmake --build --preset demo -j"$(nproc)"
if [ -n "${SDL:-}" ]; then
  use_sdl "$SDL"
fi
exec build/demo/wavegrid
