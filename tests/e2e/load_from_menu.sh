# Loading a game from the main menu as a player does it. A first run starts a single-player game,
# ends one round and saves it from the system bar, then quits. A second run starts at the main
# menu: "single player", "load game", the save's row, "Load": the earth view of that game shows
# (its heads-up display, the log's load line, the round it was saved in).
source "$(dirname "$0")/common.bash" "$@"

make_game both

# quit_from_game: the system bar's "exit game" leads to the main menu, where closing the window
# ends the program.
quit_from_game() {
  sleep 1         # apart from the last click, or the two make a double click
  click 30 28
  local TRY
  for TRY in 1 2 3 4 5 6; do
    sleep 1
    shot "back_in_menu_${RUN}_$TRY"
    [ "$(hud "$E2E_ARTIFACTS/back_in_menu_${RUN}_$TRY.png")" -le 2 ] && break
  done
  [ "$(hud "$E2E_ARTIFACTS/back_in_menu_${RUN}_$TRY.png")" -le 2 ] || fail "the system bar's exit did not lead to the main menu"
  "$E2E_HELPER" close "$WINDOW"
  wait_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
}

RUN=first
E2E_STAGE="first run: a game to save"
start_game -windowed
wait_log "Game started in"
WINDOW=$(game_window)
sleep 1.5       # the menu fades in
click 168 228   # "single player"
sleep 1         # its sub-menu fades in
click 448 228   # "new game"
sleep 2         # the menu fades out, the nation selection in
click 910 713   # "start game"
sleep 1.5
Maps=$(region_maps)
click 922 682   # "next round"
wait_count region_maps "$Maps" 10 "the round did not end"
sleep 0.5
click 86 28     # the system bar's "save game"
sleep 1
click 315 549   # "Save" in the save window
wait_log "TGame->SaveToXML->Game saved" 30
SAVES=$(SAVES_DIR)
[ -f "$SAVES/savegame2.xml" ] && [ -f "$SAVES/savegame2.name" ] || fail "no savegame2.xml with its name file"
grep -q 'currentturn="1"' "$SAVES/savegame2.xml" || fail "the save is not of round 1"
quit_from_game

RUN=second
E2E_STAGE="second run: load from the main menu"
start_game -windowed
wait_log "Game started in"
WINDOW=$(game_window)
sleep 1.5
shot main_menu
[ "$(hud "$E2E_ARTIFACTS/main_menu.png")" -le 2 ] || fail "the main menu shows the heads-up display"
click 168 228   # "single player"
sleep 1
click 448 284   # "load game"
sleep 1
shot load_window
click 300 242   # the save's row, the only one
click 364 549   # "Load"
wait_log "TGame->LoadFromXML->Loading game from" 30
grep -F "TGame->LoadFromXML->Loading game from" "$GAME/log.html" | grep -qF "savegame2.xml" || fail "another file was loaded"
# The earth view of the loaded game: its heads-up display, a few frames later.
for TRY in 1 2 3 4 5; do
  sleep 1
  shot "earth_view_$TRY"
  [ "$(hud "$E2E_ARTIFACTS/earth_view_$TRY.png")" -ge 5 ] && break
done
[ "$(hud "$E2E_ARTIFACTS/earth_view_$TRY.png")" -ge 5 ] || fail "no heads-up display after loading"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after loading"
quit_from_game
cp "$GAME/log.html" "$E2E_ARTIFACTS/"
echo "1 passed, 0 failed"
