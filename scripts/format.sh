#!/usr/bin/env bash
# Formats the C++ sources with clang-format and the top's .clang-format, and
# makes the README's controls table anew from cmake/controls.cmake; with
# --check it changes nothing and fails if any file would change, or if the
# shell scripts do not pass shellcheck (with the top's .shellcheckrc).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers/lib.sh
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
  clang-format --dry-run --Werror "${files[@]}" || fail "clang-format would change the above: run scripts/format.sh"
  mapfile -t scripts < <(git ls-files '*.sh' .ci/run debian/tests/installed)
  shellcheck "${scripts[@]}" || fail "shellcheck found the above in the shell scripts"
  copy=$(mktemp -d)
  trap 'rm -rf "$copy"' EXIT
  mkdir "$copy/cmake"
  cp README.md "$copy/"
  cp cmake/controls.cmake "$copy/cmake/"
  cmake -P "$copy/cmake/controls.cmake" >/dev/null
  cmp -s README.md "$copy/README.md" || fail "README.md's controls table is stale: run scripts/format.sh"
else
  clang-format -i "${files[@]}"
  cmake -P cmake/controls.cmake
fi
