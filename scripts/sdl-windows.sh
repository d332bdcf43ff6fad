#!/usr/bin/env bash
# Builds SDL 1.2.15 for 64-bit Windows, static, from Debian 12's source
# package with Debian's patches, and installs it into the folder given.
# apt gets a source list and a lists folder of its own for this: the
# machine's stay as they are. Debian 13 has no classic SDL 1.2 to build,
# so the source always comes from Debian 12.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: sdl-windows.sh PREFIX"
prefix=$(realpath -m "$1")
work=$prefix.work
rm -rf "$work" "$prefix"
mkdir -p "$work/sources" "$work/lists/partial"
cat >"$work/sources/bookworm-src.sources" <<EOT
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOT
apt=(apt-get -qq -o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
  -o "Dir::State::Lists=$work/lists")
step "reading Debian 12's source index" "${apt[@]}" update
cd "$work"
step "fetching the source package libsdl1.2" "${apt[@]}" source --download-only libsdl1.2
step "unpacking libsdl1.2" dpkg-source -q -x libsdl1.2_*.dsc sdl >/dev/null
cd sdl
step "configuring SDL for x86_64-w64-mingw32" ./configure -q --host=x86_64-w64-mingw32 \
  --prefix="$prefix" --disable-shared --enable-static --disable-audio --disable-joystick \
  --disable-cdrom --disable-directx
step "building SDL" make -s -j"$(nproc)" >/dev/null
# Installed aside and moved in whole: a folder that exists is a finished build.
step "installing SDL" make -s install DESTDIR="$work/dest" >/dev/null
mv "$work/dest$prefix" "$prefix"
rm -rf "$work"
