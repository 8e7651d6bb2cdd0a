#!/usr/bin/env bash
# The whole program on the optimised build, as a player meets it, printed as one markdown table:
# start-up to the first main-menu frame (bench/startup.sh), the frame times of the main menu, the
# nation selection, the earth view and the earth view with windows open (the game's own buffer
# swaps, counted by bench/swap_counter.c) beside the clear-and-swap floor measured in the same X
# server before and after (bench_presentation BM_FrameFloor), "next round" from the click to the
# frame that shows the round, the save and the load from their buttons to the log's line, the
# save and load of a 100-round game (bench_game), and the game's peak memory (VmHWM). The date,
# the machine, the Mesa version and the load average head the table.
# Usage: bench/whole_game.sh [build folder]   (default: build/, configured with
#   -DCMAKE_BUILD_TYPE=Release -DTARNOVA_TESTS=ON -DTARNOVA_BENCH=ON)
# Runs under the current X display, or starts a private Xvfb when there is none. About 5 minutes.
# WHOLE_GAME_SHOTS=<folder> keeps a screenshot (F10) of each measured screen there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
for f in tarnova tarnova.dat tarnova-e2e-helper bench/bench_presentation bench/bench_game; do
  [ -e "$build/$f" ] || { echo "no $build/$f: configure with -DTARNOVA_TESTS=ON -DTARNOVA_BENCH=ON and build" >&2; exit 1; }
done
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"; fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} TARNOVA_HEADLESS=1
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
load() { cut -d' ' -f1-3 /proc/loadavg; }
now() { date +%s%3N; }
LoadStart=$(load)
step() { echo "whole_game: $*" >&2; }
step "start-up"

# --- start-up ---------------------------------------------------------------------------------
bash "$root/bench/startup.sh" "$build" >"$work/startup"
StartLoose=$(awk '/^loose:/ { print $6 }' "$work/startup")
StartPackage=$(awk '/^package:/ { print $6 }' "$work/startup")
PeakMenu=$(sed -n 's/^package:.*peak memory \([0-9]*\) KiB.*/\1/p' "$work/startup")
LoadStartup=$(load)

# --- the floor ----------------------------------------------------------------------------------
# floor: the clear-and-swap frame of a 1024 x 768 window in this X server, in ms (median of 3).
floor() {
  "$build/bench/bench_presentation" --benchmark_filter='^BM_FrameFloor' --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null |
    python3 -c 'import json,sys; b=[x for x in json.load(sys.stdin)["benchmarks"] if x.get("aggregate_name")=="median"][0]; print("%.2f" % b["real_time"])'
}
step "floor"
FloorBefore=$(floor)
step "the game"

# --- the game ---------------------------------------------------------------------------------
cc -shared -fPIC -O2 -o "$work/swap_counter.so" "$root/bench/swap_counter.c" -ldl
game="$work/game"
mkdir -p "$game" "$work/home"
cp "$build/tarnova" "$build/tarnova.dat" "$game/"
export SWAP_TIMES_FILE="$work/swaps" SWAP_COUNTER_FILE="$work/frames"
: >"$SWAP_TIMES_FILE"
(cd "$work/home" && HOME="$work/home" LD_PRELOAD="$work/swap_counter.so" exec "$game/tarnova" -windowed >/dev/null 2>&1) &
pid=$!
log="$game/log.html"
wait_log() {
  local deadline=$((SECONDS + ${2:-60}))
  until grep -qF -- "$1" "$log" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ] || { echo "the game never logged \"$1\"" >&2; exit 1; }
    sleep 0.005
  done
}
count() { grep -cF -- "$1" "$log" || true; }
# wait_count TEXT N: until log.html holds TEXT more than N times.
wait_count() {
  local deadline=$((SECONDS + 60))
  while [ "$(count "$1")" -le "$2" ]; do
    kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ] || { echo "the game never logged \"$1\" again" >&2; exit 1; }
    sleep 0.005
  done
}
wait_log "First frame drawn"
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --all --onlyvisible --pid "$pid" --name "^Tarnova" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no game window" >&2; exit 1; }
point() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.2; }
click() { point "$1" "$2"; xdotool click --window "$window" 1; sleep 0.5; }
key() { xdotool key --window "$window" "$1"; sleep 0.5; }
Mesa=$(grep -o 'Mesa [0-9][0-9.]*' "$log" | head -n 1 || true)
shots=0
# shot NAME: after a stage's measurement, its screen as NAME.png in WHOLE_GAME_SHOTS.
shot() {
  [ -n "${WHOLE_GAME_SHOTS:-}" ] || return 0
  mkdir -p "$WHOLE_GAME_SHOTS"
  xdotool key --window "$window" F10
  local file="$work/home/Documents/tarnova/screenshots/screenshot$shots.png"
  for _ in $(seq 1 50); do [ -f "$file" ] && break; sleep 0.1; done
  sleep 0.3
  cp "$file" "$WHOLE_GAME_SHOTS/$1.png" 2>/dev/null || echo "no screenshot of $1" >&2
  shots=$((shots + 1))
}

