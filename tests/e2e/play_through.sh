# A play-through as a player goes through the game, each stage checked by what it must change:
# the options (the language switched to English and back, the music volume lowered: the log's
# language lines, settings.xml at exit), a new single-player game, a building started in a
# region's free place, research started in the research window and a scientist hired in the
# transfer market (savegames made before and after: one building site and one scientist more,
# a technology in research), rounds ended,
# the save from the system bar, the way back to the main menu, the load from the main menu and
# more rounds in the loaded game. Screenshots of every stage are kept; log.html must stay free
# of errors.
# PLAY_THROUGH_ROUNDS (default 3) sets the rounds before the save and after the load.
source "$(dirname "$0")/common.bash" "$@"

ROUNDS=${PLAY_THROUGH_ROUNDS:-3}
make_game both

E2E_STAGE="options: English"
start_at_menu -windowed
click 168 340  # "options"
sleep 1
shot options
click 580 426  # the language drop-down's arrow
sleep 0.5
shot options_languages
click 450 465  # its second row: English
click 670 427  # "Apply"
wait_log "TGame->SwitchLanguage->Switching to \"eng\"" 60
sleep 1.5
shot options_english

E2E_STAGE="options: German again"
click 168 340
sleep 1
click 580 426
sleep 0.5
click 450 444  # the first row: German
click 670 427
wait_log "TGame->SwitchLanguage->Switching to \"ger\"" 60
sleep 1.5
shot options_german

E2E_STAGE="options: music volume"
music_volume_to_30

E2E_STAGE="new game"
new_single_player_game
save_game
BEFORE=$SAVED
grep -q 'currentturn="0"' "$BEFORE" || fail "the first save is not of round 0"

E2E_STAGE="building construction"
# The player's regions carry its flags in front of the globe; the first that opens its region
# details (a window's bright title bar where the starry sky was) is built in.
Opened=""
for P in "505 264" "528 270" "509 284"; do
  click $P
  sleep 1
  shot region_details
  read -r R G B < <("$E2E_HELPER" pixel "$E2E_ARTIFACTS/region_details.png" 300 82)
  [ $((R + G + B)) -gt 300 ] && { Opened=$P; break; }
  key Escape
done
[ -n "$Opened" ] || fail "no region of the player's opened its details"
construct_first_building
key Escape
key Escape

E2E_STAGE="research"
start_research

E2E_STAGE="transfer market"
hire_first_scientist hired

E2E_STAGE="save after building, research and hiring"
save_game
AFTER=$SAVED
[ "$AFTER" != "$BEFORE" ] || fail "the second save replaced the first"
Scientists0=$(player "$BEFORE" | count_in "<scientist ")
Scientists1=$(player "$AFTER" | count_in "<scientist ")
[ "$Scientists1" = $((Scientists0 + 1)) ] || fail "scientists $Scientists0 before hiring, $Scientists1 after"
Sites0=$(sites "$BEFORE")
Sites1=$(sites "$AFTER")
[ "$Sites1" = $((Sites0 + 1)) ] || fail "building sites $Sites0 before the construction, $Sites1 after"
player "$BEFORE" | grep -q 'currenttechnology="none"' || fail "a research ran before it was started"
player "$AFTER" | grep -q 'currenttechnology="none"' && fail "no research after starting one"

E2E_STAGE="rounds"
rounds "$ROUNDS"
sleep 1
shot after_rounds
save_game
SAVE_GAME=$SAVED
grep -q "currentturn=\"$ROUNDS\"" "$SAVE_GAME" || fail "the save is not of round $ROUNDS"
shot saved

E2E_STAGE="back to the main menu"
sleep 1
click 30 28    # the system bar's "exit game"
until_shot back_in_menu in_menu

E2E_STAGE="load from the main menu"
load_from_menu "$SAVE_GAME" 30

E2E_STAGE="rounds after loading"
rounds "$ROUNDS"
sleep 1
shot after_loading_rounds
save_game
grep -q "currentturn=\"$((ROUNDS * 2))\"" "$SAVED" || fail "the loaded game did not go on from round $ROUNDS"

E2E_STAGE="exit"
exit_from_game
grep -q 'musicvolume="30"' "$GAME/settings.xml" || fail "settings.xml does not hold the lowered music volume"
grep -q 'language="ger"' "$GAME/settings.xml" || fail "settings.xml does not hold German"
# Errors are written in red; a missing file of the data set or a file that could not be written
# is an error of this run too.
grep -qiE "exception|color=#FF0000|->Error|->Missing |Could not|Cannot" "$GAME/log.html" && fail "log.html reports errors"
echo "1 passed, 0 failed"
