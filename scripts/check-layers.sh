#!/usr/bin/env bash
# Fails on an include that goes against the order of the folders: a folder
# may include its own headers and those of the levels below it, never those
# of a level above, nor those of another folder on its own level.
# docs/architecture.md draws the order; the CMake libraries link the same way.
set -euo pipefail
cd "$(dirname "$0")/.."

# From the bottom up. Folders on one line know nothing of each other.
levels=(
  "state mixer"
  "shell"
  "gains"
  "production"
  "story"
  "daycycle"
  "combat"
  "field"
  "companions"
  "ending"
  "game"
  "platform"
  "app"
  "tools"
  "tests"
  "bench"
)

declare -A level
for i in "${!levels[@]}"; do
  for folder in ${levels[$i]}; do level[$folder]=$i; done
done

status=0
while IFS= read -r file; do
  from="${file%%/*}"
  [ -n "${level[$from]+set}" ] || continue
  while IFS=: read -r line target; do
    to="${target%%/*}"
    [ -n "${level[$to]+set}" ] || continue
    if [ "${level[$to]}" -gt "${level[$from]}" ]; then
      echo "$file:$line: $from/ includes $target from a level above it" >&2
      status=1
    elif [ "${level[$to]}" -eq "${level[$from]}" ] && [ "$to" != "$from" ]; then
      echo "$file:$line: $from/ includes $target from another folder on its level" >&2
      status=1
    fi
  done < <(grep -n -o '^#include "[a-z]*/[^"]*"' "$file" | sed 's/#include "//; s/"$//')
done < <(git ls-files '*.cpp' '*.h')

if [ "$status" -eq 0 ]; then echo "check-layers: every include follows the order"; fi
exit "$status"
