#!/usr/bin/env bash
# Start-up time of the game to its painted title screen at scale 2 (the
# window a 1080p screen gets), next to an empty Qt window of the same size on
# the same platform.
#
#   bench/startup/startup.sh [preset] [runs]     (defaults: release 20)
#
# kotou ends right after the first paint of the title screen when started
# with KOTOU_EXIT_AFTER_SHOWN=1; the empty window (compiled here from
# EmptyWindow.cpp) ends after its first paint in the same way. A third line
# times the empty window with the title's two buttons ("empty+buttons"): the
# part of kotou's start-up that any window showing that text pays. The
# ratio kotou / empty window is printed last (the goal: at most 1.5).
#
# Without a display the offscreen platform is used (QT_QPA_PLATFORM=
# offscreen); under X it shows real windows. Uses hyperfine when installed,
# else a timing loop.
set -euo pipefail
cd "$(dirname "$0")/../.."

preset="${1:-release}"
runs="${2:-20}"
kotou="build/${preset}/bin/kotou"
[ -x "$kotou" ] || { echo "build the ${preset} preset first: $kotou is missing" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
c++ -std=c++20 -O2 -fPIC bench/startup/EmptyWindow.cpp -o "$work/empty-window" \
    $(pkg-config --cflags --libs Qt6Widgets)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
fi
export KOTOU_EXIT_AFTER_SHOWN=1

empty="$work/empty-window"
if command -v hyperfine >/dev/null; then
  hyperfine --warmup 2 --runs "$runs" -N --export-json "$work/times.json" \
    -n "empty window" "$empty scale=2" -n "empty+buttons" "$empty buttons scale=2" \
    -n kotou "$kotou --scale 2"
  python3 - "$work/times.json" <<'PY' 2>/dev/null || true
import json, sys
r = {x["command"]: x["mean"] for x in json.load(open(sys.argv[1]))["results"]}
print("kotou / empty window: %.2f (goal: at most 1.5); empty+buttons / empty window: %.2f"
      % (r["kotou"] / r["empty window"], r["empty+buttons"] / r["empty window"]))
PY
  exit 0
fi

# Milliseconds of one run of a command.
time_one() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

measure() {
  local label="$1"; shift
  local times=() t
  "$@" >/dev/null 2>&1 || true  # warm-up: the first run fills the file cache
  for _ in $(seq "$runs"); do times+=("$(time_one "$@")"); done
  printf '%s\n' "${times[@]}" | sort -n | awk -v label="$label" '
    { v[NR] = $1; sum += $1 }
    END { printf "%-14s runs %3d  mean %6.1f ms  median %5d ms  min %5d ms  max %5d ms\n",
                 label, NR, sum / NR, v[int((NR + 1) / 2)], v[1], v[NR] }'
}

measure "empty window" "$empty" scale=2 | tee "$work/empty.txt"
measure "empty+buttons" "$empty" buttons scale=2
measure "kotou" "$kotou" --scale 2 | tee "$work/kotou.txt"
awk '{ for (i = 1; i < NF; ++i) if ($i == "mean") print $(i + 1) }' "$work/empty.txt" \
    "$work/kotou.txt" | paste -s -d ' ' |
  awk '{ printf "kotou / empty window: %.2f (goal: at most 1.5)\n", $2 / $1 }'
