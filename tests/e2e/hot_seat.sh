# A hot-seat game of two human players for HOT_SEAT_ROUNDS rounds (default 10): the main menu's
# hot-seat panel sets the Norvance League (nation 1) and the Kaluan Alliance (nation 3) to be
# played by humans and the other three nations by the computer; then each round "next round"
# twice: the first hands the turn from nation 1 to nation 3 without a world round, the second runs
# the world round (the computer nations play) and hands the turn back to nation 1. Each hand-over
# is checked by the black hand-over screen with the incoming player's name, the log's hand-over
# line and the heads-up display showing the incoming player's name; each world round by its new
# region map, the information centre and the round counter; the game's own savegames say who
# plays which nation, whose turn it is, and that only the computer nations acted.
source "$(dirname "$0")/common.bash" "$@"

ROUNDS=${HOT_SEAT_ROUNDS:-10}
make_game package
# diff_in A B BOX: the pixels of BOX that differ between the pictures A and B; same: none or a
# few (the sea shimmers through the panel), differ: a changed text.
diff_in() { "$E2E_HELPER" boxdiff "$1" "$2" $3; }
same() { [ "$(diff_in "$@")" -lt 20 ]; }
differ() { [ "$(diff_in "$@")" -gt 10 ]; }
bright() {
  local R G B
  read -r R G B < <("$E2E_HELPER" pixel "$1" "$2" "$3")
  echo $((R + G + B))
}
# The hand-over screen at its darkest: black over the whole window (the heads-up display's bright
# points and the sky above the band gone) and the dark grey band across the middle.
handing_over() {
  local Band P
  for P in "30 28" "922 682" "922 735" "512 100"; do [ "$(bright "$1" $P)" -lt 6 ] || return 1; done
  Band=$(bright "$1" 200 420)
  [ "$Band" -ge 140 ] && [ "$Band" -le 170 ]
}
handovers() { log_count "TGame->Render->Hot seat: the turn goes to"; }
screenshots() { log_count "TGame->SaveScreenShot->Screenshot saved to"; }
# veil NAME LINES: the hand-over screen at its darkest, kept as NAME.png; LINES is the count of
# the log's hand-over lines before the click. The veil's clock runs with the game's frames, and a
# busy machine draws few of them, so the screenshots follow the frames, not the clock: F10 is
# pressed over and over, so that every frame takes one, until a frame after the hand-over line
# has. The frame that writes the hand-over line draws the veil at its darkest, so the screen is
# wrong when no frame of the series shows it.
veil() {
  local Name=$1 Lines=$2 Before Keys Count Since Quiet Shot
  Before=$(screenshots)
  # The presses stop with this script, whichever way it ends.
  (while kill -0 $$ 2>/dev/null && xdotool key --window "$WINDOW" F10 2>/dev/null; do sleep 0.05; done) &
  Keys=$!
  wait_count handovers "$Lines" 300 "no hand-over after 300 seconds"
  Count=$(screenshots)
  Since=${EPOCHREALTIME/./}
  wait_count screenshots "$Count" 60 "no screenshot after the hand-over after 60 seconds"
  kill "$Keys"
  wait "$Keys" 2>/dev/null || true
  # Presses already sent still take a screenshot in the next frame or two: the series ends after
  # three times as long as the last one took (two seconds at least) without another.
  Quiet=$(((${EPOCHREALTIME/./} - Since) * 3 / 1000))
  [ "$Quiet" -ge 2000 ] || Quiet=2000
  Count=-1
  while [ "$(screenshots)" != "$Count" ]; do
    Count=$(screenshots)
    sleep "$((Quiet / 1000)).$(printf %03d $((Quiet % 1000)))"
  done
  # The series' pictures, the one of the hand-over line's frame first.
  {
    grep -F -A1 "TGame->Render->Hot seat: the turn goes to" "$GAME/log.html" | tail -n 1
    grep -F "TGame->SaveScreenShot->Screenshot saved to" "$GAME/log.html" | tail -n +$((Before + 1))
  } | grep -F "Screenshot saved to" | sed 's/.*Screenshot saved to "\([^"]*\)".*/\1/' >"$E2E_TMP/series"
  rm -f "$E2E_ARTIFACTS/$Name.png"
  while read -r Shot; do
    if handing_over "$Shot"; then
      cp "$Shot" "$E2E_ARTIFACTS/$Name.png"
      break
    fi
  done <"$E2E_TMP/series"
  [ -f "$E2E_ARTIFACTS/$Name.png" ] || [ ! -s "$E2E_TMP/series" ] ||
    cp "$(head -n 1 "$E2E_TMP/series")" "$E2E_ARTIFACTS/${Name}_not_dark.png"
  # The series would fill the disk over the rounds.
  xargs rm -f <"$E2E_TMP/series"
  [ -f "$E2E_ARTIFACTS/$Name.png" ] || fail "$Name: no frame of the hand-over showed the hand-over screen"
}
# The boxes (x y width height) compared between screens: the incoming player's name on the
# hand-over screen, the player's name and nation and the round counter on the heads-up display.
GREETING="260 352 504 44"
PLAYER="40 586 200 26"
TURN="120 613 110 14"
# nation N FILE: nation N's element of a savegame.
nation() { sed -n "/<nation$1 /,/<\/nation$1>/p" "$2"; }

