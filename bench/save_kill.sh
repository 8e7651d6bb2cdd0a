#!/usr/bin/env bash
# Kills a program that saves a game over and over at random moments and then checks that every
# savegame the load window lists still loads. Usage: bench/save_kill.sh <build folder> [kills]
# (the build needs -DTARNOVA_BENCH=ON). Prints the number of listed and broken savegames.
set -euo pipefail
build=${1:?build folder}
kills=${2:-20}
probe="$build/bench/save_kill_probe"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for ((k = 1; k <= kills; k++)); do
  "$probe" save "$folder" 1000 &
  pid=$!
  # The game takes about a second to set up; then it saves for several seconds.
  sleep "$(awk -v s="$RANDOM" 'BEGIN { srand(s); printf "%.3f", 1.0 + rand() * 4.0 }')"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
"$probe" check "$folder"
