# A single-player game as a player starts it: in the main menu "single player", then "new game",
# the nation selection's start button, then "next round" five times, the statistics window from
# the information centre, then back to the main menu with the system bar. Each step is checked by
# what it must show (the sub-menu's buttons, the nation's name, the heads-up display, the
# information centre, each nation's line in the chart), the computer nations play each round
# (their logs, written at exit with -logai, hold five turns), and every step's screenshot is kept.
source "$(dirname "$0")/common.bash" "$@"

make_game both
start_game -windowed -logai
wait_log "Game started in"
WINDOW=$(game_window)
# away: the mouse where no control lights up under it and the game's cursor covers nothing checked.
away() { xdotool mousemove --window "$WINDOW" 1000 100; }
# The golden dots at both ends of a menu button (250, 200, 60).
menu_buttons() { [ "$(near "$1" 44 215 30 260 250 200 60 30)" -gt 40 ]; }
single_player_menu() { [ "$(near "$1" 320 215 260 80 250 200 60 30)" -gt 40 ]; }
# The chosen nation's name over its base factors, in the default text colour.
nation_selection() { [ "$(near "$1" 340 140 200 30 249 249 146 40)" -gt 50 ]; }
# The title bar of the information centre across the middle of the screen.
info_centre() { [ "$(near "$1" 140 165 720 20 125 150 200 35)" -gt 3000 ]; }
main_menu() { in_menu "$1" && menu_buttons "$1"; }

E2E_STAGE="main menu"
until_shot main_menu main_menu
single_player_menu "$E2E_ARTIFACTS/main_menu.png" && fail "the single-player buttons show before the click"
click 168 228  # "single player"
away
until_shot single_player_menu single_player_menu
click 448 228  # "new game"
away
E2E_STAGE="nation selection"
until_shot nation_selection nation_selection
click 910 713  # "start game"
away
E2E_STAGE="running game"
until_shot game_start in_game
info_centre "$E2E_ARTIFACTS/game_start.png" && fail "the information centre shows before the first round"
for Round in 1 2 3 4 5; do
  Before=$(region_maps)
  click 922 682  # "next round" on the heads-up display
  # The round is over before the next click: two clicks in quick succession are a double click.
  wait_count region_maps "$Before" 10 "round $Round did not end"
done
away
until_shot after_five_rounds info_centre  # the information centre opened with the news

E2E_STAGE="statistics"
click 726 585  # the information centre's "statistics" button
click 511 190  # the statistic drop-down's arrow
click 300 231  # its second row: the resources
away
# Each nation's line in its colour (about 0.7 of its map colour in the chart's left half, where
# every line holds the nation's start value) through the chart's interior, not only at the right.
chart_lines() {
  local Colour
  for Colour in "29 64 157" "150 29 29" "29 122 43" "168 122 14" "107 43 143"; do
    # shellcheck disable=SC2086
    [ "$(near "$1" 250 213 200 280 $Colour 30)" -gt 100 ] || return 1
  done
}
until_shot statistics chart_lines
# The labels stand outside the chart but inside the window: the newest values between the chart
# and the legend, the round numbers between the chart and the income panel, none in those panels.
[ "$(near "$E2E_ARTIFACTS/statistics.png" 612 200 80 310 255 255 255 60)" -gt 0 ] || fail "no value label right of the chart"
[ "$(near "$E2E_ARTIFACTS/statistics.png" 694 210 16 290 255 255 255 60)" = 0 ] || fail "a label in the legend"
[ "$(near "$E2E_ARTIFACTS/statistics.png" 112 500 500 18 255 255 255 60)" -gt 0 ] || fail "no round number under the chart"
[ "$(near "$E2E_ARTIFACTS/statistics.png" 112 518 386 5 255 255 255 60)" = 0 ] || fail "a label in the income panel"

E2E_STAGE="exit"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during the rounds"
click 30 28  # the system bar's "exit game": back to the main menu, where closing the window quits
away
until_shot back_in_main_menu main_menu
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
