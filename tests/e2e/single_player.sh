# A single-player game as a player starts it: in the main menu "single player", then "new game",
# the nation selection's start button, then "next round" five times, then back to the main menu
# with the system bar. The computer nations play each round (their logs, written at exit with
# -logai, hold five turns), each step changes the picture, and every step's screenshot is kept.
source "$(dirname "$0")/common.bash" "$@"

make_game both
start_game -windowed -logai
wait_log "Game started in"
WINDOW=$(game_window)
sleep 1  # the menu fades in
# changed A B: screenshot B, taken again (a second apart, a few times) until it differs from A;
# a loaded machine draws slowly, and a state change fades over several frames.
changed() {
  for _ in 1 2 3 4 5 6 7 8; do
    shot "$2"
    cmp -s "$E2E_ARTIFACTS/$1.png" "$E2E_ARTIFACTS/$2.png" || return 0
    sleep 1
  done
  fail "$2 looks like $1"
}

E2E_STAGE="main menu"
shot main_menu
click 168 228  # "single player"
sleep 1        # its sub-menu fades in
changed main_menu single_player_menu
click 448 228  # "new game"
sleep 1.5
E2E_STAGE="nation selection"
changed single_player_menu nation_selection
click 910 713  # "start game"
sleep 1
E2E_STAGE="running game"
changed nation_selection game_start
# maps: how many times the region map was rebuilt, once a round.
maps() { grep -o 'TEarth->UpDateRegionMap->' "$GAME/log.html" | wc -l; }
for Round in 1 2 3 4 5; do
  Before=$(maps)
  click 922 682  # "next round" on the heads-up display
  # The round is over before the next click: two clicks in quick succession are a double click.
  for _ in $(seq 1 100); do [ "$(maps)" -gt "$Before" ] && break; sleep 0.1; done
  [ "$(maps)" -gt "$Before" ] || fail "round $Round did not end"
done
sleep 0.5
changed game_start after_five_rounds  # the information centre opened with the news

E2E_STAGE="exit"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during the rounds"
click 30 28  # the system bar's "exit game": back to the main menu, where closing the window quits
sleep 1
changed after_five_rounds back_in_main_menu
"$E2E_HELPER" close "$WINDOW"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
Computer=0
for i in 0 1 2 3 4; do
  if grep -qF "Show details for turn 4<" "$GAME/AI_${i}_log.html"; then Computer=$((Computer + 1)); fi
  grep -qF "Show details for turn 5<" "$GAME/AI_${i}_log.html" && fail "nation $i played more than five rounds"
done
[ "$Computer" = 4 ] || fail "$Computer computer nations played five rounds, not 4"
cp "$GAME/log.html" "$E2E_ARTIFACTS/"
echo "1 passed, 0 failed"
