# The main menu's "load game" opens the load window under the mouse: on a 5:4 screen (1280 x 1024,
# the interface 1024 x 819) the window's list stands lower than on 4:3, and its second row lies
# where "load game" was clicked. The click that opens the window must choose no row there: "Load"
# right after it loads the row the window chooses when it opens, the first.
source "$(dirname "$0")/common.bash" "$@"

make_game both
# Full screen at the desktop's own mode: the display keeps 1280 x 1024.
cat >"$GAME/settings.xml" <<'XML'
<gamesettings language="eng" showintro="False">
  <graphics highglobedetail="True" reflections="True" reflectionupdaterate="2" reflectiontexturesize="256">
    <resolution width="1280" height="1024" frequency="60"/>
  </graphics>
  <sound musicenabled="False" musicvolume="50" soundenabled="False" soundvolume="50"/>
  <autosave enabled="False" interval="0"/>
</gamesettings>
XML
# Two saves the list shows newest first: a game saved by hand, then the older autosave. The
# documents are no games: the log names the file the load takes, which then refuses it.
SAVES=$(SAVES_DIR)
mkdir -p "$SAVES"
for Save in autosave:Autosave savegame2:Saved\ by\ hand; do
  printf '<savestate/>\n' >"$SAVES/${Save%%:*}.xml"
  printf '%s\nsingleplayer\n07.12.26\n12:00:00\n' "${Save#*:}" >"$SAVES/${Save%%:*}.name"
done
touch -d '-10 minutes' "$SAVES/autosave.name"

E2E_STAGE="the main menu at 5:4"
start_game
wait_log "Game started in"
WINDOW=$(game_window)
sleep 1.5
shot main_menu
read -r W H _ < <("$E2E_HELPER" pngstat "$E2E_ARTIFACTS/main_menu.png")
[ "$W $H" = "1280 1024" ] || fail "the screen is $W x $H, not 1280 x 1024"

E2E_STAGE="load game"
# The interface's pixels times 1.25 on this screen.
click 210 285  # "single player"
sleep 1
click 560 355  # "load game": the window opens with its second row here
sleep 1
shot load_window
click 455 718  # "Load": the row the window chose itself, the first
wait_log "TGame->LoadFromXML->Loading game from" 30
grep -F "TGame->LoadFromXML->Loading game from" "$GAME/log.html" | grep -qF "savegame2.xml" ||
  fail "not the first row was loaded: $(grep -F "Loading game from" "$GAME/log.html")"
"$E2E_HELPER" close "$WINDOW"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
cp "$GAME/log.html" "$E2E_ARTIFACTS/"
echo "1 passed, 0 failed"
