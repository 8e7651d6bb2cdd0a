# Divisions, an attack and a spy as a player goes about them, each step checked by what it must
# change: a new single-player game; a light infantry ordered in the military window (a savegame
# holds it in the build queue); after a round the unit formed into a new division in the army
# window and stationed in Germany by a click on the globe; the division moved to Bohemia, a
# neighbour (savegames hold the division's region); after another round an attack from Bohemia
# on the rebels' Hungary opens the battle window (its title bar and both sides in its colours),
# which runs to its end (the division lost or Hungary taken); a spy hired in the transfer market
# and sent into Hungary from the espionage window (the outcome's message; the spy stands in
# Hungary or was caught). Screenshots of every step are kept; log.html must stay free of errors.
source "$(dirname "$0")/common.bash" "$@"

make_game both
start_at_menu -windowed

E2E_STAGE="new game"
new_single_player_game

E2E_STAGE="a unit ordered"
order_unit 0 unit_ordered
save_game
player "$SAVED" | grep -q '<buildingqueue>' || fail "the ordered unit is not in the build queue"
[ "$(player "$SAVED" | count_in '<unit type=')" = 0 ] || fail "a unit exists before its build time"
rounds 1
save_game
[ "$(player "$SAVED" | count_in '<unit type="INF_LIGHT"')" = 1 ] || fail "the light infantry was not built in a round"

E2E_STAGE="a division formed and stationed"
form_division division
save_game
[ "$(player_army "$SAVED" | wc -l)" = 1 ] || fail "no division formed"
player_army "$SAVED" | grep -q "region=\"$GERMANY_INDEX\"" || fail "the division is not stationed in Germany: $(player_army "$SAVED")"

E2E_STAGE="the division moved"
move_division "$GERMANY" "$BOHEMIA" division_moved
key Escape
save_game
player_army "$SAVED" | grep -q "region=\"$BOHEMIA_INDEX\"" || fail "the division did not move to Bohemia: $(player_army "$SAVED")"
player_army "$SAVED" | grep -q 'hasmoved="True"' || fail "the moved division is not marked as moved"

E2E_STAGE="the attack"
rounds 1
[ "$(region_owner "$SAVED" $HUNGARY_INDEX)" = 6 ] || fail "Hungary is not the rebels' before the attack"
move_division "$BOHEMIA" "$HUNGARY" attack
battle_window "$E2E_ARTIFACTS/attack.png" || fail "the attack opened no battle window"
E2E_STAGE="the battle"
finish_battle battle_end
shot battle_closed
in_game "$E2E_ARTIFACTS/battle_closed.png" || fail "the battle window did not close"
key Escape
save_game
if [ "$(region_owner "$SAVED" $HUNGARY_INDEX)" = 0 ]; then
  echo "the battle was won: Hungary taken"
elif [ -z "$(player_army "$SAVED")" ]; then
  echo "the battle was lost: the division is gone"
else
  fail "after the battle the division still stands and Hungary is not taken: $(player_army "$SAVED")"
fi

E2E_STAGE="a spy hired"
Spies=$(player "$SAVED" | count_in '<spy ')
hire_spy spy_hired
save_game
[ "$(player "$SAVED" | count_in '<spy ')" = $((Spies + 1)) ] || fail "no spy hired"

E2E_STAGE="the spy sent into Hungary"
infiltrate "$HUNGARY" spy_sent
click 686 468  # "OK"
click 957 172  # the espionage window's close box
save_game
if player "$SAVED" | grep -q "<spy [^>]*region=\"$HUNGARY_INDEX\""; then
  echo "the spy infiltrated Hungary"
elif [ "$(player "$SAVED" | count_in '<spy ')" = "$Spies" ]; then
  echo "the spy was caught"
else
  fail "the spy neither infiltrated Hungary nor was caught"
fi

E2E_STAGE="exit"
sleep 1
exit_from_game
grep -qiE "exception|color=#FF0000|->Error|->Missing |Could not|Cannot" "$GAME/log.html" && fail "log.html reports errors"
echo "1 passed, 0 failed"
