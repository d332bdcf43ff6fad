#!/usr/bin/env bash
# Installs the Debian packages one use of the project needs:
#   deps.sh run    build and run the demo (on either SDL 1.2), save a screenshot
#   deps.sh test   that, and the tests and benchmarks
#   deps.sh anim   that, and what scripts/anim.sh records the README's animation with
# As root it runs apt-get itself; otherwise it prints the line to run and fails.
set -euo pipefail

run=(cmake make g++ pkg-config libsdl1.2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libglx-mesa0 libsdl1.2-compat libsdl2-2.0-0 xvfb xauth libx11-dev libpng-dev)
python=(python3 python3-xlib python3-pil)
test=(clang-format binutils libgtest-dev libbenchmark-dev valgrind openbox x11-utils
  python3-pytest python3-pytest-xvfb python3-numpy)
case "${1:-test}" in
run) packages=("${run[@]}") ;;
anim) packages=("${run[@]}" "${python[@]}") ;;
*) packages=("${run[@]}" "${python[@]}" "${test[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
