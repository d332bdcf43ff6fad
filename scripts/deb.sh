#!/usr/bin/env bash
# Builds the Debian package of the demo for this machine's architecture and
# release, and checks it: deb.sh [--out DIR] writes
# DIR/wavegrid_<version>_<arch>.deb, into dist/ unless DIR is given (the
# tests give one under build/). How: scripts/helpers/pack-deb.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
out=dist
if [ "${1:-}" = --out ]; then
  out=${2:?usage: deb.sh [--out DIR]}
  shift 2
fi
[ $# -eq 0 ] || fail "usage: deb.sh [--out DIR] (the arm64 package: scripts/deb-arm64.sh)"
exec scripts/helpers/pack-deb.sh deb "$out"
