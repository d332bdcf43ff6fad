#!/bin/sh
# Starts the demo in the folder that holds its data, since it reads
# data/sprite01.bmp from its working folder. Found beside this launcher
# wherever the demo was installed: games/../share/games/wavegrid. Should that
# folder be gone, the demo says itself what it misses.
here=$(dirname "$(readlink -f "$0")")
cd "$here/../share/games/wavegrid" 2>/dev/null || cd /
exec "$here/../lib/games/wavegrid/wavegrid" "$@"
