# Deleting a savegame from the main menu while the running game's save window was left open
# (both windows stand at the same place): a new game saved twice, the save window opened again
# with its first row selected, the system bar's exit to the main menu, "load game", the first
# row selected and "Delete". The first press only asks, both saves stay; "OK"
# and a second press delete the newest save and its name file, and nothing else.
source "$(dirname "$0")/common.bash" "$@"

make_game both
start_at_menu -windowed

E2E_STAGE="new game"
new_single_player_game

E2E_STAGE="two saves"
save_game
OLDER=$SAVED
sleep 1
save_game
NEWER=$SAVED
[ "$OLDER" != "$NEWER" ] || fail "the second save replaced the first"

E2E_STAGE="the save window left open"
sleep 1
click 86 28    # the system bar's "save game"
sleep 1
click 300 274  # its first row: the newest save
shot save_window_left_open
click 30 28    # the system bar's "exit game"
until_shot menu in_menu

E2E_STAGE="delete from the menu"
click 448 284  # "load game" of the single-player sub-menu, still open from the new game
sleep 1
click 300 242  # the first row: the newest save
shot load_window
Deleted=$(log_count "TGame->DeleteSaveGame->Deleted")
click 660 549  # "Delete"
until_shot asked message_box
for F in "$OLDER" "${OLDER%.xml}.name" "$NEWER" "${NEWER%.xml}.name"; do
  [ -f "$F" ] || fail "the first press of \"Delete\" removed $(basename "$F")"
done
[ "$(log_count "TGame->DeleteSaveGame->Deleted")" = "$Deleted" ] || fail "the first press logged a deletion"
click 686 468  # "OK"
click 660 549  # "Delete" again
for _ in $(seq 1 50); do [ -f "$NEWER" ] || break; sleep 0.1; done
shot deleted
[ ! -f "$NEWER" ] && [ ! -f "${NEWER%.xml}.name" ] || fail "the second press did not delete $(basename "$NEWER") and its name file"
[ -f "$OLDER" ] && [ -f "${OLDER%.xml}.name" ] || fail "another savegame went too"
[ "$(log_count "TGame->DeleteSaveGame->Deleted")" = $((Deleted + 1)) ] || fail "not one deletion logged"

E2E_STAGE="exit"
"$E2E_HELPER" close "$WINDOW"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
cp "$GAME/log.html" "$E2E_ARTIFACTS/"
grep -qiE "exception|color=#FF0000|->Error|->Missing |Could not|Cannot" "$GAME/log.html" && fail "log.html reports errors"
echo "1 passed, 0 failed"
