# The game starts windowed on the full data set into the main menu, F10 writes a screenshot of
# the window that shows the menu, and closing the window ends the game with exit code 0 and
# writes settings.xml (and, with -logai, the computer opponents' logs). The same again from the package alone, and with the test's small
# main-menu layout laid over the data, whose panel must show in the screenshot.
source "$(dirname "$0")/common.bash" "$@"

FIXTURE="$(cd "$(dirname "$0")/../fixtures/game" && pwd)"
for DATA in both package fixture; do
  if [ $DATA = fixture ]; then
    make_game both
    cp -r "$FIXTURE/data/." "$GAME/data/"
  else
    make_game "$DATA"
  fi
  rm -rf "$HOME/Documents"
  # The package run also asks for the computer opponents' logs and no shaders.
  if [ $DATA = package ]; then start_game -windowed -logai -noshaders; else start_game -windowed; fi
  wait_log "Game started in"
  for Line in "Starting Tarnova - Phase 1 (v1.11)" "[OpenGL] Vendor   = " "[OpenGL] Renderer = " \
              "[OpenGL] Version  = " "[SYSTEM] Operating system = " "Loading textures in"; do
    grep -qF -- "$Line" "$GAME/log.html" || fail "$DATA: no \"$Line\" in the log"
  done
  WINDOW=$(game_window)
  # The menu fades in from black with the frame time, which a loaded machine stretches: look
  # again until it shows, a few times.
  for _ in 1 2 3 4 5; do
    sleep 1
    screenshot "$DATA: no screenshot of the menu"
    read -r W H LIT BRIGHT < <("$E2E_HELPER" pngstat "$SHOT")
    awk -v L="$LIT" 'BEGIN { exit !(L > 0.5) }' && break
  done
  grep -qF "Screenshot saved to" "$GAME/log.html" || fail "$DATA: no screenshot in the log"
  cp "$SHOT" "$E2E_ARTIFACTS/main_menu_$DATA.png"
  [ "$W $H" = "1024 768" ] || fail "$DATA: the screenshot is $W x $H, not the window's 1024 x 768"
  awk -v L="$LIT" 'BEGIN { exit !(L > 0.5) }' || fail "$DATA: the screenshot is black ($LIT lit)"
  if [ $DATA = fixture ]; then
    # The layout's 400 x 300 panel on the 1024 x 768 screen: about 15 % of the pixels.
    awk -v B="$BRIGHT" 'BEGIN { exit !(B > 0.1) }' || fail "fixture: the main-menu panel does not show ($BRIGHT bright)"
  fi
  "$E2E_HELPER" close "$WINDOW"
  wait_exit
  [ "$EXIT_CODE" = 0 ] || fail "$DATA: exit code $EXIT_CODE after closing the window"
  grep -q 'reflectiontexturesize="512"' "$GAME/settings.xml" || fail "$DATA: no settings.xml written"
  grep -qF "Render context destroyed" "$GAME/log.html" || fail "$DATA: no orderly shut-down in the log"
  grep -qF "Displaysettings restored" "$GAME/log.html" && fail "$DATA: windowed, yet the display mode was restored"
  if [ $DATA = package ]; then
    grep -qF "Shaders disabled, not loading shaders!" "$GAME/log.html" || fail "-noshaders: shaders loaded"
    for i in 0 1 2 3 4; do [ -f "$GAME/AI_${i}_log.html" ] || fail "-logai: no AI_${i}_log.html"; done
  else
    [ ! -e "$GAME/AI_0_log.html" ] || fail "AI logs written without -logai"
  fi
  cp "$GAME/log.html" "$E2E_ARTIFACTS/log_$DATA.html"
  rm -rf "$GAME"
done
echo "1 passed, 0 failed"
