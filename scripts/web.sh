#!/usr/bin/env bash
# Builds the demo for the browser with Emscripten into build/web and writes
# dist/web: index.html and the three files it loads. Serve that folder from
# a web server (scripts/serve.sh does, from 127.0.0.1). Targets named after
# it are built too, into build/web (the tests' and the benchmark's).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=build/web
files=(index.html wavegrid.js wavegrid.wasm wavegrid.data)

rm -rf dist/web # from an earlier run: only this run's may stand there after it
step "installing Emscripten (scripts/deps.sh web)" scripts/deps.sh web
command -v emcc >/dev/null || fail "finding Emscripten's emcc failed: is emscripten installed?"
step "configuring the web build (cmake --preset web)" cmake --preset web >/dev/null
step "building wavegrid.js" cmake --build --preset web -j"$(nproc)" --target wavegrid "$@"

# Gathered aside and moved in whole: a dist/web that stands is a finished one.
rm -rf dist/web.part && mkdir -p dist/web.part
for f in "${files[@]}"; do
  step "gathering $f" cp $out/$f dist/web.part/
done
mv dist/web.part dist/web
echo "dist/web: $(du -ck "${files[@]/#/dist/web/}" | tail -1 | cut -f1) KB"
