#!/usr/bin/env bash
# Builds the demo and runs it full screen from the repository root, on the
# classic SDL 1.2, or with SDL=compat on SDL 1.2 over SDL2 (sdl12-compat).
# With no X display it runs on a virtual one for a few seconds, saves a
# screenshot to build/screenshot.png and ends it with a quit request.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=build/demo
step "installing the packages (scripts/deps.sh run)" scripts/deps.sh run
step "configuring the demo (cmake --preset demo)" cmake --preset demo >/dev/null
step "building the demo" cmake --build --preset demo -j"$(nproc)"
if [ "${SDL:-}" = compat ]; then
  folder=$(sdl12s | awk '$1 == "compat" { print $2 }')
  [ -n "$folder" ] || fail "finding sdl12-compat failed: is libsdl1.2-compat installed?"
  export LD_LIBRARY_PATH=$folder
fi

if [ -n "${DISPLAY:-}" ]; then
  exec $out/wavegrid
fi

start_xvfb
trap stop_xvfb EXIT
$out/wavegrid &
demo=$!
sleep "${SHOT_AFTER:-4}"
step "taking the screenshot" $out/shot $out/screenshot.png
kill -TERM "$demo"
status=0
wait "$demo" || status=$?
echo "No display: ran on a virtual one, screenshot saved to $out/screenshot.png"
exit "$status"