E2E_STAGE="hot-seat panel"
start_at_menu -windowed
click 168 284  # "multiplayer"
sleep 1
shot multiplayer_menu
click 448 284  # "hot seat"
sleep 1.5
shot hot_seat_panel
# The panel's dark background stands where the main menu shows its sky.
Menu=$(bright "$E2E_ARTIFACTS/main_menu.png" 900 400)
Panel=$(bright "$E2E_ARTIFACTS/hot_seat_panel.png" 900 400)
[ "$Panel" != "$Menu" ] || fail "the hot-seat panel did not open"
# The panel starts with humans on nations 0 and 1 and the computer on 2, 3 and 4. Nation 0 goes to
# the computer (its drop-down's second row, "Computer: normal") and nation 3 to a human (its
# fourth row); each drop-down opens from its arrow, its rows hang below the field, 21 pixels each.
choose() {
  local Y=$((210 + 34 * $1))
  click 669 $((Y + 12))
  sleep 0.3
  click 600 $((Y + 21 * ($2 + 1) + 10))
}
choose 0 1
choose 3 3
sleep 0.5
shot hot_seat_players

E2E_STAGE="start"
click 860 443  # "start game"
until_shot game_start in_game
save_game
grep -q 'gamemode="hotseat"' "$SAVED" || fail "the game is no hot-seat game"
grep -q 'playernation="1"' "$SAVED" || fail "the first human nation (1) does not have the first turn"
for N in 0 1 2 3 4; do
  Flag=$(nation $N "$SAVED" | grep -ao 'aicontrolled="[A-Za-z]*"' | head -n 1)
  case $N in 1 | 3) Want='aicontrolled="False"' ;; *) Want='aicontrolled="True"' ;; esac
  [ "$Flag" = "$Want" ] || fail "nation $N: $Flag, expected $Want"
done
START_SAVE=$SAVED
A="$E2E_ARTIFACTS"
# The screens each later one is compared with: nation 1's heads-up display and round counter, the
# first of nation 3's, the first hand-over screen to each.
PLAYER1="$A/game_start.png"
TURN_SHOT="$A/game_start.png"
PLAYER3=""
TO1=""
TO3=""

