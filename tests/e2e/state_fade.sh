# A change of screen fades through black: the game starts from black into the main menu, and
# "single player", "new game" leads from the menu to the nation selection through frames
# darker than either screen. Screenshots are taken in quick succession while it happens.
source "$(dirname "$0")/common.bash" "$@"

make_game both
start_game -windowed
wait_log "Game started in"
WINDOW=$(game_window)
SHOTS=0
FOLDER="$(SCREENSHOTS_DIR)"
# burst NAME SECONDS: F10 about every fifth of a second for SECONDS; the screenshots that came
# are kept as NAME_<n>.png, in order.
burst() {
  local End=$((SECONDS + $2))
  while [ $SECONDS -lt "$End" ]; do
    xdotool key --window "$WINDOW" F10
    sleep 0.2
  done
  sleep 1  # the last one written
  local Count
  Count=$(find "$FOLDER" -name 'screenshot*.png' | wc -l)
  while [ "$SHOTS" -lt "$Count" ]; do
    [ -f "$FOLDER/screenshot$SHOTS.png" ] && cp "$FOLDER/screenshot$SHOTS.png" "$E2E_ARTIFACTS/$1_$SHOTS.png"
    SHOTS=$((SHOTS + 1))
  done
}
CLICK_PAUSE=0.3
mean() { "$E2E_HELPER" mean "$1"; }
# darkest NAME: the lowest mean brightness among the screenshots NAME_*.png.
darkest() {
  local Low=999 F M
  for F in "$E2E_ARTIFACTS/$1"_*.png; do
    [ -f "$F" ] || continue
    M=$(mean "$F")
    [ "$M" -lt "$Low" ] && Low=$M
  done
  echo $Low
}

E2E_STAGE="start-up"
burst start 1
sleep 3
burst menu 1
MENU=$(mean "$(ls "$E2E_ARTIFACTS"/menu_*.png | tail -n 1)")
[ "$MENU" -gt 30 ] || fail "the main menu is dark ($MENU)"
START=$(darkest start)
echo "start-up $START, main menu $MENU"
# On a loaded machine the first screenshot can come when the fade-in is half done: a frame at
# two thirds of the menu's brightness or darker still shows the start coming out of black.
[ $((START * 3)) -lt $((MENU * 2)) ] || fail "the start did not come out of black ($START of $MENU)"

E2E_STAGE="main menu to nation selection"
click 168 228  # "single player"
sleep 1.5      # its sub-menu fades in
click 448 228  # "new game"
burst change 3
sleep 2
burst selection 1
SELECTION=$(mean "$(ls "$E2E_ARTIFACTS"/selection_*.png | tail -n 1)")
[ "$SELECTION" -gt 20 ] || fail "the nation selection is dark ($SELECTION)"
LOWER=$MENU
[ "$SELECTION" -lt "$LOWER" ] && LOWER=$SELECTION
DARK=$(darkest change)
echo "menu $MENU, nation selection $SELECTION, darkest frame between $DARK"
[ $((DARK * 2)) -lt "$LOWER" ] || fail "no frame between the screens was darker than half of the darker screen ($DARK of $LOWER)"
"$E2E_HELPER" close "$WINDOW"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
