# Full screen asked of a display that does not offer the settings' mode: the refusal is logged,
# the game goes on in a borderless window over the whole desktop (no window manager maximises it
# here) and gives the desktop back at exit. An OpenGL
# implementation without S3TC texture compression ends the start with the error dialog.
source "$(dirname "$0")/common.bash" "$@"

E2E_STAGE="full screen"
make_game both
start_game
wait_log "Game started in"
grep -qF "TGame->Create->Error : Could not change to desired display mode (-2), running windowed!" "$GAME/log.html" ||
  fail "no log line for the refused display mode"
WINDOW=$(game_window)
xdotool key --window "$WINDOW" F10
wait_log "Screenshot saved to"
read -r W H _ < <("$E2E_HELPER" pngstat "$(SCREENSHOTS_DIR)/screenshot0.png")
[ "$W $H" = "1280 1024" ] || fail "the client area is $W x $H, not the desktop's 1280 x 1024"
for _ in $(seq 1 20); do
  GEOMETRY=$(xdotool getwindowgeometry "$WINDOW")
  grep -q "Position: 0,0 " <<<"$GEOMETRY" && break
  sleep 0.1
done
grep -q "Position: 0,0 " <<<"$GEOMETRY" || fail "the window is not at the desktop's corner: $GEOMETRY"
cp "$(SCREENSHOTS_DIR)/screenshot0.png" "$E2E_ARTIFACTS/full_screen_refused.png"
"$E2E_HELPER" close "$WINDOW"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
grep -qF "TGame->Destroy->Displaysettings restored" "$GAME/log.html" || fail "the desktop mode was not restored"
rm -rf "$GAME"

E2E_STAGE="no S3TC"
make_game both
# The shipped game takes the implementation's extensions as they are; a test build of it takes
# the ones its first argument names.
cp "$E2E_BUILD/tarnova-limited-gl-game" "$GAME/tarnova-limited-gl-game"
rm -f "$GAME/log.html"
(cd "$E2E_TMP/home" && exec "$GAME/tarnova-limited-gl-game" "GL_ARB_texture_compression GL_SGIS_generate_mipmap" \
  -windowed >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr") &
GAME_PID=$!
wait_exit
[ "$EXIT_CODE" != 0 ] || fail "exit code 0"
grep -qF 'Tarnova needs the "GL_EXT_texture_compression_s3tc" OpenGL extension to run!!' "$E2E_TMP/stderr" ||
  fail "no error dialog"
grep -qF "Information on your OpenGL implementation :" "$GAME/log.html" || fail "the report is not logged"
[ -f "$GAME/settings.xml" ] || fail "the localisation was loaded, yet no settings were written"
echo "1 passed, 0 failed"
