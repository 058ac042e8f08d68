#!/usr/bin/env bash
# Processor use of the game while the player does nothing, under a real X
# server (Xvfb): at the title screen, at the command panel, and while a
# message waits for a click (the night after 寝る).
#
#   bench/idle/idle.sh [preset] [seconds]      (defaults: release 20)
#
# The game runs from a scratch folder (a copy of the program beside the
# build's cg/ and dat/ files) with a save made by kotou-save, so no save of
# the build folder is touched. The player is played by xdotool: つづける, then
# 寝る. The processor time of the game (all its threads, user + system, from
# /proc/<pid>/stat) over each interval is printed as a share of one core;
# the X server's own share is printed beside it. The goal while a message
# waits: at most 0.5 %.
#
# Needs Xvfb and xdotool; run as root, the script installs them with apt-get
# when they are missing. Sound goes to SDL's dummy device and the music to
# no device, so that only the game's own work is measured.
set -euo pipefail
cd "$(dirname "$0")/../.."

preset="${1:-release}"
seconds="${2:-20}"
bin="build/${preset}/bin"
for f in kotou kotou-save; do
  [ -x "$bin/$f" ] || { echo "build the ${preset} preset first: $bin/$f is missing" >&2; exit 1; }
done
[ -d "$bin/cg" ] || { echo "$bin/cg is missing: build kotou_generated_assets" >&2; exit 1; }

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y -q xvfb xdotool >/dev/null
  else
    echo "needs Xvfb and xdotool (apt-get install xvfb xdotool)" >&2
    exit 1
  fi
fi

work="$(mktemp -d)"
game=""
xserver=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  [ -n "$xserver" ] && kill "$xserver" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The game folder: the program, its audio module, the pictures, and the
# sounds and music one by one beside a save of our own.
cp "$bin/kotou" "$work/"
[ -f "$bin/kotou-sdl-audio.so" ] && cp "$bin/kotou-sdl-audio.so" "$work/"
ln -s "$(realpath "$bin/cg")" "$work/cg"
mkdir "$work/dat"
for f in "$bin"/dat/*; do
  case "$(basename "$f")" in my.dat) ;; *) ln -s "$(realpath "$f")" "$work/dat/" ;; esac
done
# A saved game on the first day, the first character at home.
printf 'currentCharacter=1\ndayNumber=1\n' > "$work/save.txt"
"$bin/kotou-save" write "$work/save.txt" "$work/dat/my.dat" >/dev/null

# A display of our own.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xserver=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
export DISPLAY=":$display"

SDL_AUDIODRIVER=dummy KOTOU_MUSIC_DRIVER=none "$work/kotou" >"$work/kotou.log" 2>&1 &
game=$!
window="$(xdotool search --sync --onlyvisible --name '孤島生活' | head -1)"
sleep 2  # the widgets made after the first paint, the sound device

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Processor share of the game and of the X server over `seconds`.
measure() {
  local label="$1" g0 x0 t0 g1 x1 t1
  g0=$(cpu_ticks "$game"); x0=$(cpu_ticks "$xserver"); t0=$(date +%s%N)
  sleep "$seconds"
  g1=$(cpu_ticks "$game"); x1=$(cpu_ticks "$xserver"); t1=$(date +%s%N)
  awk -v l="$label" -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v t=$((t1 - t0)) -v hz="$ticks" '
    BEGIN { s = t / 1e9
            printf "%-22s game %5.2f %% of a core   (X server %5.2f %%)   over %.1f s\n",
                   l, 100 * g / hz / s, 100 * x / hz / s, s }'
}
# A click at a point of the window (the window's own coordinates).
click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
}

measure "title screen"
click 320 364  # つづける (268, 352; 105 x 25)
sleep 2
kill -0 "$game" || { echo "the game ended; its output:" >&2; cat "$work/kotou.log" >&2; exit 1; }
measure "command panel"
click 186 308  # 寝る on the command panel at (124, 4): (6, 292; 113 x 25)
sleep 4        # the night's first message is revealed, then it waits
measure "message waiting"
