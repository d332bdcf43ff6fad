#!/usr/bin/env bash
# Installs the Debian packages one use of the project needs:
#   deps.sh run       build and run the demo, on either SDL 1.2
#   deps.sh windows   build the Windows zip: MinGW-w64, and what SDL's source needs
#   deps.sh web       build the web page: Emscripten
#   deps.sh deb       build the Debian package and check it (debian/control's
#                     Build-Depends, and dpkg's and debhelper's tools)
#   deps.sh shots     run, and what scripts/screenshot.sh and remake-animation.sh take pictures with
#   deps.sh root      make Debian roots and test the packages in them:
#                     mmdebstrap, autopkgtest, bubblewrap, qemu-user for the arm64 package
#   deps.sh release   what scripts/release.sh checks and sums the artifacts with
#   deps.sh quick     build the demo and run its unit and end-to-end tests (the quick
#                     preset), on the machine's SDL 1.2
#   deps.sh test      all of the above, and the tests and benchmarks (Wine among them)
# As root it runs apt-get itself, showing what it installs and, if that
# fails, apt's last words; otherwise it prints the line to run and fails.
set -euo pipefail
# shellcheck source=helpers/lib.sh
. "$(dirname "$0")/helpers/lib.sh"

# build and deb: debian/control's Build-Depends, which dpkg-buildpackage checks.
# libsdl1.2-compat and libsdl2-2.0-0: sdl12-compat, beside the classic SDL
# 1.2 on Debian 12; on Debian 13 it is the only SDL 1.2 and libsdl1.2-dev's.
build=(cmake make g++ pkg-config libsdl1.2-dev libgl-dev libglu1-mesa-dev python3 python3-pil)
run=("${build[@]}" libgl1-mesa-dri libglx-mesa0 libsdl1.2-compat libsdl2-2.0-0)
windows=(cmake make pkg-config python3 python3-pil g++-mingw-w64-x86-64-win32 dpkg-dev xz-utils
  ca-certificates)
web=(cmake make emscripten python3 python3-pil)
deb=(build-essential debhelper dpkg-dev lintian desktop-file-utils appstream libgtest-dev)
shots=(xvfb xauth python3-xlib python3-numpy)
root=(mmdebstrap autopkgtest uidmap passwd bubblewrap lintian qemu-user-static systemd)
release=(git icoutils diffoscope-minimal)
quick=(libgtest-dev binutils openbox python3-pytest python3-pytest-xvfb python3-pytest-rerunfailures)
test=(wine64 clang-format shellcheck libbenchmark-dev valgrind x11-utils chromium chromium-driver
  python3-selenium firefox-esr webkit2gtk-driver python3-websocket)
case "${1:-test}" in
run) packages=("${run[@]}") ;;
windows) packages=("${windows[@]}") ;;
web) packages=("${web[@]}") ;;
deb) packages=("${build[@]}" "${deb[@]}") ;;
shots) packages=("${run[@]}" "${shots[@]}") ;;
quick) packages=("${run[@]}" "${shots[@]}" "${quick[@]}") ;;
root) packages=("${root[@]}") ;;
release) packages=("${release[@]}") ;;
test) packages=("${run[@]}" "${windows[@]}" "${web[@]}" "${deb[@]}" "${shots[@]}" "${root[@]}" "${release[@]}"
  "${quick[@]}" "${test[@]}") ;;
*) fail "no group '$1': the groups are run, windows, web, deb, shots, root, release, quick and test" ;;
esac
missing=()
for p in "${packages[@]}"; do
  [[ " ${missing[*]} " == *" $p "* ]] && continue # named by two groups
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

[ "$(id -u)" -eq 0 ] || fail "missing packages; run: sudo apt-get install -y ${missing[*]}"
exec 9>/var/lock/wavegrid-deps.lock # two at once (the tests' builds): the second waits
flock 9
echo "deps.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"; } \
  >"$log" 2>&1; then
  tail -n 20 "$log" >&2
  fail "installing the packages failed"
fi
