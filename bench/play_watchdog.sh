#!/usr/bin/env bash
# The long play under the watchdog (tests/e2e/play_watchdog.sh) on the optimised build: 300 rounds
# with the water reflections on and 300 with them off, failing when the game draws no frame for
# 30 seconds. Prints the rounds played, the frames shown and the longest frame of each game.
# Usage: bench/play_watchdog.sh [build folder] [rounds]   (default: build/, 300 rounds)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-300}
[ -x "$build/tarnova" ] || { echo "no $build/tarnova: build the game first (scripts/play builds build/)" >&2; exit 1; }
[ -x "$build/tarnova-e2e-helper" ] || { echo "no $build/tarnova-e2e-helper: configure with -DTARNOVA_TESTS=ON" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"; fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -shared -fPIC -O2 -o "$work/swap_counter.so" "$root/bench/swap_counter.c" -ldl
export SWAP_COUNTER_FILE="$work/frames"
export PLAY_ROUNDS=$rounds PLAY_ROUNDS_NO_REFLECTIONS=$rounds
start=$SECONDS
LD_PRELOAD="$work/swap_counter.so" bash "$root/tests/e2e/play_watchdog.sh" "$build/tarnova" "$build"
echo "wall time $((SECONDS - start)) s"
echo "games in order (reflections on, then off):"
cat "$SWAP_COUNTER_FILE"
