# Savegames, the options panel and the quit dialog as a player uses them, in one run. In the main
# menu's options panel music is unticked and the language switched to English and back (the
# menu's labels change and come back); a game is started and saved twice from the system bar (two
# savegames, each with its ".name" file); the newer one is deleted in the load window (exactly its
# two files go); closing the window of the running game asks first, and "Yes" ends the program
# with exit code 0 and writes the unticked music to settings.xml.
# Coordinates are those of the layouts at 1024 x 768: the menu (UI_MainMenu_Root.xml) at 40,200,
# centred windows (load and save 600 x 372, message box 470 x 212, quit dialog 340 x 112).
source "$(dirname "$0")/common.bash" "$@"

make_game both
CLICK_PAUSE=0.6
# labels SHOT: which points along the first menu entry's label are bright: the text of its label.
labels() {
  local Out="" R G B X Y
  for Y in 224 229; do
    for X in $(seq 80 4 260); do
      read -r R G B < <("$E2E_HELPER" pixel "$1" "$X" "$Y")
      if [ $((R + G + B)) -gt 450 ]; then Out="${Out}1"; else Out="${Out}0"; fi
    done
  done
  echo "$Out"
}
# differing A B: how many places of two label patterns differ.
differing() {
  local N=0 I
  for ((I = 0; I < ${#1}; I++)); do [ "${1:I:1}" = "${2:I:1}" ] || N=$((N + 1)); done
  echo $N
}
SAVES=$(SAVES_DIR)

E2E_STAGE="options: music off, English and back"
start_game -windowed
wait_log "Game started in"
WINDOW=$(game_window)
sleep 1.5                   # the menu fades in
shot menu_german
click 168 340               # "Optionen"
sleep 1                     # the panel fades in
click 349 257               # the music check box
click 579 425               # the language drop-down opens
click 450 466               # its second row, English
click 670 427               # "Apply"
wait_log 'TGame->SwitchLanguage->Switching to "eng"' 30
wait_log "TGame->SwitchLanguage->Language switched" 30
sleep 1
shot menu_english
German=$(labels "$E2E_ARTIFACTS/menu_german.png")
English=$(labels "$E2E_ARTIFACTS/menu_english.png")
[ "$(differing "$German" "$English")" -gt 10 ] || fail "the menu's labels did not change to English"
click 579 425
click 450 445               # the first row, German
click 670 427
wait_log 'TGame->SwitchLanguage->Switching to "ger"' 30
for _ in $(seq 1 100); do [ "$(log_count "TGame->SwitchLanguage->Language switched")" = 2 ] && break; sleep 0.2; done
[ "$(log_count "TGame->SwitchLanguage->Language switched")" = 2 ] || fail "the switch back to German did not end"
sleep 1
shot menu_german_again
Again=$(labels "$E2E_ARTIFACTS/menu_german_again.png")
[ "$(differing "$German" "$Again")" -le 3 ] || fail "the menu's labels did not come back to German"

E2E_STAGE="a game saved twice from the system bar"
click 168 228               # "Einzelspieler"
sleep 1
click 448 228               # "Neues Spiel"
sleep 2
click 910 713               # "Spiel starten"
sleep 1.5
click 86 28                 # the system bar's "save game"
sleep 1
click 315 549               # "Speichern"
wait_log "TGame->SaveToXML->Game saved" 30
sleep 1.2                   # the second save's name file is newer
click 86 28
sleep 1
click 315 549
wait_count saves_made 1 20 "the second save was not written"
[ "$(saves_made)" = 2 ] || fail "the log shows $(saves_made) saves, not two"
for N in 2 3; do
  [ -f "$SAVES/savegame$N.xml" ] && [ -f "$SAVES/savegame$N.name" ] || fail "no savegame$N.xml with its name file"
done
[ "$(ls "$SAVES" | wc -l)" = 4 ] || fail "the save folder holds: $(ls "$SAVES" | tr '\n' ' ')"

E2E_STAGE="the newer save deleted in the load window"
click 142 28                # the system bar's "load game"
sleep 1
click 300 242               # the first row: the newest save
shot load_window
click 660 549               # "Löschen": asks first
sleep 0.5
shot delete_question
[ -f "$SAVES/savegame3.xml" ] || fail "deleted without asking"
click 687 469               # "OK" closes the question
click 660 549               # "Löschen" again on the same row
wait_log "TGame->DeleteSaveGame->Deleted" 30
grep -F "TGame->DeleteSaveGame->Deleted" "$GAME/log.html" | grep -qF "savegame3.xml" || fail "another save was deleted"
[ ! -e "$SAVES/savegame3.xml" ] && [ ! -e "$SAVES/savegame3.name" ] || fail "savegame3's files are still there"
[ -f "$SAVES/savegame2.xml" ] && [ -f "$SAVES/savegame2.name" ] || fail "the other save went too"
[ "$(ls "$SAVES" | wc -l)" = 2 ] || fail "the save folder holds: $(ls "$SAVES" | tr '\n' ' ')"
shot after_delete

E2E_STAGE="the quit dialog of the running game"
"$E2E_HELPER" close "$WINDOW"
sleep 1.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended without asking"
shot quit_dialog
click 452 419               # "Ja"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
grep -q 'musicenabled="False"' "$GAME/settings.xml" || fail "settings.xml keeps the music on"
grep -q 'language="ger"' "$GAME/settings.xml" || fail "settings.xml lost the language"
cp "$GAME/settings.xml" "$GAME/log.html" "$E2E_ARTIFACTS/"
echo "1 passed, 0 failed"
