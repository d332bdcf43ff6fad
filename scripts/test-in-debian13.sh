#!/usr/bin/env bash
# Runs the test command, scripts/test.sh, in a fresh Debian 13 root on a
# clean clone of this repository's HEAD (commit first: what is not committed
# is not tested). mmdebstrap makes the root from the machine's Debian
# archive; bubblewrap runs the test in it as the root of a mount namespace of
# its own (so its Debian roots and user namespaces work as on a machine),
# with a fresh /proc and a /dev of a few nodes; the root goes after. Debian
# 13's folder of the machine's cache (where SDL.dll is kept) is copied in
# before and back after: nothing the host made for its own release. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
[ "$(id -u)" -eq 0 ] || fail "needs root: it makes a Debian 13 root and runs the suite in it as root"
step "installing mmdebstrap and bubblewrap (scripts/deps.sh root)" scripts/deps.sh root
root=$(mktemp -d /var/tmp/wavegrid-debian13.XXXXXX)
trap 'rm -rf --one-file-system "$root"' EXIT
step "making a fresh Debian 13 root (mmdebstrap)" mmdebstrap --quiet --variant=apt --include=git trixie "$root" "$(archive)"
step "cloning the repository into the root" git clone -q "$PWD" "$root/work"
cache=${WAVEGRID_CACHE:-/var/cache/wavegrid}/trixie
mkdir -p "$cache" "$root/var/cache/wavegrid"
step "copying Debian 13's cache into the root" cp -a "$cache" "$root/var/cache/wavegrid/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "== Debian 13 root $root: scripts/test.sh"
status=0
# (Debian 13's autopkgtest binds /dev/console into its testbed, as /dev's own few nodes.)
bwrap --bind "$root" / --proc /proc --dev /dev --dev-bind-try /dev/console /dev/console --ro-bind /sys /sys \
  --unshare-pid --die-with-parent \
  env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  bash -c 'cd /work && scripts/test.sh' || status=$?
step "copying Debian 13's cache back" cp -a "$root/var/cache/wavegrid/trixie/." "$cache/"
[ $status -eq 0 ] || fail "the test command in the Debian 13 root failed (status $status)"
