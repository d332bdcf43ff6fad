#!/usr/bin/env bash
# Makes a release from the committed tree: the Debian packages for amd64 and
# arm64, the Windows zip and the web page, each by its script, into dist/
# with SHA256SUMS beside them, and says what it made. The same commit gives
# the same bytes wherever and whenever it is built (docs/release.md says how
# to check one). A tree with changes not committed is refused, named. dist/
# is replaced whole, and only once every artifact is made and checked.
# Needs root, for the arm64 package's cross root (mmdebstrap).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
changed=$(git status --porcelain | cut -c4- | tr '\n' ' ') || fail "no git repository: a release is made from a commit"
[ -z "$changed" ] || fail "not committed: ${changed% }. A release is made from a commit."
step "installing the release's tools (scripts/deps.sh release)" scripts/deps.sh release
pin_build
version=$(sed -n 's/^project(wavegrid VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p build
stage=$(mktemp -d build/release.XXXXXX)
trap 'rm -rf "$stage"' EXIT
echo "== wavegrid $version, commit $(git rev-parse --short HEAD), SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"
step "the Debian package (scripts/deb.sh)" scripts/deb.sh --out "$stage"
step "the Debian package for arm64 (scripts/deb-arm64.sh)" scripts/deb-arm64.sh --out "$stage"
step "the Windows zip (scripts/windows.sh)" scripts/windows.sh --out "$stage"
step "the web page (scripts/web.sh)" scripts/web.sh --out "$stage"
# shellcheck disable=SC2094 # SHA256SUMS is left out of what is summed
(cd "$stage" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | sort | xargs sha256sum >SHA256SUMS) ||
  fail "summing the artifacts failed"
rm -rf dist
mv "$stage" dist
chmod 755 dist
echo "== dist/, wavegrid $version:"
(cd dist && find . -type f | sed 's|^\./||' | sort | xargs du -k | awk '{ printf "  %-40s %5d KB\n", $2, $1 }')
