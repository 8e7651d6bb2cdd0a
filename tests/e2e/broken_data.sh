# Start-up with broken files: without the localisation database the error dialog ends the
# start with a non-zero exit and writes no settings; a damaged package or layout, and a missing
# layout or font, is named in the dialog; damaged settings files start on defaults with one log
# line per bad value and are written anew at the next exit.
source "$(dirname "$0")/common.bash" "$@"

# No localisation database, on disk or in the package.
E2E_STAGE="no localisation"
make_game loose
rm -f "$GAME"/data/XML/localization.xml "$GAME"/data/xml/localization.xml
start_game -windowed
wait_exit
[ "$EXIT_CODE" != 0 ] || fail "no localisation: exit code 0"
grep -qF "Tarnova has encountered an error: Tarnova has encountered an error!" "$E2E_TMP/stderr" ||
  fail "no localisation: no error dialog"
grep -qF "Tarnova could not load the localization database!" "$E2E_TMP/stderr" || fail "no localisation: wrong report"
[ ! -e "$GAME/settings.xml" ] || fail "no localisation: settings.xml written"
[ ! -e "$GAME/highscore.xml" ] || fail "no localisation: highscore.xml written"
rm -rf "$GAME"

# The same with the real dialog window, as a player sees it: Return closes it and the game ends.
E2E_STAGE="no localisation, dialog window"
make_game loose
rm -f "$GAME"/data/XML/localization.xml "$GAME"/data/xml/localization.xml
TARNOVA_HEADLESS=0 start_game -windowed
DIALOG=""
for _ in $(seq 1 300); do
  DIALOG=$(xwininfo -root -tree | awk '/"Tarnova has encountered an error"/ { print $1; exit }')
  [ -n "$DIALOG" ] && break
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended without showing the dialog"
  sleep 0.2
done
[ -n "$DIALOG" ] || fail "no dialog window"
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game did not wait for the dialog"
xdotool key --window "$DIALOG" Return 2>/dev/null
wait_exit
[ "$EXIT_CODE" != 0 ] || fail "dialog window: exit code 0"
[ ! -e "$GAME/settings.xml" ] || fail "dialog window: settings.xml written"
rm -rf "$GAME"

# A damaged package: truncated, and with an impossible entry count.
for Damage in truncated count; do
  E2E_STAGE="$Damage package"
  make_game package
  if [ $Damage = truncated ]; then
    truncate -s 100 "$GAME/tarnova.dat"
  else
    printf '\x06\xff\xff\xff\x7f' | dd of="$GAME/tarnova.dat" bs=1 seek=0 conv=notrunc 2>/dev/null
  fi
  start_game -windowed
  wait_exit
  [ "$EXIT_CODE" != 0 ] || fail "$Damage package: exit code 0"
  grep -qF "tarnova.dat" "$E2E_TMP/stderr" || fail "$Damage package: the dialog does not name the file"
  grep -qF "An access violation occured during run-time :" "$GAME/log.html" || fail "$Damage package: not logged"
  rm -rf "$GAME"
done

# A layout file that is there but broken: the exception reaches the error dialog naming the
# file, and the program still shuts down in order (the settings are written).
E2E_STAGE="broken layout"
make_game both
mkdir -p "$GAME/data/xml/lang_ger"
printf '<layout><panel x="1" y="2"' >"$GAME/data/xml/lang_ger/UI_MainMenu_Root.xml"
start_game -windowed
wait_exit
[ "$EXIT_CODE" != 0 ] || fail "broken layout: exit code 0"
grep -qF "UI_MainMenu_Root.xml" "$E2E_TMP/stderr" || fail "broken layout: the dialog does not name the file"
[ -f "$GAME/settings.xml" ] || fail "broken layout: no orderly shut-down"
rm -rf "$GAME"

# Data files the start-up needs and does not find: a screen layout and a font. The error dialog
# names the file and the program ends non-zero instead of starting a half-drawn game.
for Missing in data/XML/lang_ger/UI_MainMenu_Root.xml data/tex/font_black_outline.dds data/font3.fnt; do
  E2E_STAGE="missing $Missing"
  make_game loose
  [ -f "$GAME/$Missing" ] || fail "the data build has no $Missing"
  rm -f "$GAME/$Missing"
  start_game -windowed
  wait_exit 60
  [ "$EXIT_CODE" != 0 ] || fail "missing $Missing: exit code 0"
  grep -qF "Tarnova has encountered an error" "$E2E_TMP/stderr" || fail "missing $Missing: no error dialog"
  grep -qF "$(basename "$Missing")" "$E2E_TMP/stderr" || fail "missing $Missing: the dialog does not name the file"
  grep -qF "$(basename "$Missing")" "$GAME/log.html" || fail "missing $Missing: not logged"
  ! grep -qF "going on without it" "$GAME/log.html" || fail "missing $Missing: logged and skipped"
  rm -rf "$GAME"
done

# Damaged settings files.
check_settings() {
  local Name=$1 Expected=$2
  E2E_STAGE="settings $Name"
  cp "$GAME/settings.xml" "$E2E_ARTIFACTS/settings_$Name.xml"
  start_game -windowed
  wait_log "Game started in"
  local Lines
  cp "$GAME/log.html" "$E2E_ARTIFACTS/log_$Name.html"
  Lines=$(grep -c 'LoadSettings->.*settings\.xml' "$GAME/log.html" || true)
  [ "$Lines" = "$Expected" ] || fail "$Name settings: $Lines log lines on bad values, expected $Expected"
  "$E2E_HELPER" close "$(game_window)"
  wait_exit
  [ "$EXIT_CODE" = 0 ] || fail "$Name settings: exit code $EXIT_CODE"
  grep -q '<resolution width="1024" height="768" frequency="60" */>' "$GAME/settings.xml" ||
    fail "$Name settings: the file written at exit is not the default one"
}
make_game both
printf '' >"$GAME/settings.xml"
check_settings empty 1
printf '<?xml version="1.0" encoding="ISO-8859-1"?>\n<gamesettings gameversion="x" language="eng" showintro="False">\n  <graphics highglobedetail="True"' >"$GAME/settings.xml"
check_settings truncated 1
cat >"$GAME/settings.xml" <<'XML'
<gamesettings language="eng" showintro="False">
  <graphics highglobedetail="True" reflections="True" reflectionupdaterate="2" reflectiontexturesize="300">
    <resolution width="wide" height="768" frequency="60"/>
  </graphics>
  <sound musicenabled="True" musicvolume="50" soundenabled="True" soundvolume="loud"/>
  <autosave enabled="False" interval="0"/>
</gamesettings>
XML
# Two values that do not convert (a word for the width and for the sound volume); a reflection
# texture of 300 is kept as written.
check_settings garbage 2
echo "1 passed, 0 failed"
