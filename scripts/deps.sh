#!/usr/bin/env bash
# Installs the Debian packages the demo, its tests and its benchmarks need.
# As root it runs apt-get itself; otherwise it prints the line to run and fails.
set -euo pipefail

packages=(
  cmake make g++ pkg-config clang-format
  libsdl1.2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libglx-mesa0
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libx11-dev libxtst-dev libpng-dev
  valgrind
)

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
