#!/usr/bin/env bash
# The long play-through on the optimised build, as a player goes through a whole game, each stage
# checked by what it must change: the options (the music volume lowered: settings.xml at exit), a
# new single-player game; a unit ordered, formed into a division, stationed and moved (savegames
# hold the build queue, the division and its region); a building started, research started and a
# scientist hired (one building site and one scientist more, a technology in research); an attack
# that opens the battle window and is fought to its end; a spy hired and sent into a region (the
# outcome's message); rounds up to 50 by the "next round" button; the save from the system bar,
# the way back to the main menu, the load from the main menu (the loaded save continues from
# round 50); rounds up to 100; then the developer window gives the player every region and the
# next round ends the game with the victory screen (a defeat on the way ends it as well). Every
# stage keeps its screenshots in <build>/artifacts/e2e_play_long/; log.html must stay free of
# errors and warnings. Prints the time of each stage with the game's peak memory so far (VmHWM),
# and the time and peak memory of the whole play.
# The game runs as tarnova-seeded-game, whose random generator keeps to a seed (PLAY_LONG_SEED,
# default 1): the same seed plays the same world, round by round, whatever the machine's speed.
# Usage: bench/play_long.sh [build folder]   (default: build/, the release build with
# -DTARNOVA_TESTS=ON for the e2e helper and the seeded game)
set -euo pipefail
# Without a display the whole script runs under a private X server, with its own arguments.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
[ -x "$build/tarnova" ] || { echo "no $build/tarnova: build the game first (scripts/play builds build/)" >&2; exit 1; }
for f in tarnova-e2e-helper tarnova-seeded-game; do
  [ -x "$build/$f" ] || { echo "no $build/$f: configure with -DTARNOVA_TESTS=ON" >&2; exit 1; }
done
SEED=${PLAY_LONG_SEED:-1}
source "$root/tests/e2e/common.bash" "$build/tarnova" "$build"

