#!/usr/bin/env bash
# Installs the Debian packages one use of the project needs:
#   deps.sh run       build and run the demo (on any SDL 1.2), save a screenshot
#   deps.sh windows   build the Windows zip: MinGW-w64, SDL's source, Wine
#   deps.sh web       build the web page: Emscripten
#   deps.sh deb       build the Debian package and check it
#   deps.sh cross     build it for arm64, in the cross root scripts/deb.sh arm64 makes
#   deps.sh anim      run, and what scripts/remake-animation.sh records the animation with
#   deps.sh root      what scripts/mkroot.sh makes a Debian root with
#   deps.sh test      all of the above, and the tests and benchmarks
# As root it runs apt-get itself, showing what it installs and, if that
# fails, apt's last words; otherwise it prints the line to run and fails.
set -euo pipefail
. "$(dirname "$0")/helpers/lib.sh"

# libsdl1.2-compat and libsdl2-2.0-0: sdl12-compat, beside the classic SDL
# 1.2 on Debian 12; on Debian 13 it is the only SDL 1.2 and libsdl1.2-dev's.
run=(cmake make g++ pkg-config libsdl1.2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libglx-mesa0 libsdl1.2-compat libsdl2-2.0-0 xvfb xauth libx11-dev libpng-dev)
windows=(g++-mingw-w64-x86-64-win32 dpkg-dev xz-utils ca-certificates wine64)
web=(cmake make emscripten)
deb=(dpkg-dev file lintian desktop-file-utils)
cross=(crossbuild-essential-arm64 cmake make pkg-config libsdl1.2-dev:arm64 libgl-dev:arm64
  libglu1-mesa-dev:arm64 libx11-dev:arm64 libpng-dev:arm64)
python=(python3 python3-xlib python3-pil)
root=(debootstrap git tar util-linux)
test=(clang-format binutils libgtest-dev libbenchmark-dev valgrind openbox x11-utils
  python3-pytest python3-pytest-xvfb python3-numpy chromium chromium-driver python3-selenium
  firefox-esr webkit2gtk-driver python3-websocket)
case "${1:-test}" in
run) packages=("${run[@]}") ;;
windows) packages=("${run[@]}" "${windows[@]}") ;;
web) packages=("${web[@]}") ;;
deb) packages=("${run[@]}" "${deb[@]}") ;;
cross) packages=("${cross[@]}" "${deb[@]}") ;;
anim) packages=("${run[@]}" "${python[@]}") ;;
root) packages=("${root[@]}") ;;
test) packages=("${run[@]}" "${windows[@]}" "${web[@]}" "${deb[@]}" "${python[@]}" "${root[@]}"
  "${test[@]}") ;;
*) fail "no group '$1': the groups are run, windows, web, deb, cross, anim, root and test" ;;
esac
# arm64 packages beside the machine's own (multiarch): only in a root of ours.
if [[ " ${packages[*]}" == *:arm64* ]] && ! dpkg --print-foreign-architectures | grep -qx arm64; then
  [ "$(id -u)" -eq 0 ] || fail "adding the arm64 architecture needs root"
  dpkg --add-architecture arm64
fi

missing=()
for p in "${packages[@]}"; do
  [[ " ${missing[*]} " == *" $p "* ]] && continue # named by two groups
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

[ "$(id -u)" -eq 0 ] || fail "missing packages; run: sudo apt-get install -y ${missing[*]}"
echo "deps.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"; } \
  >"$log" 2>&1; then
  tail -n 20 "$log" >&2
  fail "installing the packages failed"
fi
