# Shared by the end-to-end scripts: a private copy of the game (program, data folder, package)
# in a temporary folder with a temporary HOME, started under the X display of the test run.
# Usage in a script: source common.bash "$@"   (arguments: the tarnova program, the build folder)
set -euo pipefail
E2E_PROGRAM=$1
E2E_BUILD=$2
E2E_NAME=$(basename "$0" .sh)
E2E_HELPER="$E2E_BUILD/tarnova-e2e-helper"
E2E_ARTIFACTS="$E2E_BUILD/artifacts/e2e_$E2E_NAME"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# The game's own error dialog goes to stderr instead of a window that waits for a click.
export TARNOVA_HEADLESS=1
# The GL driver keeps allocations the leak checker cannot name (as in the gl tests).
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0

rm -rf "$E2E_ARTIFACTS"
mkdir -p "$E2E_ARTIFACTS" "$E2E_BUILD/e2e-tmp"
E2E_TMP=$(mktemp -d "$E2E_BUILD/e2e-tmp/$E2E_NAME.XXXXXX")
GAME_PID=""
e2e_cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL at stage: ${E2E_STAGE:-}" >&2
  echo "FAIL: $*" >&2
  [ -f "${GAME:-}/log.html" ] && cp "$GAME/log.html" "$E2E_ARTIFACTS/" 2>/dev/null
  [ -f "$E2E_TMP/stderr" ] && tail -n 40 "$E2E_TMP/stderr" >&2
  exit 1
}

# make_game [loose|package|both]: the program and the chosen data in $GAME; HOME in $E2E_TMP/home.
make_game() {
  GAME="$E2E_TMP/game"
  mkdir -p "$GAME" "$E2E_TMP/home"
  cp -l "$E2E_PROGRAM" "$GAME/tarnova" 2>/dev/null || cp "$E2E_PROGRAM" "$GAME/tarnova"
  case "${1:-both}" in
    loose) cp -r "$E2E_BUILD/data" "$GAME/data" ;;
    package) cp "$E2E_BUILD/tarnova.dat" "$GAME/tarnova.dat" ;;
    both) cp -r "$E2E_BUILD/data" "$GAME/data"; cp "$E2E_BUILD/tarnova.dat" "$GAME/tarnova.dat" ;;
  esac
  export HOME="$E2E_TMP/home"
  unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR XDG_DATA_HOME
}

