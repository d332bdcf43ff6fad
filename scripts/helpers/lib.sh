# shellcheck shell=bash
# Sourced by the scripts: the helpers they share.

# step WHAT COMMAND...: runs the command; if it fails, says which step failed
# and with what status, and ends the script with status 1.
step() {
  local what=$1 status=0
  shift
  "$@" || status=$?
  [ "$status" -eq 0 ] || fail "$what failed (status $status)"
}

fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# Starts a private Xvfb of the demo's 800x600x16 and exports DISPLAY;
# stop_xvfb ends it, and may be called whether it started or not.
start_xvfb() {
  local out
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 800x600x16 -noreset -nolisten tcp 3>"$out" 2>"$out.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    { [ -s "$out" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; } && break # up, or gone
    sleep 0.1
  done
  if [ ! -s "$out" ]; then
    stop_xvfb
    fail "Xvfb did not start: $(tail -n 5 "$out.log"; rm -f "$out" "$out.log")"
  fi
  DISPLAY=":$(tr -d '\n' <"$out")"
  export DISPLAY
  rm -f "$out" "$out.log"
}

stop_xvfb() {
  stop "${XVFB_PID:-}"
}

# stop PID: ends a process of this script's that may be gone already.
stop() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# use_sdl classic|compat: the demo started after it runs on that SDL 1.2.
use_sdl() {
  local folder
  folder=$(sdl12s | awk -v k="$1" '$1 == k { print $2 }')
  [ -n "$folder" ] || fail "finding the $1 SDL 1.2 failed: is it installed? (docs/linux.md)"
  export LD_LIBRARY_PATH=$folder
}

# Pins what a build may vary by, so that the same commit gives the same bytes
# anywhere: the one time it may write is SOURCE_DATE_EPOCH if given, else the
# last commit's, else (a source tarball, no .git) the newest entry's of
# debian/changelog, as Debian's tools take it; files are made with umask 022,
# the locale and the time zone are fixed. From the top of the tree.
pin_build() {
  local stamp
  if [ -z "${SOURCE_DATE_EPOCH:-}" ] && [ -e .git ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) || fail "reading the last commit's time failed"
  elif [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    stamp=$(sed -n 's/^ -- .*>  //p' debian/changelog | head -n 1)
    SOURCE_DATE_EPOCH=$(date -d "$stamp" +%s) ||
      fail "no SOURCE_DATE_EPOCH given, no commit, and no date in debian/changelog's newest entry"
  fi
  export SOURCE_DATE_EPOCH LC_ALL=C.UTF-8 TZ=UTC
  umask 022
}

# The codename of the Debian release this machine runs (bookworm, trixie).
release() {
  (. /etc/os-release && echo "$VERSION_CODENAME")
}

# copy_sources DIR: the sources, as git tracks them and new files it does not
# ignore; in a source tarball, unpacked, all but what builds make.
copy_sources() {
  mkdir -p "$1"
  if [ -e .git ]; then
    git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -C "$1" -xf -
  else
    tar --exclude=./build --exclude=./dist -cf - . | tar -C "$1" -xf -
  fi
}

# lint FILE...: lintian finds no error and no warning in the packages. The
# demo has no homepage to name: Debian 13's lintian passes AppStream's
# warning of that on as its own tag, which debian/rules' check (appstreamcli,
# every other issue heeded) makes needless; Debian 12's knows no such tag.
lint() {
  local quiet=()
  lintian-explain-tags appstream-metadata-validation-failed >/dev/null 2>&1 &&
    quiet=(--suppress-tags appstream-metadata-validation-failed)
  lintian --fail-on error,warning "${quiet[@]}" "$@"
}

# The Debian archive this machine installs from: the first deb source of its
# own release in apt's configuration, so a local mirror or proxy serves too.
archive() {
  local release uri
  release=$(release)
  # shellcheck disable=SC2016 # apt's own $(FIELD)s
  uri=$(apt-get indextargets --no-release-info --format '$(TARGET_OF) $(RELEASE) $(REPO_URI)' \
    'Created-By: Packages' 2>/dev/null | awk -v r="$release" '$1 == "deb" && $2 == r { print $3; exit }')
  [ -n "$uri" ] || fail "no deb source for Debian's $release suite in apt's configuration"
  echo "$uri"
}

# The SDL 1.2s on this machine, a line each: kind and folder. Classic SDL
# 1.2, or sdl12-compat (SDL 1.2 over SDL2), in the library folder or one of
# its own below it; the first of each kind. Debian 12 has both, 13 compat.
# tests/CMakeLists.txt finds them the same way.
sdl12s() {
  local dir lib kind seen=" "
  dir=/usr/lib/$(gcc -print-multiarch)
  for lib in "$dir"/libSDL-1.2.so.0 "$dir"/*/libSDL-1.2.so.0; do
    [ -e "$lib" ] || continue
    kind=classic
    grep -q libSDL2 "$lib" && kind=compat
    case $seen in *" $kind "*) continue ;; esac
    seen="$seen$kind "
    echo "$kind $(dirname "$lib")"
  done
}
