#!/usr/bin/env bash
# Checks the format of the C++ sources, builds the tests and runs the whole
# suite: the unit tests and the end-to-end tests on every SDL 1.2 the machine
# has and the first's soak under memcheck in the Release build, the Windows zip
# under Wine, the web page in three browser engines, the Debian package
# installed in a fresh root (ctest makes the zip, the page and the package
# from the sources first); then the unit tests and every SDL's soak built
# with AddressSanitizer and UBSan. Needs root, for the packages and the root.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
[ "$(id -u)" -eq 0 ] || fail "needs root: it installs packages and makes Debian roots"
# In a PID namespace of its own, where this script is process 1: whatever ends the run (Ctrl-C,
# a killed CI), nothing it started (Xvfb, Wine's server, a browser, the demo) outlives it.
[ $$ -eq 1 ] || exec unshare --pid --mount-proc --fork --kill-child "$0" "$@"
jobs=$(nproc)
# The arm64 package's cross root (and the base under it) is made, or found fresh, in the cache
# while the packages install, both waiting mostly on the archive; ctest's make_arm64 finds it
# there, or waits for it.
step "installing what makes a Debian root (scripts/deps.sh root)" scripts/deps.sh root
cross=$(mktemp -d /var/tmp/wavegrid-cross.XXXXXX)
scripts/mkroot.sh "$(release)" "$cross" cross >"$cross.log" 2>&1 &
making=$!
step "installing the packages (scripts/deps.sh test)" scripts/deps.sh test
step "the format check (scripts/format.sh)" scripts/format.sh --check
configured=$(cmake --preset test) || fail "configuring the tests (cmake --preset test) failed"
grep 'under test' <<<"$configured"
step "building the tests (cmake --build --preset test)" cmake --build --preset test -j"$jobs"
step "the suite (ctest --preset test)" ctest --preset test -j"$jobs"
wait $making || fail "making the cross root failed: $(tail -n 5 "$cross.log")"
rm -rf --one-file-system "$cross" "$cross.log"
step "configuring the sanitizer build (cmake --preset asan)" cmake --preset asan >/dev/null
step "building the sanitizer build" cmake --build --preset asan -j"$jobs"
step "the suite under the sanitizers (ctest --preset asan)" ctest --preset asan -j"$jobs"
