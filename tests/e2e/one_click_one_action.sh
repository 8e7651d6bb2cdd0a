# One click, one action: a click that opens, closes or brings back a window ends there, and its
# release presses nothing the window puts under the mouse.
# The click on the globe that stations a division brings the parked army window back under the
# mouse. A new game; the globe turned so that a region of the player's stands low on the screen;
# in the army window a new division, selected, the window dragged so that its "new division"
# button lies over that region; "station division" parks the window, a click on the region
# stations the division and the window comes back with "new division" under the mouse. The
# savegame must hold one division, stationed.
# The click on a region of the player's opens its window: the window dragged so that its "build"
# button lies over the region and closed, a click on the region opens the window again with
# "build" under the mouse, and the building window must stay closed.
# The "OK" of a message box hides the box: "start construction" without a building chosen is
# refused by a box whose "OK" lies over the building list's "people's park"; that row must not
# be chosen by the "OK".
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

E2E_STAGE="a region's window opened by one click"
click $TARGET  # its window opens where it first stands
sleep 1
shot region_opened
title_bar_at "$E2E_ARTIFACTS/region_opened.png" 300 82 || fail "no region window"
# The window from (20, 68) to (235, 119): "build" (its middle 270, 361 into the window) over the
# region.
drag 300 82 400 110 515 133
sleep 1
click 730 136  # its close box
sleep 1
shot region_closed
title_bar_at "$E2E_ARTIFACTS/region_closed.png" 515 133 && fail "the region window did not close"
click $TARGET
sleep 1
shot region_again
title_bar_at "$E2E_ARTIFACTS/region_again.png" 515 133 || fail "the region window did not open again"
title_bar_at "$E2E_ARTIFACTS/region_again.png" 790 170 && fail "the click on the region pressed \"build\" too"

E2E_STAGE="a message box's OK clicks nothing beneath it"
click $TARGET  # "build"
sleep 1
shot building_window
title_bar_at "$E2E_ARTIFACTS/building_window.png" 790 170 || fail "no building window"
click 666 587  # "start construction": no building chosen
sleep 1
shot construction_refused
message_box "$E2E_ARTIFACTS/construction_refused.png" || fail "no message box"
click 686 468  # "OK", over the row of the people's park
sleep 1
shot refusal_closed
message_box "$E2E_ARTIFACTS/refusal_closed.png" && fail "the message box did not close"
# The chosen row's golden frame.
Frame=$(near "$E2E_ARTIFACTS/refusal_closed.png" 525 458 260 20 188 184 142 25)
[ "$Frame" -lt 40 ] || fail "the OK chose the people's park beneath it ($Frame pixels of the frame)"
key Escape
key Escape

E2E_STAGE="exit"
sleep 1
exit_from_game
grep -qiE "exception|color=#FF0000|->Error|->Missing |Could not|Cannot" "$GAME/log.html" && fail "log.html reports errors"
echo "1 passed, 0 failed"
