#!/usr/bin/env bash
# What the real game costs while a player looks at it: CPU (% of one core, all the
# game's threads), frames drawn per second and the peak resident memory (at the
# title, and after the whole tour) and when the title was first shown (ms from the
# launch), on each screen a player rests on: the title,
# the main menu over the landscape, a level with nothing moving, the game menu over
# it, and the window unfocused. The game
# runs in a 640 x 480 window under an X server (Xvfb, started here when DISPLAY is
# not set: software GL, as on a machine without a GPU) and is led from screen to
# screen with xdotool. Each figure is the median of RUNS runs (3) of SECONDS (10)
# per screen, on a private copy of the data with one player.
#
#   bench/power.sh [BUILD_DIR] [GAME OPTIONS...]   (default build/; e.g. --fps 0)
#
# Needs: apt-get install xvfb xdotool. Build the game and its data first
# (./run does). A game without --print-fps shows no frame rate ("-").
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
shift || true
runs="${RUNS:-3}"
seconds="${SECONDS_PER_SCREEN:-10}"
game="$build/orbelquaint"
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" > /dev/null || { echo "power.sh: needs $tool (apt-get install xvfb xdotool x11-utils)" >&2; exit 2; }
done
[ -x "$game" ] && [ -x "$build/orbel-script" ] && [ -d "$build/Data" ] || {
  echo "power.sh: build orbelquaint, orbel-script and orbel-data in $build first" >&2
  exit 2
}

work="$(mktemp -d)"
xvfb=
gp=
cleanup() {
  [ -n "$gp" ] && kill "$gp" 2> /dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xwininfo -root > /dev/null 2>&1 && break; sleep 0.1; done
fi

export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
cp -r "$build/Data" "$work/Data"
rm -rf "$work/Data/settings"
# One player, so that a key at the title leads to the main menu.
printf 'play 1 adventure\nframes 2\n' | "$build/orbel-script" --data "$work/Data" - > /dev/null
printFps=()
"$game" --help | grep -q -- --print-fps && printFps=(--print-fps)

tick="$(getconf CLK_TCK)"
# CPU % and frames a second of the running game over `seconds`.
measure() {
  local t0 t1 s0 s1 f0 f1
  t0=$(awk '{ print $14 + $15 }' "/proc/$gp/stat")
  s0=$EPOCHREALTIME
  f0=$(tail -n 1 "$work/fps" 2> /dev/null || true)
  sleep "$seconds"
  t1=$(awk '{ print $14 + $15 }' "/proc/$gp/stat")
  s1=$EPOCHREALTIME
  f1=$(tail -n 1 "$work/fps" 2> /dev/null || true)
  awk -v t0="$t0" -v t1="$t1" -v s0="$s0" -v s1="$s1" -v tick="$tick" -v a="$f0" -v b="$f1" '
    function frame(line, f) { return line ~ /frames a second/ && split(line, f, /[ ()]+/) >= 7 ? f[6] : -1 }
    function at(line, f) { return line ~ /frames a second/ && split(line, f, /[ ()]+/) >= 7 ? f[8] : -1 }
    BEGIN {
      fps = "-"
      if (frame(a) >= 0 && at(b) > at(a)) fps = sprintf("%.1f", (frame(b) - frame(a)) / (at(b) - at(a)))
      else if (frame(a) >= 0) fps = "0"
      printf "%.1f %s\n", (t1 - t0) * 100 / tick / (s1 - s0), fps
    }'
}

# One run: a line per screen, "screen cpu fps peakMiB".
run_once() {
  local launch="$EPOCHREALTIME"
  "$game" --window --data "$work/Data" "${printFps[@]}" "$@" > "$work/fps" 2>&1 &
  gp=$!
  local wid
  wid=$(xdotool search --sync --name '^Orbelquaint$' | head -n 1)
  sleep 2
  awk -v launch="$launch" '/^title shown at/ { printf "shown %.0f\n", ($4 - launch) * 1000 }' "$work/fps"
  echo "title $(measure)"
  echo "titlepeak $(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$gp/status")"
  xdotool windowfocus --sync "$wid" key space
  sleep 3
  echo "menu $(measure)"
  # Adventure, then its Start (window pixels of the 640 x 480 client area).
  xdotool mousemove --window "$wid" 505 55 click 1
  sleep 2
  xdotool mousemove --window "$wid" 560 440 click 1
  sleep 8
  echo "level $(measure)"
  xdotool key Escape
  sleep 2
  echo "gamemenu $(measure)"
  xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
  sleep 1
  echo "unfocused $(measure)"
  echo "peak $(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$gp/status")"
  kill "$gp"
  wait "$gp" 2> /dev/null || true
  gp=
}

for i in $(seq "$runs"); do run_once "$@"; done > "$work/runs"
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "median of $runs runs of ${seconds} s a screen (load average $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-26s %8s %8s\n' "screen" "CPU %" "frames/s"
for screen in title menu level gamemenu unfocused; do
  cpu=$(awk -v s="$screen" '$1 == s { print $2 }' "$work/runs" | median)
  fps=$(awk -v s="$screen" '$1 == s { print $3 }' "$work/runs" | median)
  case $screen in
    title) name="title" ;;
    menu) name="main menu over the map" ;;
    level) name="a level at rest" ;;
    gamemenu) name="the game menu" ;;
    unfocused) name="window unfocused" ;;
  esac
  printf '%-26s %8s %8s\n' "$name" "$cpu" "${fps:--}"
done
shown=$(awk '$1 == "shown" { print $2 }' "$work/runs" | median)
echo "title shown ${shown:--} ms from launch"
echo "peak resident memory at the title $(awk '$1 == "titlepeak" { print $2 }' "$work/runs" | median) MiB," \
  "after play $(awk '$1 == "peak" { print $2 }' "$work/runs" | median) MiB"