# frames SECONDS: the frames drawn over the next SECONDS with the mouse at rest, as
# "<median ms> <fps> <longest ms>".
frames() {
  local from
  from=$(wc -l <"$SWAP_TIMES_FILE")
  sleep "$1"
  tail -n +"$((from + 1))" "$SWAP_TIMES_FILE" | awk '
    NR > 1 { d[++n] = $1 - last; if ($1 - last > max) max = $1 - last }
    { last = $1; if (NR == 1) first = $1 }
    END {
      if (n == 0) { print "- - -"; exit }
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (d[j] < d[i]) { t = d[i]; d[i] = d[j]; d[j] = t }
      printf "%.1f %.1f %.0f\n", d[int((n + 1) / 2)], n * 1000 / (last - first), max
    }'
}
sleep 2  # the menu fades in
read -r MenuMs MenuFps MenuMax < <(frames 10)
shot main_menu
LoadMenu=$(load)
click 168 228  # "single player"
sleep 1        # its sub-menu fades in
click 448 228  # "new game"
sleep 2
read -r SelectMs SelectFps SelectMax < <(frames 10)
shot nation_selection
LoadSelect=$(load)
maps=$(count "TEarth->UpDateRegionMap->")
click 910 713  # "start game"
wait_count "TEarth->UpDateRegionMap->" "$maps"
point 512 100  # the mouse over the sky, away from the buttons
sleep 3
read -r EarthMs EarthFps EarthMax < <(frames 10)
shot earth_view
LoadEarth=$(load)

# "next round" ten times: from the click to the frame after the one in flight when the click came
# (the main loop reads input between frames, so that frame is the first to show the round).
: >"$work/rounds"
for _ in $(seq 1 10); do
  key Escape  # the information centre of the last round
  maps=$(count "TEarth->UpDateRegionMap->")
  point 922 682
  t=$(now)
  xdotool click --window "$window" 1
  wait_count "TEarth->UpDateRegionMap->" "$maps"
  sleep 0.5
  awk -v t="$t" '$1 > t { if (++n == 2) { printf "%.1f\n", $1 - t; exit } }' "$SWAP_TIMES_FILE" >>"$work/rounds"
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
RoundMs=$(median <"$work/rounds")
RoundMax=$(sort -n "$work/rounds" | tail -n 1)
LoadRounds=$(load)

# The information centre is open after the round; the research window and the transfer market too.
key F3
key F5
point 512 100
sleep 2
read -r WindowsMs WindowsFps WindowsMax < <(frames 10)
shot earth_view_windows
LoadWindows=$(load)
key Escape
key Escape
key Escape

