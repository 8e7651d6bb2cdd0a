# A long play under a watchdog: new single-player games, rounds ended one after the other with
# windows opened and closed, the globe clicked, dragged and zoomed between them, once with the
# water reflections on and once with them off. The watchdog reads the window's picture every
# second; the animated water changes it every frame, so a picture that stays the same for
# 30 seconds is a game that stopped drawing.
# PLAY_ROUNDS (default 50) and PLAY_ROUNDS_NO_REFLECTIONS (default 20) set the rounds of each game.
source "$(dirname "$0")/common.bash" "$@"

ROUNDS=${PLAY_ROUNDS:-50}
ROUNDS_NO_REFLECTIONS=${PLAY_ROUNDS_NO_REFLECTIONS:-20}
STALL=${PLAY_STALL_SECONDS:-30}

CLICK_PAUSE=0.3
KEY_PAUSE=0.4

# The watchdog: the time of the last change of the picture, in $E2E_TMP/changed.
watchdog() {
  local Last="" Sum
  while kill -0 "$GAME_PID" 2>/dev/null; do
    Sum=$("$E2E_HELPER" windowsum "$WINDOW" 2>/dev/null || true)
    if [ -n "$Sum" ] && [ "$Sum" != "$Last" ]; then
      Last=$Sum
      date +%s > "$E2E_TMP/changed.new" && mv "$E2E_TMP/changed.new" "$E2E_TMP/changed"
    fi
    sleep 1
  done
}
# Fails when the picture has not changed for $STALL seconds.
check_drawing() {
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
  local Changed
  Changed=$(cat "$E2E_TMP/changed" 2>/dev/null || date +%s)
  if [ $(($(date +%s) - Changed)) -ge "$STALL" ]; then
    cp "$GAME/log.html" "$E2E_ARTIFACTS/" 2>/dev/null || true
    # What the window still shows, where ImageMagick is at hand.
    if command -v import >/dev/null; then import -window "$WINDOW" "$E2E_ARTIFACTS/stalled.png" 2>/dev/null || true; fi
    [ -n "${PLAY_KEEP_STALLED:-}" ] && { echo "stalled game: pid $GAME_PID" >&2; GAME_PID=""; }
    fail "no frame drawn for $STALL seconds"
  fi
}

# ended: whether the player's defeat has ended the game: an F10 screenshot shows the end-of-game
# screen where the heads-up display stood. The computer nations conquer an idle player's home in
# some games before round 50.
ended() {
  local Folder="$(SCREENSHOTS_DIR)" Count Shot
  Count=$(ls "$Folder" 2>/dev/null | wc -l)
  xdotool key --window "$WINDOW" F10
  for _ in $(seq 1 50); do [ "$(ls "$Folder" 2>/dev/null | wc -l)" -gt "$Count" ] && break; sleep 0.1; done
  sleep 0.3  # written to a temporary file and renamed: complete once there
  Shot=$(ls -t "$Folder/"*.png 2>/dev/null | head -n 1 || true)
  [ -n "$Shot" ] && in_menu "$Shot"
}

# play N REFLECTIONS(True|False): one game of N rounds, or fewer when the player is beaten.
play() {
  local Rounds=$1 Name=$2
  printf '<?xml version="1.0"?>\n<gamesettings language="ger">\n  <graphics reflections="%s"/>\n</gamesettings>\n' "$3" \
    > "$GAME/settings.xml"
  start_game -windowed
  wait_log "Game started in"
  WINDOW=$(game_window)
  date +%s > "$E2E_TMP/changed"
  watchdog &
  local Watchdog=$!
  sleep 1
  E2E_STAGE="$Name: new game"
  click 168 228  # "single player"
  sleep 1
  click 448 228  # "new game"
  sleep 1.5
  click 910 713  # "start game"
  sleep 2
  local Lost=0 Round Before Beaten=""
  for Round in $(seq 1 "$Rounds"); do
    E2E_STAGE="$Name: round $Round"
    check_drawing
    case $((Round % 5)) in
      1) key "F$((Round / 5 % 6 + 1))"; key Escape ;;                    # a window opened and closed
      2) click $((380 + Round * 37 % 260)) $((150 + Round * 53 % 260)); key Escape ;;  # the globe clicked
      3) xdotool mousemove --window "$WINDOW" 600 300 mousedown 3 mousemove --window "$WINDOW" 680 330 \
           mousemove --window "$WINDOW" 720 350 mouseup 3
         xdotool click --window "$WINDOW" 4 click --window "$WINDOW" 5 ;;  # dragged and zoomed
      4) local Buttons=(315 393 471 549 628 706 784)
         click "${Buttons[$((Round / 5 % 7))]}" 707; key Escape ;;       # a button of the display
      0) click 85 28; key Escape ;;                                      # the save window
    esac
    Before=$(region_maps)
    click 922 682  # "next round"
    local Tries=0
    while [ "$(region_maps)" -le "$Before" ]; do
      check_drawing
      Tries=$((Tries + 1))
      # The click can fall on a window still fading out: close it and click again.
      if [ $((Tries % 100)) = 0 ]; then
        if ended; then
          Beaten=$Round
          break 2
        fi
        [ $Tries -ge 400 ] && fail "round $Round did not end"
        Lost=$((Lost + 1))
        key Escape
        click 922 682
      fi
      sleep 0.1
    done
  done
  E2E_STAGE="$Name: end"
  xdotool key --window "$WINDOW" F10
  sleep 1
  check_drawing
  "$E2E_HELPER" close "$WINDOW"  # the quit dialog of a running game
  sleep 1
  kill -TERM "$GAME_PID" 2>/dev/null || true
  for _ in $(seq 1 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.2; done
  kill -9 "$GAME_PID" 2>/dev/null || true
  wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=""
  wait "$Watchdog" 2>/dev/null || true
  local Shot
  Shot=$(ls -t "$(SCREENSHOTS_DIR)"/*.png 2>/dev/null | head -n 1 || true)
  [ -n "$Shot" ] && cp "$Shot" "$E2E_ARTIFACTS/$Name.png"
  cp "$GAME/log.html" "$E2E_ARTIFACTS/$Name-log.html"
  grep -qiF "exception" "$GAME/log.html" && fail "$Name: log.html reports an exception"
  if [ -n "$Beaten" ]; then
    echo "$Name: the player was beaten in round $Beaten, $Lost clicks repeated"
  else
    echo "$Name: $Rounds rounds played, $Lost clicks repeated"
  fi
}

make_game both
play "$ROUNDS" reflections True
play "$ROUNDS_NO_REFLECTIONS" no_reflections False
echo "1 passed, 0 failed"
