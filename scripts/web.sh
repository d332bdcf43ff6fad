#!/usr/bin/env bash
# Builds the demo for the browser with Emscripten into build/web and writes
# the page, a folder web/ of index.html and the files it loads:
# web.sh [--out DIR] writes DIR/web, dist/web unless DIR is given (the tests
# give one under build/). Serve that folder from a web server
# (scripts/serve.sh does, from 127.0.0.1).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=dist
if [ "${1:-}" = --out ]; then
  out=${2:?usage: web.sh [--out DIR]}
  shift 2
fi
[ $# -eq 0 ] || fail "usage: web.sh [--out DIR]"
build=build/web page=$out/web
pin_build
files=(index.html page.js page.css wavegrid.js wavegrid.wasm wavegrid.data)

rm -rf "$page" # from an earlier run: only this run's may stand there after it
step "installing Emscripten (scripts/deps.sh web)" scripts/deps.sh web
command -v emcc >/dev/null || fail "finding Emscripten's emcc failed: is emscripten installed?"
step "configuring the web build (cmake --preset web)" cmake --preset web >/dev/null
step "building wavegrid.js" cmake --build --preset web -j"$(nproc)"

# Gathered aside and moved in whole: a page folder that stands is a finished one.
rm -rf "$page.part" && mkdir -p "$page.part"
trap 'rm -rf "$page.part"' EXIT
for f in "${files[@]}"; do
  step "gathering $f" cp $build/$f "$page.part/"
done
mv "$page.part" "$page"
echo "$page: $(du -ck "${files[@]/#/$page/}" | tail -1 | cut -f1) KB"