# hand_over ROUND FROM TO: "next round" on FROM's turn, the hand-over screen naming TO, the log's
# hand-over line and TO's heads-up display.
hand_over() {
  local Round=$1 From=$2 To=$3 Maps Lines Info
  local Over="$A/round${Round}_handover_to_$To.png" Turn="$A/round${Round}_nation$To.png"
  E2E_STAGE="round $Round: nation $From hands over to nation $To"
  key Escape  # the information centre of the last round
  Maps=$(region_maps)
  Lines=$(handovers)
  click 922 682  # "next round"
  veil "round${Round}_handover_to_$To" "$Lines"
  [ "$(handovers)" = $((Lines + 1)) ] || fail "the log shows $(($(handovers) - Lines)) hand-overs, not one"
  grep -F "TGame->Render->Hot seat: the turn goes to" "$GAME/log.html" | tail -n 1 | grep -qF "\" (nation $To)" ||
    fail "the log's hand-over does not name nation $To"
  # The veil lifts over the two seconds after the hand-over line, which the series has mostly
  # waited out.
  sleep 1
  until_shot "round${Round}_nation$To" in_game
  # The information centre (its bright title bar over the sky) opens with the news of a world
  # round only.
  Info=$(bright "$Turn" 300 175)
  if [ "$To" = 3 ]; then
    [ "$Info" -lt 300 ] || fail "the information centre opened without a world round"
    # No world round between the two humans' turns.
    [ "$(region_maps)" = "$Maps" ] || fail "a world round ran before nation 3's turn"
    [ -z "$TO1" ] || differ "$Over" "$TO1" "$GREETING" || fail "the hand-over screen greets nation 1's player again"
    [ -z "$TO3" ] || same "$Over" "$TO3" "$GREETING" || fail "the hand-over screen does not greet nation 3's player as before"
    TO3=${TO3:-$Over}
    differ "$Turn" "$PLAYER1" "$PLAYER" || fail "the heads-up display still shows nation 1's player"
    [ -z "$PLAYER3" ] || same "$Turn" "$PLAYER3" "$PLAYER" || fail "the heads-up display does not show nation 3's player as before"
    PLAYER3=${PLAYER3:-$Turn}
  else
    [ "$Info" -ge 300 ] || fail "the information centre did not open after the world round"
    key Escape
    shot "round${Round}_nation${To}_hud"
    Turn="$A/round${Round}_nation${To}_hud.png"
    # The world round ran: its new region map, and the round counter moved on.
    [ "$(region_maps)" = $((Maps + 1)) ] || fail "no world round after both humans' turns"
    differ "$Over" "$TO3" "$GREETING" || fail "the hand-over screen greets nation 3's player again"
    [ -z "$TO1" ] || same "$Over" "$TO1" "$GREETING" || fail "the hand-over screen does not greet nation 1's player as before"
    TO1=${TO1:-$Over}
    same "$Turn" "$PLAYER1" "$PLAYER" || fail "the heads-up display does not show nation 1's player again"
    differ "$Turn" "$TURN_SHOT" "$TURN" || fail "the round counter did not move on"
    TURN_SHOT=$Turn
  fi
}

for Round in $(seq 1 "$ROUNDS"); do
  hand_over "$Round" 1 3
  hand_over "$Round" 3 1
done

E2E_STAGE="after $ROUNDS rounds"
save_game
grep -q "currentturn=\"$ROUNDS\"" "$SAVED" || fail "the save is not of round $ROUNDS"
grep -q 'playernation="1"' "$SAVED" || fail "nation 1 does not have the turn after the world round"
# The computer nations played the world rounds: their staff, units, divisions or research differ
# from the start, while the two humans, who only ended their turns, have what they had.
cp "$START_SAVE" "$E2E_ARTIFACTS/save_round0.xml"
cp "$SAVED" "$E2E_ARTIFACTS/save_round$ROUNDS.xml"
# holdings N FILE: nation N's staff, units, divisions, build queue and research in FILE.
holdings() { nation "$1" "$2" | grep -av 'ressources\|score\|numregions\|research_\|<hotseat '; }
for N in 0 1 2 3 4; do
  holdings $N "$START_SAVE" >"$E2E_TMP/before"
  holdings $N "$SAVED" >"$E2E_TMP/after"
  case $N in
    1 | 3) cmp -s "$E2E_TMP/before" "$E2E_TMP/after" || fail "the human nation $N changed without its player" ;;
    *) cmp -s "$E2E_TMP/before" "$E2E_TMP/after" && fail "the computer nation $N did nothing in $ROUNDS rounds" ;;
  esac
done

E2E_STAGE="exit"
exit_from_game
[ "$(handovers)" = $((ROUNDS * 2)) ] || fail "log.html shows $(handovers) hand-overs, not $((ROUNDS * 2))"
grep -qiE "exception|color=#FF0000|->Error|->Missing |Could not|Cannot" "$GAME/log.html" && fail "log.html reports errors"
echo "1 passed, 0 failed"
