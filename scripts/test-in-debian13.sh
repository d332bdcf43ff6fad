#!/usr/bin/env bash
# Runs the test command, scripts/test.sh, in a fresh Debian 13 root on a
# clean clone of this repository's HEAD (commit first: what is not committed
# is not tested). The root is removed after. It is lent a cache of its own,
# Debian 13's folder of the host's cache, where its bases and qemu-user are
# made once and kept: nothing the host made for its own release. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
[ "$(id -u)" -eq 0 ] || fail "needs root: it makes a Debian 13 root and mounts in it"
root=$(mktemp -d /var/tmp/wavegrid-debian13.XXXXXX)
trap 'rm -rf --one-file-system "$root"' EXIT
step "making a fresh Debian 13 root" scripts/mkroot.sh trixie "$root"
step "cloning the repository into the root" git clone -q "$PWD" "$root/work"
cache=${WAVEGRID_CACHE:-/var/cache/wavegrid}/trixie
mkdir -p "$cache"
echo "== Debian 13 root $root, its cache $cache: scripts/test.sh"
step "the test command in the Debian 13 root" \
  scripts/inroot.sh --cache "$cache" "$root" /bin/bash -c 'cd /work && scripts/test.sh'
