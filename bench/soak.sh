#!/usr/bin/env bash
# The soak: the real game played with random but valid input for FRAMES frames
# (1,000,000 by default, about 4.4 hours of play at 16 ms a frame) from SEED, by the
# runner's `soak` command, on a private copy of the data with private settings and
# player folders. Every run of the runner plays until its close (now and then, about
# every 60,000 frames) or the menus' exit; the next run starts from what it saved.
# Prints the frames done, the restarts, the resident memory every 100,000 frames,
# the peak resident memory, whether the memory stayed flat after the first minute
# of frames (3,600) of each run, and any stop: a crash, an abort, a hang or a stuck
# state, with the runner's last words. Run by hand, never in CI:
#
#   nice -n 10 bench/soak.sh [FRAMES [SEED [BUILD_DIR]]]     (default build/)
#
# Exit status: 0 when every frame ran, 1 after a stop, 2 for bad arguments.
# KEEP=1 keeps the work folder (the data copy, the logs of every run);
# RESTART_EVERY=N closes about every N frames instead (0: never, one long run);
# GFX=gl draws with OpenGL (software GL under the offscreen driver: slow).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
total="${1:-1000000}"
seed="${2:-1}"
every="${RESTART_EVERY:-60000}"
gfx="${GFX:-null}"
build="$(cd "${3:-$root/build}" && pwd)"
runner="$build/orbel-script"
[[ "$total" =~ ^[0-9]+$ && "$seed" =~ ^[0-9]+$ && "$every" =~ ^[0-9]+$ && "$gfx" =~ ^(null|gl)$ ]] || {
  echo "usage: bench/soak.sh [FRAMES [SEED [BUILD_DIR]]]" >&2
  exit 2
}
[ -x "$runner" ] && [ -d "$build/Data" ] || {
  echo "soak.sh: build orbel-script and orbel-data in $build first" >&2
  exit 2
}

work="$(mktemp -d)"
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
cp -r "$build/Data" "$work/Data"
rm -rf "$work/Data/settings"
mkdir -p "$work/config" "$work/share" "$work/logs"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share"

done_frames=0
restarts=0
run=0
status=0
start_time=$SECONDS
echo "soak: $total frames from seed $seed in $work"
while [ "$done_frames" -lt "$total" ]; do
  log="$work/logs/run-$run"
  (cd "$work" && "$runner" --data "$work/Data" --gfx "$gfx" --seed $((seed + run)) - \
     > "$log.out" 2> "$log.err" <<< "soak $((total - done_frames)) $done_frames $every")
  code=$?
  cat "$log.out" >> "$work/logs/all.out"
  awk '$1 == "soak" && $2 == "memory" && $3 % 100000 == 0 {
         printf "  frame %8d  resident %7d KiB  peak of this run %7d KiB\n", $3, $4, $5 }' \
    "$log.out"
  last="$(grep -E '^soak (restart|end|stop) ' "$log.out" | tail -n 1)"
  frame="$(awk '{ print $3 }' <<< "$last")"
  if [ "$code" -ne 0 ] || [ -z "$last" ] || [[ "$last" == "soak stop"* ]]; then
    if [ "$code" -gt 128 ]; then
      echo "STOP in run $run: the runner died of signal $((code - 128))"
    else
      echo "STOP in run $run (exit status $code): ${last:-no end reported}"
    fi
    grep -E '^soak (memory|scenes)' "$log.out" | tail -n 2 | sed 's/^/  last report: /'
    tail -n 15 "$log.err" | sed 's/^/  stderr: /'
    [ -n "${frame:-}" ] && done_frames=$frame
    status=1
    break
  fi
  done_frames=$frame
  run=$((run + 1))
  [[ "$last" == "soak restart"* ]] && restarts=$((restarts + 1))
done

echo "frames done: $done_frames of $total in $((SECONDS - start_time)) s"
echo "restarts:    $restarts ($(grep -c ' quit$' "$work/logs/all.out" || true) by the menus' exit)"
awk '$1 == "soak" && $2 == "scenes" { t += $4 + $6 + $8; l += $4; m += $6; g += $8 }
     END { if (t) printf "frames in:   title %.1f%%  menus %.1f%%  play %.1f%%\n",
                         100 * l / t, 100 * m / t, 100 * g / t }' "$work/logs/all.out"
# The menu screens shown, with their frames over all runs.
awk '$1 == "soak" && $2 == "screens" { for (i = 3; i <= NF; i++) { split($i, p, ":"); f[p[1]] += p[2] } }
     END { n = 0; line = "screens:    "
           for (s in f) { line = line " " s " " f[s]; if (++n % 6 == 0) { print line; line = "            " } }
           if (n % 6) print line }' "$work/logs/all.out"
# Memory: the peak over all runs; after each run's first minute of frames, the
# range the resident memory kept, and whether the second half of the soak ever
# held more than the first half did (a leak climbs; scenery coming and going only
# moves it within its range).
awk -v total="$done_frames" '$1 == "soak" && $2 == "memory" {
       if ($5 > peak) peak = $5
       if ($6 < 3600) next
       if (low == "" || $4 < low) low = $4
       if ($4 > high) high = $4
       if ($3 * 2 <= total) { if ($4 > early) early = $4 } else if ($4 > late) late = $4
     }
     END {
       printf "peak resident memory: %d KiB (%.1f MiB)\n", peak, peak / 1024
       printf "resident after the first minute of each run: %d..%d KiB\n", low, high
       printf "most resident, first half %d KiB, second half %d KiB\n", early, late
       if (!early || !late) print "memory: too few frames after a first minute to judge"
       else print (late <= early + 1024 ? "memory: flat after the first minute of frames" \
                                        : "memory: NOT flat: the second half held more than the first")
     }' "$work/logs/all.out"
[ "$status" -eq 0 ] && echo "stops: none"
exit "$status"
