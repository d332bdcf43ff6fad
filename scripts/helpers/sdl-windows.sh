#!/usr/bin/env bash
# Builds SDL 1.2.15 for 64-bit Windows as SDL.dll, from Debian 12's source
# package with Debian's patches, and installs it into the folder given, with
# SDL's licence (COPYING) and what the zip says of it (ABOUT: how it was
# built, from which source, and what its licence allows). apt gets a
# source list and a lists folder of its own for this, on the machine's own
# Debian archive: the machine's configuration stays as it is. Debian 13 has
# no classic SDL 1.2 to build, so the source always comes from Debian 12.
# A build is kept in the release's folder of the machine's cache
# (/var/cache/wavegrid, or $WAVEGRID_CACHE) and copied
# from there while the source's version, MinGW-w64's and this script are
# the same; where the cache can't be written, SDL is built each time.
set -euo pipefail
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: sdl-windows.sh PREFIX"
prefix=$(realpath -m "$1")
work=$prefix.work
rm -rf "$work" "$prefix"
mkdir -p "$work/sources" "$work/lists/partial"
mirror=$(archive)
cat >"$work/sources/bookworm-src.sources" <<EOT
Types: deb-src
URIs: $mirror
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOT
lists=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources" -o "Dir::State::Lists=$work/lists"
  -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
step "reading Debian 12's source index" apt-get -qq "${lists[@]}" update
version=$(apt-cache "${lists[@]}" showsrc libsdl1.2 | sed -n 's/^Version: //p' | sort -V | tail -n 1)
[ -n "$version" ] || fail "no libsdl1.2 in Debian 12's source index"
tools=$(dpkg-query -W -f '${Package} ${Version}\n' gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64) ||
  fail "finding MinGW-w64's version failed: is it installed? (scripts/deps.sh windows)"
key="libsdl1.2 $version; $tools; $(sha256sum <"$0")"
kept=${WAVEGRID_CACHE:-/var/cache/wavegrid}/$(release)/windows-sdl
# A user's run may not write the cache: it builds SDL each time.
if mkdir -p "${kept%/*}" 2>/dev/null && [ -w "${kept%/*}" ]; then
  exec 9>"$kept.lock" # two runs at once: the second waits for the first's build
  flock 9
  if [ -f "$kept/KEY" ] && [ "$(cat "$kept/KEY")" = "$key" ]; then
    step "copying SDL.dll of libsdl1.2 $version from $kept" cp -a "$kept/sdl" "$work/dest"
    sed -i "s|^prefix=.*|prefix=$prefix|" "$work/dest/lib/pkgconfig/sdl.pc" "$work/dest/bin/sdl-config"
    mv "$work/dest" "$prefix"
    rm -rf "$work"
    exit 0
  fi
else
  kept=
fi
cd "$work"
step "fetching the source package libsdl1.2" apt-get -qq "${lists[@]}" source --download-only "libsdl1.2=$version"
step "unpacking libsdl1.2" dpkg-source -q -x libsdl1.2_*.dsc sdl >/dev/null
cd sdl
options=(--enable-shared --disable-static --disable-audio --disable-joystick --disable-cdrom
  --disable-directx)
step "configuring SDL for x86_64-w64-mingw32" ./configure -q --host=x86_64-w64-mingw32 \
  --prefix="$prefix" "${options[@]}"
step "building SDL" make -s -j"$(nproc)" >/dev/null
# Installed aside and moved in whole: a folder that exists is a finished build.
step "installing SDL" make -s install DESTDIR="$work/dest" >/dev/null
step "stripping SDL.dll" x86_64-w64-mingw32-strip --strip-unneeded "$work/dest$prefix/bin/SDL.dll"
cp COPYING "$work/dest$prefix/COPYING"
cat >"$work/dest$prefix/ABOUT" <<EOT
SDL.dll is SDL 1.2.15 for x86_64-w64-mingw32, configured with
${options[*]},
built from Debian 12's source package libsdl1.2, version $version, with
Debian's patches (apt-get source libsdl1.2=$version).

It is under the GNU Lesser General Public License 2.1, below: you may
replace it with another build of SDL 1.2. SDL's entry code (SDLmain), linked
into wavegrid.exe, is in the public domain.

EOT
if [ -n "$kept" ]; then # kept whole or not at all
  step "keeping SDL.dll in $kept" bash -c "rm -rf '$kept' '$kept.part' && mkdir '$kept.part' &&
    cp -a '$work/dest$prefix' '$kept.part/sdl' && echo '$key' >'$kept.part/KEY' && mv '$kept.part' '$kept'"
fi
mv "$work/dest$prefix" "$prefix"
rm -rf "$work"