# Save from the system bar, load the same game from it: the button's click to the log's line.
# click_to_log X Y TEXT: milliseconds from a click at X, Y to log.html's next TEXT.
click_to_log() {
  local before t
  before=$(count "$3")
  point "$1" "$2"
  t=$(now)
  xdotool click --window "$window" 1
  wait_count "$3" "$before"
  echo $(($(now) - t))
}
click 86 28  # "save game"
sleep 1
SaveMs=$(click_to_log 315 549 "TGame->SaveToXML->Game saved")  # "Save"
sleep 1
key Escape
click 142 28  # "load game"
sleep 1
click 300 242  # the newest save
LoadMs=$(click_to_log 364 549 "TGame->LoadFromXML->Game loaded")  # "Load"
sleep 1
shot loaded
sleep 2
PeakGame=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
click 30 28  # back to the main menu, which the window's close button ends without asking
sleep 2
"$build/tarnova-e2e-helper" close "$window"
for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill "$pid" 2>/dev/null || true
wait "$pid" || true
pid=""
LoadGame=$(load)
step "floor again"
FloorAfter=$(floor)

# --- a 100-round game saved and loaded (bench_game) --------------------------------------------
step "save and load of a 100-round game"
"$build/bench/bench_game" --benchmark_filter='^BM_SaveGame$|^BM_LoadGame$' --benchmark_format=json 2>/dev/null >"$work/game.json"
read -r Save100 Load100 Bytes100 < <(python3 -c '
import json, sys
b = {x["name"]: x for x in json.load(open(sys.argv[1]))["benchmarks"]}
def ms(x): return x["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1, "s": 1e3}[x["time_unit"]]
s = next(v for k, v in b.items() if k.startswith("BM_SaveGame"))
l = next(v for k, v in b.items() if k.startswith("BM_LoadGame"))
print("%.2f %.2f %s" % (ms(s), ms(l), int(s.get("bytes", 0)) or "-"))' "$work/game.json")
LoadEnd=$(load)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.0f", a / b; else print "-" }'; }
cpu=$(lscpu | sed -n 's/^Model name: *//p' | head -n 1)
cat <<EOF
Date: $(date -u '+%Y-%m-%d %H:%M UTC'). Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo).
GL: ${Mesa:-Mesa (version not logged)} llvmpipe under Xvfb, 1024 x 768 window, release build at $(git -C "$root" rev-parse --short HEAD).
Load average (1/5/15 min) at the start: $LoadStart; at the end: $LoadEnd.

| figure | value | goal | load (1/5/15 min) |
|---|---|---|---|
| start-up to the first main-menu frame, loose data / package | $StartLoose / $StartPackage ms (median of 5) | < 1 s | $LoadStartup |
| clear-and-swap floor, before / after the game | $FloorBefore / $FloorAfter ms | | |
| main menu, frame (median, fps, longest) | $MenuMs ms, $MenuFps fps, $MenuMax ms; x $(ratio "$MenuMs" "$FloorBefore") floor | ≤ 16.7 ms | $LoadMenu |
| nation selection, frame | $SelectMs ms, $SelectFps fps, $SelectMax ms; x $(ratio "$SelectMs" "$FloorBefore") floor | ≤ 16.7 ms | $LoadSelect |
| earth view, new game, frame | $EarthMs ms, $EarthFps fps, $EarthMax ms; x $(ratio "$EarthMs" "$FloorBefore") floor | ≤ 16.7 ms, ≤ 20 x floor | $LoadEarth |
| earth view, information centre, research and market open, frame | $WindowsMs ms, $WindowsFps fps, $WindowsMax ms; x $(ratio "$WindowsMs" "$FloorBefore") floor | ≤ 16.7 ms, ≤ 20 x floor | $LoadWindows |
| "next round", four computer nations: click to the frame that shows it (median / longest of 10) | $RoundMs / $RoundMax ms | | $LoadRounds |
| save from the save window (round 10): click to "Game saved" | $SaveMs ms | | $LoadGame |
| load from the load window: click to "Game loaded" | $LoadMs ms | | $LoadGame |
| save / load of a 100-round game (bench_game BM_SaveGame / BM_LoadGame, wall) | $Save100 / $Load100 ms | | $LoadEnd |
| peak memory (VmHWM): main menu / whole game run | $PeakMenu / $PeakGame KiB | < 250 MB | |
EOF
