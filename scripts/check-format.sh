#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what the repository's
# .clang-format makes of it. The version is pinned: another clang-format
# release formats some constructs differently.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter="${CLANG_FORMAT:-clang-format-14}"
if ! command -v "$formatter" >/dev/null; then
  echo "check-format: $formatter is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! "$formatter" --dry-run --Werror "${files[@]}"; then
  echo "check-format: run $formatter -i on the files above" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files clean"
