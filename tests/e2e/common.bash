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

# shot NAME: an F10 screenshot of $WINDOW, kept as NAME.png among the artefacts.
SHOTS=0
shot() {
  xdotool key --window "$WINDOW" F10
  local File="$HOME/Documents/tarnova/screenshots/screenshot$SHOTS.png"
  for _ in $(seq 1 100); do [ -f "$File" ] && break; sleep 0.1; done
  [ -f "$File" ] || fail "no screenshot for $1"
  sleep 0.3  # written to a temporary file and renamed: complete once there
  cp "$File" "$E2E_ARTIFACTS/$1.png"
  SHOTS=$((SHOTS + 1))
}

# click X Y: a left click at window pixel X, Y of $WINDOW, then CLICK_PAUSE seconds (default 0.5)
# before the next, so two clicks never make a double click.
click() {
  xdotool mousemove --window "$WINDOW" "$1" "$2"
  sleep 0.2
  xdotool click --window "$WINDOW" 1
  sleep "${CLICK_PAUSE:-0.5}"
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
