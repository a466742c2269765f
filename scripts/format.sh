#!/usr/bin/env bash
# Formats every C and C++ source of the tree with the pinned clang-format
# (the root's .clang-format); with --check, changes nothing and fails when a
# file is not formatted, naming it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CLANG_FORMAT="${CLANG_FORMAT:-clang-format-14}"
cd "$ROOT"
mapfile -t files < <(find platform xml htmllabel framework addin tools tests bench fuzz \
  -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) | sort)
if [ "${1:-}" = "--check" ]; then
  exec "$CLANG_FORMAT" --dry-run --Werror "${files[@]}"
fi
"$CLANG_FORMAT" -i "${files[@]}"
