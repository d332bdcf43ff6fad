#!/usr/bin/env bash
# Builds the demo by the demo preset, runs it on a virtual 800x600x16 X
# server until it has drawn, saves the screen as build/demo/screenshot.png
# and ends it with a quit request; on the machine's SDL 1.2, or with
# SDL=compat on sdl12-compat. The demo's exit status is passed through. The screen is
# read by the one grabber, the tests' (scripts/helpers/shoot.py, with tests/support/demo.py).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
shot=build/demo/screenshot.png
step "installing the packages (scripts/deps.sh shots)" scripts/deps.sh shots
step "configuring the demo (cmake --preset demo)" cmake --preset demo >/dev/null
step "building the demo" cmake --build --preset demo -j"$(nproc)"
if [ -n "${SDL:-}" ]; then
  use_sdl "$SDL"
fi
start_xvfb
build/demo/wavegrid &
demo=$!
trap 'stop $demo; stop_xvfb' EXIT
step "taking the screenshot" env PYTHONPATH=tests /usr/bin/python3 scripts/helpers/shoot.py "$shot" $demo
kill -TERM $demo 2>/dev/null || fail "the demo ended before its quit request"
status=0
wait $demo || status=$?
echo "$shot: the demo on a virtual 800x600x16 screen; it ended with status $status"
exit $status
