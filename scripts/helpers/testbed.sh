#!/usr/bin/env bash
# Makes the root where autopkgtest tests the packages: testbed.sh TARBALL.
# mmdebstrap makes it of this machine's release, with arm64 beside the
# machine's architecture and a user, tester, to run the demo as. The arm64
# programs run under qemu-user, registered here with binfmt_misc (flag F: in
# any root) as systemd-binfmt does at boot. autopkgtest's unshare testbed
# maps root's subordinate ids: a line for root, first (util-linux 2.38's
# unshare --map-auto reads the first line, whoever's it is). Needs root.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: testbed.sh TARBALL"
[ "$(id -u)" -eq 0 ] || fail "needs root: it registers qemu-user with binfmt_misc"
for ids in /etc/subuid /etc/subgid; do
  [ "$(head -n 1 "$ids" 2>/dev/null | cut -d: -f1)" = root ] && continue
  { grep '^root:' "$ids" 2>/dev/null || echo root:1000000:65536; grep -v '^root:' "$ids" 2>/dev/null || true; } >"$ids.new"
  step "giving root the first line of $ids" mv "$ids.new" "$ids"
done
[ -e /proc/sys/fs/binfmt_misc/register ] || # a new /proc may show its mount point empty
  step "mounting binfmt_misc" mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
[ -e /proc/sys/fs/binfmt_misc/qemu-aarch64 ] ||
  step "registering qemu-aarch64" /lib/systemd/systemd-binfmt /usr/lib/binfmt.d/qemu-aarch64.conf
# shellcheck disable=SC2016 # mmdebstrap's hooks are given the root as $1
step "making the testbed (mmdebstrap)" mmdebstrap --quiet --variant=apt --include=passwd \
  --architectures="$(dpkg --print-architecture),arm64" --customize-hook='chroot "$1" useradd --create-home tester' \
  "$(release)" "$1" "$(archive)"
