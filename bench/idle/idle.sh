#!/usr/bin/env bash
# What the game costs while the player does nothing, under a real X server
# (Xvfb, 1920x1080, the game at scale 2): at the title screen after its
# animation, at the command panel, and while a message waits for a click (the
# night after 寝る). An empty Qt window of the same size, measured in the same
# run, is the baseline.
#
#   bench/idle/idle.sh [preset] [seconds]      (defaults: release 20)
#
# Two figures per phase: wake-ups per second (voluntary context switches of
# all the process's threads, from /proc/<pid>/task/*/status) and the share of
# one core (user + system time of all threads, from /proc/<pid>/stat). Goals:
#   command panel          at most 2 wake-ups/s, at most 0.05 % of a core
#   title after animation  at most 2 wake-ups/s
#   message waiting        at most 8 wake-ups/s, at most 0.3 % of a core
#
# The game runs from a scratch folder (a copy of the program beside the
# build's cg/ and dat/ files) with a save made by kotou-save and settings of
# its own, so no save and no setting of the player is touched. The player is
# played by xdotool: つづける, then 寝る.
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
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xserver=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
export DISPLAY=":$display"

c++ -std=c++20 -O2 -fPIC bench/startup/EmptyWindow.cpp -o "$work/empty-window" \
    $(pkg-config --cflags --libs Qt6Widgets)

# Nanoseconds on the processor of all threads (sched_info: exact, where the
# ticks of /proc/<pid>/stat count in hundredths of a second).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { print n + 0 }'; }
wakeups() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
# Wake-ups per second and processor share of process $2 over `seconds`.
measure() {
  local label="$1" pid="$2" c0 w0 t0 c1 w1 t1
  c0=$(cpu_ns "$pid"); w0=$(wakeups "$pid"); t0=$(date +%s%N)
  sleep "$seconds"
  c1=$(cpu_ns "$pid"); w1=$(wakeups "$pid"); t1=$(date +%s%N)
  awk -v l="$label" -v c=$((c1 - c0)) -v w=$((w1 - w0)) -v t=$((t1 - t0)) '
    BEGIN { printf "| %-24s | %10.1f | %7.3f %% |\n", l, w * 1e9 / t, 100 * c / t }'
}

echo "| phase                    | wake-ups/s | CPU share |"
echo "|--------------------------|-----------:|----------:|"

# The baseline: an empty window of the game's size at scale 2.
"$work/empty-window" stay scale=2 >/dev/null 2>&1 &
empty=$!
xdotool search --sync --onlyvisible --name 'empty window' >/dev/null
sleep 2
measure "empty window" "$empty"
kill "$empty"; wait "$empty" 2>/dev/null || true

export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
SDL_AUDIODRIVER=dummy KOTOU_MUSIC_DRIVER=none "$work/kotou" --scale 2 --windowed \
  >"$work/kotou.log" 2>&1 &
game=$!
window="$(xdotool search --sync --onlyvisible --name '孤島生活' | head -1)"
sleep 5  # the widgets made after the first paint, the sound device, the title animation

# A click at a point of the scene (scale 1 coordinates; the window is at scale 2).
click() {
  xdotool mousemove --window "$window" $(($1 * 2)) $(($2 * 2)) click 1
}

measure "title after animation" "$game"
click 320 364  # つづける (268, 352; 105 x 25)
sleep 3        # the reply is shown, the sound device goes idle
kill -0 "$game" || { echo "the game ended; its output:" >&2; cat "$work/kotou.log" >&2; exit 1; }
measure "command panel" "$game"
click 186 308  # 寝る on the command panel at (124, 4): (6, 292; 113 x 25)
sleep 4        # the night's first message is revealed, then it waits
measure "message waiting" "$game"