# start_game ARGS...: starts the game from another working folder; GAME_PID is its process.
start_game() {
  rm -f "$GAME/log.html"  # wait_log must see this run's lines only
  (cd "$E2E_TMP/home" && exec "$GAME/tarnova" "$@" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr") &
  GAME_PID=$!
}

# wait_log TEXT [SECONDS]: until log.html holds TEXT (fails when the game ends first).
wait_log() {
  local Deadline=$((SECONDS + ${2:-120}))
  while ! grep -qF -- "$1" "$GAME/log.html" 2>/dev/null; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before the log said \"$1\""
    [ $SECONDS -lt $Deadline ] || fail "the log never said \"$1\""
    sleep 0.2
  done
}

# wait_count COUNTER ABOVE SECONDS FAILURE: until COUNTER (a function) prints more than ABOVE;
# fails with FAILURE when SECONDS have passed (whole seconds, at least) or the game ends first.
wait_count() {
  local Deadline=$((SECONDS + $3))
  until [ "$($1)" -gt "$2" ]; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "$4: the game ended"
    [ $SECONDS -le $Deadline ] || fail "$4"
    sleep 0.2
  done
}

# wait_exit [SECONDS]: the game's exit code in EXIT_CODE.
wait_exit() {
  local Deadline=$((SECONDS + ${1:-120}))
  while kill -0 "$GAME_PID" 2>/dev/null; do
    [ $SECONDS -lt $Deadline ] || fail "the game did not end"
    sleep 0.2
  done
  EXIT_CODE=0
  wait "$GAME_PID" || EXIT_CODE=$?
  GAME_PID=""
}

# game_window: the id of the game's window.
game_window() {
  local Id=""
  for _ in $(seq 1 100); do
    Id=$(xdotool search --all --onlyvisible --pid "$GAME_PID" --name "^Tarnova - Phase 1" 2>/dev/null | head -n 1 || true)
    [ -n "$Id" ] && break
    sleep 0.2
  done
  [ -n "$Id" ] || fail "no game window"
  echo "$Id"
}

# Counts the log lines (entries of log.html) that hold TEXT.
log_count() { grep -cF -- "$1" "$GAME/log.html" || true; }

# The folder of the F10 screenshots in the HOME that make_game sets.
SCREENSHOTS_DIR() { echo "$HOME/Documents/tarnova/screenshots"; }
# screenshot FAILURE: an F10 screenshot of $WINDOW, its file in SHOT; fails with FAILURE when none
# comes. The file is the one the game must choose: numbered from the count of pictures in the
# folder, on past any number taken.
screenshot() {
  local Folder N
  Folder=$(SCREENSHOTS_DIR)
  N=$(find "$Folder" -maxdepth 1 -name '*.png' 2>/dev/null | wc -l)
  while [ -e "$Folder/screenshot$N.png" ]; do N=$((N + 1)); done
  SHOT="$Folder/screenshot$N.png"
  xdotool key --window "$WINDOW" F10
  for _ in $(seq 1 100); do [ -f "$SHOT" ] && break; sleep 0.1; done
  [ -f "$SHOT" ] || fail "$1"
  sleep 0.3  # written to a temporary file and renamed: complete once there
}
# shot NAME: an F10 screenshot of $WINDOW, kept as NAME.png among the artefacts.
shot() {
  screenshot "no screenshot for $1"
  cp "$SHOT" "$E2E_ARTIFACTS/$1.png"
}

# click X Y: a left click at window pixel X, Y of $WINDOW, then CLICK_PAUSE seconds (default 0.5)
# before the next, so two clicks never make a double click.
click() {
  xdotool mousemove --window "$WINDOW" "$1" "$2"
  sleep 0.2
  xdotool click --window "$WINDOW" 1
  sleep "${CLICK_PAUSE:-0.5}"
}

# drag X1 Y1 X2 Y2 X3 Y3: the left button pressed at X1, Y1, moved over X2, Y2 and released at
# X3, Y3, with a pause at each point so the game sees every move.
drag() {
  xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown --window "$WINDOW" 1
  sleep 0.3
  xdotool mousemove --window "$WINDOW" "$3" "$4"
  sleep 0.3
  xdotool mousemove --window "$WINDOW" "$5" "$6" mouseup --window "$WINDOW" 1
}

# hud SHOT: how many of six points of the heads-up display show it bright: the system bar's icons
# and edge at the top left, the "next round" arrow and its golden ring at the bottom right. The
# main menu's dark sky and sea stand there instead.
hud() {
  local N=0 R G B
  for P in "30 28" "86 28" "142 28" "175 20" "922 682" "922 735"; do
    read -r R G B < <("$E2E_HELPER" pixel "$1" $P)
    [ $((R + G + B)) -gt 250 ] && N=$((N + 1))
  done
  echo $N
}

# in_game SHOT / in_menu SHOT: the heads-up display shows (the earth view), or does not (a menu).
in_game() { [ "$(hud "$1")" -ge 5 ]; }
in_menu() { [ "$(hud "$1")" -le 2 ]; }

# near SHOT X Y W H R G B TOLERANCE: how many pixels of the rectangle are within TOLERANCE of the
# colour in every channel.
near() { "$E2E_HELPER" near "$@"; }

# until_shot NAME TEST...: screenshots NAME_1, NAME_2, ... a second apart until TEST NAME_k.png
# holds; the last one is kept as NAME.png. A loaded machine draws slowly, and a change of screen
# fades over several frames.
until_shot() {
  local Name=$1 Try
  shift
  for Try in 1 2 3 4 5 6 7 8; do
    sleep 1
    shot "${Name}_$Try"
    if "$@" "$E2E_ARTIFACTS/${Name}_$Try.png"; then
      mv "$E2E_ARTIFACTS/${Name}_$Try.png" "$E2E_ARTIFACTS/$Name.png"
      return 0
    fi
  done
  fail "$Name: the screen did not show what it must"
}

# ---- Playing a single-player game: the steps a player takes, shared by the scripts that play ----
# Each step uses $WINDOW and the coordinates of a 1024x768 window; each keeps its screenshots.

# key KEY...: the keys pressed in $WINDOW, then KEY_PAUSE seconds (default 0.5) for the game to answer.
key() { xdotool key --window "$WINDOW" "$@"; sleep "${KEY_PAUSE:-0.5}"; }
# wait_shot NAME SECONDS TEST...: like until_shot for a change that may take long (a battle): one
# screenshot every two seconds for up to SECONDS, the last kept as NAME.png.
wait_shot() {
  local Name=$1 Deadline=$((SECONDS + $2))
  shift 2
  while :; do
    sleep 2
    shot "$Name"
    "$@" "$E2E_ARTIFACTS/$Name.png" && return 0
    [ $SECONDS -lt $Deadline ] || fail "$Name: the screen did not show what it must"
  done
}
# rgb SHOT X Y: "red green blue" of one pixel of a screenshot.
rgb() { "$E2E_HELPER" pixel "$1" "$2" "$3"; }
# A window's title bar: light blue, far brighter in blue than in red.
title_bar_at() {
  local R G B
  read -r R G B < <(rgb "$1" "$2" "$3")
  [ "$B" -gt 170 ] && [ $((B - R)) -gt 60 ]
}
# The modal message box of the game stands in the middle of the screen.
message_box() { title_bar_at "$1" 500 290; }

region_maps() { log_count "TEarth->UpDateRegionMap->"; }
# rounds N: "next round" N times, each waiting for the round's new region map.
rounds() {
  local Round Before
  for Round in $(seq 1 "$1"); do
    key Escape  # the information centre of the last round
    Before=$(region_maps)
    click 922 682
    wait_count region_maps "$Before" 60 "round $Round did not end"
  done
  sleep 1
  key Escape  # the information centre of the last round
}

saves_made() { log_count "TGame->SaveToXML->Game saved"; }
SAVES_DIR() { echo "$HOME/Documents/tarnova/saves"; }
newest_save() { ls -t "$(SAVES_DIR)"/savegame*.xml | head -n 1; }
# save_game: the system bar's save window, its "Save" button; the new file's name in SAVED.
save_game() {
  local Count
  Count=$(saves_made)
  sleep 1
  click 86 28    # the system bar's "save game"
  sleep 1
  click 315 549  # "Save"
  wait_count saves_made "$Count" 30 "the game was not saved"
  SAVED=$(newest_save)
  [ -f "${SAVED%.xml}.name" ] || fail "$SAVED has no name file"
  key Escape
}
# start_at_menu SWITCHES...: starts the game and waits for its main menu (screenshot main_menu).
start_at_menu() {
  start_game "$@"
  wait_log "Game started in"
  WINDOW=$(game_window)
  sleep 1.5  # the menu fades in
  shot main_menu
  in_menu "$E2E_ARTIFACTS/main_menu.png" || fail "no main menu"
}
# music_volume_to_30: from the main menu, "options", and the music bar's thumb dragged from the
# default 50 of 0..100 (over 220 pixels) to 30.
music_volume_to_30() {
  click 168 340  # "options"
  sleep 1
  shot options_music
  drag 630 255 610 255 586 255
  sleep 1
  shot options_volume
}
# exit_from_game: the system bar's "exit game" to the main menu, the window closed; the game must
# end with exit code 0. Keeps log.html.
exit_from_game() {
  click 30 28  # the system bar's "exit game"
  until_shot exit_menu in_menu
  "$E2E_HELPER" close "$WINDOW"
  wait_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
  cp "$GAME/log.html" "$E2E_ARTIFACTS/"
}
# load_from_menu FILE SECONDS: in the main menu with the single-player sub-menu open (a click on
# "single player" would close it), "load game", the first row (the newest save, which must be
# FILE) and "Load"; waits for the loaded game's view.
load_from_menu() {
  click 448 284  # "load game"
  sleep 1
  shot load_window
  click 300 242  # the first row: the newest save
  click 364 549  # "Load"
  wait_log "TGame->LoadFromXML->Loading game from" "$2"
  grep -F "TGame->LoadFromXML->Loading game from" "$GAME/log.html" | tail -n 1 | grep -qF "$(basename "$1")" ||
    fail "not $(basename "$1") was loaded"
  until_shot loaded in_game
}
# player FILE: the human player's nation in a single-player savegame.
player() { sed -n '/<nation[0-4] [^>]*aicontrolled="False"/,/<\/nation[0-4]>/p' "$1"; }
count_in() { grep -c -- "$1" || true; }
# player_army FILE: the human player's divisions in a single-player savegame, one per line.
player_army() { player "$1" | grep -o '<army [^>]*>' || true; }
# sites FILE: the building places with a construction running.
sites() { grep -o 'finishtype="[^"]*"' "$1" | grep -vc '"none"' || true; }
# region_owner FILE INDEX: the owner of region INDEX (0-based, in the order of the data set).
region_owner() { LC_ALL=C grep -o '<region name="[^"]*" owner="[0-9]*"' "$1" | sed -n "$(($2 + 1))p" | sed 's/.*owner="\([0-9]*\)"/\1/'; }

# new_single_player_game: from the main menu through the nation selection (the first nation,
# the default) into round 0 of a single-player game.
new_single_player_game() {
  click 168 228  # "single player"
  sleep 1
  click 448 228  # "new game"
  sleep 2
  shot nation_selection
  click 910 713  # "start game"
  until_shot game_start in_game
}

# start_research: the research window (F3), the technology it offers first started, the window
# closed.
start_research() {
  key F3
  sleep 1.5
  shot research_window
  click 767 587  # "start research"
  sleep 1
  shot research_started
  key Escape
}
# hire_first_scientist SHOT: the transfer market (F5), its first scientist hired, the window
# closed; SHOT is the picture after hiring.
hire_first_scientist() {
  key F5
  sleep 1.5
  shot transfer_market
  click 300 233  # the market's first scientist
  sleep 0.5
  click 302 598  # "hire"
  sleep 1
  shot "$1"
  key Escape
}
# construct_first_building: in an open region details window, the free place under the diorama's
# left corner chosen (after a hover), "build", the first building of the list, "construct".
construct_first_building() {
  xdotool mousemove --window "$WINDOW" 330 250
  sleep 0.5
  xdotool mousemove --window "$WINDOW" 332 252
  sleep 0.5
  shot diorama_hover
  click 332 252  # the free place under the mouse
  click 290 429  # "build"
  sleep 1
  shot building_window
  click 600 242  # the first building of the list (row 0 is its category)
  sleep 0.5
  shot building_chosen
  click 666 587  # "construct"
  sleep 1
  shot construction_started
}

# The regions of the first nation and two neighbours, where the globe turns at the game's start:
# Germany (54) and Bohemia (56) are the player's, Hungary (58, rebels) borders Bohemia.
GERMANY="505 264"; GERMANY_INDEX=54
BOHEMIA="527 268"; BOHEMIA_INDEX=56
HUNGARY="538 280"; HUNGARY_INDEX=58

# order_unit ROW NAME: the army window (F1), its "build units", the unit type in ROW of the
# military window's list (0 light infantry, 3 environment changer), "order".
order_unit() {
  key F1
  sleep 1
  click 260 631  # "build units ..."
  sleep 1
  click 600 $((228 + 15 * $1))
  click 665 423  # "order unit"
  sleep 0.5
  shot "$2"
  title_bar_at "$E2E_ARTIFACTS/$2.png" 500 170 || fail "no military window"
  key Escape
  key Escape
}

# form_division NAME: the army window, "new division", the first free unit assigned to the first
# division, "station division" and a click on Germany.
form_division() {
  key F1
  sleep 1
  click 511 567  # "new division"
  click 260 188  # the first unit without a division
  click 460 188  # the first division
  click 260 567  # "assign to the division"
  sleep 0.5
  shot "$1"
  title_bar_at "$E2E_ARTIFACTS/$1.png" 500 130 || fail "no army window"
  click 511 631  # "station division": the window goes to the bottom edge
  sleep 1
  shot "${1}_station"
  click $GERMANY
  sleep 1
  shot "${1}_stationed"
  key Escape
}

# move_division FROM TO NAME: a click on region FROM opens its details, "move division", a click
# on the neighbouring region TO.
move_division() {
  click $1
  sleep 1
  shot "${3}_region"
  title_bar_at "$E2E_ARTIFACTS/${3}_region.png" 300 82 || fail "the region details did not open"
  click 120 363  # "move division"
  sleep 1
  shot "${3}_choose"
  click $2
  sleep 1.5
  shot "$3"
}

# A battle window: its title bar, the attacker's blue side and the defender's red one.
battle_window() {
  local R G B
  title_bar_at "$1" 500 170 || return 1
  read -r R G B < <(rgb "$1" 280 400)
  [ $((B - R)) -gt 30 ] || return 1
  read -r R G B < <(rgb "$1" 740 400)
  [ $((R - B)) -gt 10 ] && [ $((R - G)) -gt 10 ]
}
# finish_battle NAME: the battle's speed bar dragged to full speed; the victory or defeat dialog
# acknowledged and the battle window closed.
finish_battle() {
  drag 806 483 880 483 965 483
  wait_shot "$1" 180 message_box
  click 686 468  # "OK"
  click 916 589  # "close"
  sleep 0.5
}

# hire_spy NAME: the transfer market (F5), its offers scrolled to the end (the spies come last),
# the last one hired.
hire_spy() {
  key F5
  sleep 1.5
  xdotool mousemove --window "$WINDOW" 350 350
  sleep 0.2
  for _ in $(seq 1 60); do xdotool click --window "$WINDOW" 5; sleep 0.03; done
  sleep 0.5
  click 300 443  # the last offer
  click 300 598  # "hire"
  sleep 1
  shot "$1"
  key Escape
}

# infiltrate TARGET NAME: the espionage window (F4), its first free spy, "infiltrate", a click on
# region TARGET; the message of the outcome is left open.
infiltrate() {
  key F4
  sleep 1.5
  click 160 228  # the first free spy
  shot "${2}_window"
  title_bar_at "$E2E_ARTIFACTS/${2}_window.png" 500 170 || fail "no espionage window"
  click 170 381  # "infiltrate": the window goes to the bottom edge
  sleep 1
  shot "${2}_choose"
  click $1
  until_shot "$2" message_box
}
