#!/usr/bin/env bash
# Builds the demo for the browser with Emscripten into build/web and writes
# the page, a folder web/ of index.html and the files it loads:
# web.sh [--out DIR] [--url ADDRESS] writes DIR/web, dist/web unless DIR is
# given (the tests give one under build/); ADDRESS, where the page will be
# public (https://…/), gives it a link preview card. Serve that folder from
# a web server (scripts/serve.sh does, from 127.0.0.1).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
usage="usage: web.sh [--out DIR] [--url ADDRESS]"
out=dist url=
while [ $# -gt 0 ]; do
  case $1 in
    --out) out=${2:?$usage} ;;
    --url) url=${2:?$usage} ;;
    *) fail "$usage" ;;
  esac
  shift 2
done
build=build/web page=$out/web
pin_build

rm -rf "$page" # from an earlier run: only this run's may stand there after it
step "installing Emscripten (scripts/deps.sh web)" scripts/deps.sh web
command -v emcc >/dev/null || fail "finding Emscripten's emcc failed: is emscripten installed?"
step "configuring the web build (cmake --preset web)" cmake --preset web -DWAVEGRID_PUBLIC_URL="$url" >/dev/null
step "building wavegrid.js" cmake --build --preset web -j"$(nproc)"

# Gathered aside and moved in whole: a page folder that stands is a finished one.
rm -rf "$page.part" && mkdir -p "$(dirname "$page")"
trap 'rm -rf "$page.part"' EXIT
step "gathering the page" cp -r $build/page "$page.part"
mv "$page.part" "$page"
echo "$page: $(find "$page" -type f | wc -l) files, $(du -sk "$page" | cut -f1) KB"
