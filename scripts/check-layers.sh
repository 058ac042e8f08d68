#!/usr/bin/env bash
# Fails on an include that goes against the order of the folders: a folder
# may include its own headers and those of the layers below it, never those
# of a layer above. docs/architecture.md draws the order.
set -euo pipefail
cd "$(dirname "$0")/.."

# From the bottom up; folders on one line form one layer.
layers=(
  "state mixer"
  "shell"
  "production"
  "daycycle field combat companions story ending"
  "game"
  "platform"
  "app tools tests bench"
)

declare -A level
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do level[$folder]=$i; done
done

status=0
while IFS= read -r file; do
  from="${file%%/*}"
  [ -n "${level[$from]+set}" ] || continue
  while IFS=: read -r line target; do
    to="${target%%/*}"
    [ -n "${level[$to]+set}" ] || continue
    if [ "${level[$to]}" -gt "${level[$from]}" ]; then
      echo "$file:$line: $from/ includes $target from the layer above it" >&2
      status=1
    fi
  done < <(grep -n -o '^#include "[a-z]*/[^"]*"' "$file" | sed 's/#include "//; s/"$//')
done < <(git ls-files '*.cpp' '*.h')

if [ "$status" -eq 0 ]; then echo "check-layers: every include follows the order"; fi
exit "$status"
