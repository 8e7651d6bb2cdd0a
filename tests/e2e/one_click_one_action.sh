# One click, one action: the click on the globe that stations a division brings the parked army
# window back under the mouse, and its release must not press the button there. A new game; the
# globe turned so that a region of the player's stands low on the screen; in the army window a
# new division, selected, the window dragged so that its "new division" button lies over that
# region; "station division" parks the window, a click on the region stations the division and
# the window comes back with "new division" under the mouse. The savegame must hold one division,
# stationed.
source "$(dirname "$0")/common.bash" "$@"

make_game both
start_at_menu -windowed

E2E_STAGE="new game"
new_single_player_game

E2E_STAGE="the globe turned"
# 200 pixels down turn the globe by 50 degrees: the player's regions come to its lower edge.
xdotool mousemove --window "$WINDOW" 700 300 mousedown --window "$WINDOW" 3
sleep 0.3
for Y in 340 380 420 460 500; do xdotool mousemove --window "$WINDOW" 700 $Y; sleep 0.2; done
xdotool mouseup --window "$WINDOW" 3
sleep 1
shot globe_turned
TARGET="505 480"  # a region of the player's there

E2E_STAGE="a new division"
key F1
sleep 1
click 511 567  # "new division"
click 460 188  # the first division
shot division
title_bar_at "$E2E_ARTIFACTS/division.png" 500 130 || fail "no army window"
# The window from (132, 118) to (125, 31): "new division" (its middle 380, 449 into the window)
# over the region.
drag 300 130 296 90 293 43
sleep 1
shot window_moved
title_bar_at "$E2E_ARTIFACTS/window_moved.png" 500 43 || fail "the army window did not move"

E2E_STAGE="stationed by one click"
click 505 544  # "station division": the window goes to the bottom edge
sleep 1
shot station
click $TARGET
sleep 1
shot stationed
title_bar_at "$E2E_ARTIFACTS/stationed.png" 500 43 || fail "the army window did not come back"
key Escape
save_game
[ "$(player_army "$SAVED" | wc -l)" = 1 ] || fail "not one division: $(player_army "$SAVED")"
player_army "$SAVED" | grep -q '<army region="-1"' && fail "the division is not stationed: $(player_army "$SAVED")"

E2E_STAGE="exit"
sleep 1
exit_from_game
grep -qiE "exception|color=#FF0000|->Error|->Missing |Could not|Cannot" "$GAME/log.html" && fail "log.html reports errors"
echo "1 passed, 0 failed"
