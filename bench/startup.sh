#!/usr/bin/env bash
# Start-up speed and memory of the real game loop, through the headless runner, with
# OpenGL (software GL under the offscreen driver) and with the recording device:
#   first loading frame  from the process start to the first loading frame shown
#   title interactive    from the process start to the title's first frame shown
#   peak RSS at title    the most memory held resident up to then
#   entering the map     the fade's last frame, the hand-over (the landscape loads)
#                        and the map's first frame
#   entering a level     a second later, `play` (the level, its background and
#                        scenery load) and its first two frames
#   peak RSS in play     the most memory held resident after 60 frames of the level
# Each figure is the median of RUNS runs (5) after one warm-up run, on a private copy
# of the data (so the warm-up leaves the player files a returning player has).
#
#   bench/startup.sh [BUILD_DIR]      (default build-release: a Release build)
#
# Build it first:
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-release --target orbel-script orbel-data
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build-release}" && pwd)"
runs="${RUNS:-5}"
runner="$build/orbel-script"
[ -x "$runner" ] && [ -d "$build/Data" ] || {
  echo "startup.sh: build orbel-script and orbel-data in $build first" >&2
  exit 2
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$build/Data" "$work/Data"
rm -rf "$work/Data/settings"

# The runner's frames take no game time to speak of, so the real time a player
# spends is slept: the title's 800 ms fade, and a moment in the menus (the sound
# decoding that start-up left to its worker goes on meanwhile, as in the game).
script='frames 1
mark title
key SPACE
frames 50
sleep 800
mark fade
frames 2
mark map
sleep 1000
mark menu
play 5 adventure
frames 2
mark level
frames 60
mark play'

# One run: prints "loading title titleKiB map level playKiB" (ms, ms, KiB, ms, ms, KiB).
run_once() {
  local gfx="$1" start out
  start="${EPOCHREALTIME/[.,]/}"
  out="$(SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
         "$runner" --data "$work/Data" --gfx "$gfx" - <<< "$script")"
  awk -v start="$start" '
    $1 == "mark" { wall[$2] = $3; first = $4; peak[$2] = $5 }
    END {
      printf "%.1f %.1f %d %.1f %.1f %d\n", (first - start) / 1000, (wall["title"] - start) / 1000,
             peak["title"], (wall["map"] - wall["fade"]) / 1000,
             (wall["level"] - wall["menu"]) / 1000, peak["play"]
    }' <<< "$out"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

report() {
  local name="$1" gfx="$2" rows
  run_once "$gfx" > /dev/null
  rows="$(for _ in $(seq "$runs"); do run_once "$gfx"; done)"
  col() { awk -v c="$1" '{ print $c }' <<< "$rows" | median; }
  printf '%-10s first loading frame %7s ms   title interactive %7s ms   peak RSS at title %6s MiB\n' \
    "$name" "$(col 1)" "$(col 2)" "$(awk '{ printf "%.1f", $1 / 1024 }' <<< "$(col 3)")"
  printf '%-10s entering the map    %7s ms   entering a level  %7s ms   peak RSS in play  %6s MiB\n' \
    "" "$(col 4)" "$(col 5)" "$(awk '{ printf "%.1f", $1 / 1024 }' <<< "$(col 6)")"
}

echo "median of $runs runs (load average $(cut -d' ' -f1-3 /proc/loadavg))"
report "GL" gl
report "recording" null
