#!/usr/bin/env bash
# Time from process start to the first main-menu frame (median of 5 runs), once from the loose
# data folder and once from the package alone, and the peak memory of the game at the main menu.
# Beside the time, the CPU time the game had used when the frame was seen (its main thread, and
# all its threads with llvmpipe's and the texture decoders'): on a shared machine the wall-clock
# time follows the load, the CPU time much less.
# Usage: bench/startup.sh [build folder]   (default: build/, the optimised build of scripts/play)
# Runs under the current X display, or starts a private Xvfb when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
[ -x "$build/tarnova" ] || { echo "no $build/tarnova: build the game first (scripts/play builds build/)" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"; fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} TARNOVA_HEADLESS=1
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

# One run: prints "<ms to the first frame> <peak resident memory in KiB> <main thread CPU ms>
# <process CPU ms>".
run_once() {
  local game=$1
  rm -f "$game/log.html"
  (cd "$work" && HOME="$work/home" exec "$game/tarnova" -windowed >/dev/null 2>&1) &
  pid=$!
  local deadline=$((SECONDS + 60)) line=""
  while [ -z "$line" ]; do
    line=$(grep -o 'First frame drawn [0-9]* ms' "$game/log.html" 2>/dev/null || true)
    [ $SECONDS -lt $deadline ] && kill -0 "$pid" 2>/dev/null || { echo "the game did not reach its first frame" >&2; exit 1; }
    sleep 0.02
  done
  local tick main all
  tick=$(getconf CLK_TCK)
  main=$(awk -v t="$tick" '{ print int(($14 + $15) * 1000 / t) }' "/proc/$pid/task/$pid/stat")
  all=$(awk -v t="$tick" '{ print int(($14 + $15) * 1000 / t) }' "/proc/$pid/stat")
  sleep 1  # the main menu runs for a second
  local peak
  peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
  kill -TERM "$pid"
  wait "$pid" || true
  pid=""
  echo "$(echo "$line" | awk '{ print $4 }') $peak $main $all"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for data in loose package; do
  game="$work/$data"
  mkdir -p "$game" "$work/home"
  cp "$build/tarnova" "$game/"
  if [ $data = loose ]; then cp -r "$build/data" "$game/"; else cp "$build/tarnova.dat" "$game/"; fi
  : >"$work/runs"
  for _ in 1 2 3 4 5; do run_once "$game" >>"$work/runs"; done
  echo "$data: first main-menu frame after $(cut -d' ' -f1 "$work/runs" | median) ms (median of 5)," \
       "CPU $(cut -d' ' -f3 "$work/runs" | median) ms main thread / $(cut -d' ' -f4 "$work/runs" | median) ms all threads," \
       "peak memory $(cut -d' ' -f2 "$work/runs" | median) KiB, load $(cut -d' ' -f1 /proc/loadavg)"
done