PLAY_START=$SECONDS
STAGE_START=$SECONDS
PEAK_KIB=0
# peak: the game's peak memory so far (VmHWM, KiB) into PEAK_KIB, while the game runs.
peak() {
  local Now
  Now=$(awk '/^VmHWM:/ { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null || true)
  [ -n "$Now" ] && [ "$Now" -gt "$PEAK_KIB" ] && PEAK_KIB=$Now
  return 0
}
stage() {
  peak
  [ -n "${E2E_STAGE:-}" ] && printf '%4d s  %-45s peak %d KiB\n' $((SECONDS - STAGE_START)) "$E2E_STAGE" "$PEAK_KIB"
  STAGE_START=$SECONDS
  E2E_STAGE=$1
}
# owners SAVEGAME: a short fingerprint of every region's owner, the same in every run of a seed.
owners() { LC_ALL=C grep -o '<region name="[^"]*" owner="[0-9]*"' "$1" | md5sum | cut -c1-8; }
OWNERS100="-"
turn_of() { grep -o 'currentturn="[0-9]*"' "$1" | head -n 1 | grep -o '[0-9]*'; }
# play_to ROUND: "next round" until the game's round counter reaches ROUND (as the last savegame
# tells it), or the game has ended (then ENDED is set and the end screen kept as a screenshot).
ENDED=""
TURN=0
play_to() {
  local Before
  while [ "$TURN" -lt "$1" ]; do
    key Escape  # the information centre of the last round
    Before=$(region_maps)
    click 922 682
    for _ in $(seq 1 600); do [ "$(region_maps)" -gt "$Before" ] && break; sleep 0.1; done
    [ "$(region_maps)" -gt "$Before" ] || fail "round $((TURN + 1)) did not end"
    TURN=$((TURN + 1))
    if [ $((TURN % 10)) = 0 ]; then
      sleep 1
      shot "round_$TURN"
      if ! in_game "$E2E_ARTIFACTS/round_$TURN.png"; then
        ENDED="round $TURN"
        return 0
      fi
    fi
  done
  sleep 1
  key Escape
}

make_game both
# make_game links the program into the game's folder: the link goes first, or the copy would
# overwrite the build's own game.
rm -f "$GAME/tarnova"
cp "$build/tarnova-seeded-game" "$GAME/tarnova"
start_at_menu "$SEED" -windowed -debugkeys

stage "options: music volume"
music_volume_to_30

stage "new game"
new_single_player_game
save_game
START_SAVE=$SAVED
[ "$(turn_of "$START_SAVE")" = 0 ] || fail "the new game does not start in round 0"

stage "a unit ordered, research started"
order_unit 0 unit_ordered
start_research
save_game
player "$SAVED" | grep -q '<buildingqueue>' || fail "the ordered unit is not in the build queue"
player "$START_SAVE" | grep -q 'currenttechnology="none"' || fail "a research ran before it was started"
player "$SAVED" | grep -q 'currenttechnology="none"' && fail "no research after starting one"
play_to 1

stage "a division formed, stationed and moved"
form_division division
move_division "$GERMANY" "$BOHEMIA" division_moved
key Escape
save_game
[ "$(player_army "$SAVED" | wc -l)" = 1 ] || fail "no division formed"
player_army "$SAVED" | grep -q "region=\"$BOHEMIA_INDEX\"" || fail "the division did not reach Bohemia: $(player_army "$SAVED")"
play_to 2

stage "building construction"
# The player's regions carry its flags in front of the globe; Germany opens its region details.
save_game
BEFORE=$SAVED
click $GERMANY
sleep 1
shot region_details
title_bar_at "$E2E_ARTIFACTS/region_details.png" 300 82 || fail "Germany did not open its details"
construct_first_building
click 515 85  # the region details' close box
save_game
[ "$(sites "$SAVED")" = $(($(sites "$BEFORE") + 1)) ] || fail "no building site more after the construction"

stage "the attack and the battle"
move_division "$BOHEMIA" "$HUNGARY" attack
battle_window "$E2E_ARTIFACTS/attack.png" || fail "the attack opened no battle window"
finish_battle battle_end
shot battle_closed
in_game "$E2E_ARTIFACTS/battle_closed.png" || fail "the battle window did not close"
key Escape
save_game
if [ "$(region_owner "$SAVED" $HUNGARY_INDEX)" = 0 ]; then BATTLE="won: Hungary taken"
elif [ -z "$(player_army "$SAVED")" ]; then BATTLE="lost: the division is gone"
else fail "after the battle the division still stands and Hungary is not taken"; fi
play_to 4

stage "a scientist hired"
BEFORE=$SAVED
hire_first_scientist scientist_hired
save_game
[ "$(player "$SAVED" | count_in '<scientist ')" = $(($(player "$BEFORE" | count_in '<scientist ') + 1)) ] ||
  fail "no scientist hired"
play_to 7

stage "a spy hired and sent"
BEFORE=$SAVED
hire_spy spy_hired
infiltrate "$HUNGARY" spy_sent
click 686 468  # "OK"
click 957 172  # the espionage window's close box
save_game
Spies0=$(player "$BEFORE" | count_in '<spy ')
if player "$SAVED" | grep -q "<spy [^>]*region=\"$HUNGARY_INDEX\""; then SPY="infiltrated Hungary"
elif [ "$(player "$SAVED" | count_in '<spy ')" = "$Spies0" ]; then SPY="caught"
else fail "the spy was neither hired and sent nor caught"; fi

stage "rounds to 50"
play_to 50
[ -z "$ENDED" ] || fail "the game ended in $ENDED before the save"
save_game
SAVE_GAME=$SAVED
[ "$(turn_of "$SAVE_GAME")" = 50 ] || fail "the save is not of round 50"
OWNERS50=$(owners "$SAVE_GAME")

stage "back to the main menu and load"
sleep 1
click 30 28    # the system bar's "exit game"
until_shot back_in_menu in_menu
load_from_menu "$SAVE_GAME" 60

stage "rounds to 100"
play_to 100
if [ -z "$ENDED" ]; then
  save_game
  [ "$(turn_of "$SAVED")" = 100 ] || fail "the loaded game did not go on to round 100"
  OWNERS100=$(owners "$SAVED")
  stage "victory through the developer window"
  key ctrl+d
  sleep 1
  shot developer_window
  click 771 393  # "win every region"
  key Escape
  Before=$(region_maps)
  click 922 682
  for _ in $(seq 1 300); do [ "$(region_maps)" -gt "$Before" ] && break; sleep 0.1; done
  ENDED="round $((TURN + 1)) (every region given to the player)"
fi
until_shot end_screen in_menu
OUTCOME=$ENDED
# A won game shows the player's score in the window's title instead of the game's name.
if Caption=$(xdotool getwindowname "$WINDOW") && [[ "$Caption" =~ ^[0-9]+$ ]]; then
  OUTCOME="$OUTCOME, won with $Caption points"
else
  case "$OUTCOME" in *"every region"*) fail "the game given every region did not end in victory (title \"$Caption\")" ;; esac
  OUTCOME="$OUTCOME, lost"
fi

sleep 2  # the end screen's first seconds: its chart, table and music
stage "exit"
"$E2E_HELPER" close "$WINDOW"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
cp "$GAME/log.html" "$E2E_ARTIFACTS/"
grep -q 'musicvolume="30"' "$GAME/settings.xml" || fail "settings.xml does not hold the lowered music volume"
grep -qiE "exception|warning|color=#FF0000|->Error|->Missing |Could not|Cannot" "$GAME/log.html" && fail "log.html reports errors"
stage ""
echo "battle $BATTLE; spy $SPY; the game ended in $OUTCOME"
echo "seed $SEED: the regions' owners at round 50 $OWNERS50, at round 100 $OWNERS100"
echo "whole play $((SECONDS - PLAY_START)) s, peak memory (VmHWM) $PEAK_KIB KiB ($((PEAK_KIB / 1024)) MiB; goal under 250 MiB)"
