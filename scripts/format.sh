#!/usr/bin/env bash
# Formats the C++ sources with clang-format and the top's .clang-format;
# with --check it changes nothing and fails if any file would change.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
