#!/usr/bin/env bash
# Serves the web page that scripts/web.sh writes, dist/web, from 127.0.0.1
# until Ctrl-C: serve.sh [FOLDER [PORT]], port 8000 unless given (0: any
# free one), with the headers a careful host sends (scripts/helpers/serve.py:
# a strict Content-Security-Policy, .wasm as application/wasm). The first
# line says where to open it. Opened from a file, the page can't load its
# .wasm: the browser needs a server, a local one will do.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
folder=${1:-dist/web} port=${2:-8000}
[ -f "$folder/index.html" ] || fail "no page in $folder: build it with scripts/web.sh"
exec python3 scripts/helpers/serve.py "$folder" "$port"
