#!/usr/bin/env bash
# Checks the format of the C++ sources, builds the tests and runs the whole
# suite: the unit tests and the end-to-end tests on every SDL 1.2 the machine
# has and the first's soak under memcheck in the Release build, the unit tests
# and every SDL's soak built with AddressSanitizer and UBSan, the Windows zip
# under Wine, the web page in three browser engines, the Debian packages
# installed by autopkgtest in a fresh root (ctest makes the sanitizer build,
# the zip, the page and the packages from the sources first). Needs root, for
# the packages and the roots.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
[ "$(id -u)" -eq 0 ] || fail "needs root: it installs packages and makes Debian roots"
# In a PID namespace of its own, where this script is process 1: whatever ends the run (Ctrl-C,
# a killed CI), nothing it started (Xvfb, Wine's server, a browser, the demo) outlives it.
[ $$ -eq 1 ] || exec unshare --pid --mount-proc --fork --kill-child "$0" "$@"
jobs=$(nproc)
# SDL.dll, which a new machine waits long for (on the processor) and which needs only a few
# packages, is made, or found kept, while the rest install: ctest's make_windows finds it there,
# or waits for it.
early=$(mktemp -d /var/tmp/wavegrid-early.XXXXXX)
trap 'rm -rf "$early"' EXIT
step "installing the Windows toolchain (scripts/deps.sh windows)" scripts/deps.sh windows
scripts/helpers/sdl-windows.sh "$early/sdl" >"$early/sdl.log" 2>&1 &
sdl=$!
step "installing the packages (scripts/deps.sh test)" scripts/deps.sh test
scripts/format.sh --check >"$early/format.log" 2>&1 & # beside the build, which it does not change
format=$!
configured=$(cmake --preset test) || fail "configuring the tests (cmake --preset test) failed"
grep 'under test' <<<"$configured"
step "building the tests (cmake --build --preset test)" cmake --build --preset test -j"$jobs"
wait $format || fail "the format check (scripts/format.sh --check) failed: $(cat "$early/format.log")"
# The job beside it is said whatever the suite's end: a failed one may be why it failed.
ctest --preset test -j"$jobs" || suite="the suite (ctest --preset test) failed"
wait $sdl || fail "building SDL.dll failed: $(tail -n 5 "$early/sdl.log")"
[ -z "${suite:-}" ] || fail "$suite"
