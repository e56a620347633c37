#!/usr/bin/env bash
# The ON key starts the player where it is installed, under Wine: with
# none anywhere it says so in one box and starts nothing (not even a
# C:\PROGRAM.EXE, which an unquoted path would start); then a player chosen
# in the setup dialog's Winamp field (a folder with blanks), one the
# installer recorded in the registry, and, in a 64-bit prefix, one under
# "Program Files (x86)".
set -u
source "$(dirname "$0")/harness.sh"
e2e_init || { echo "e2e: 0 passed, 1 failed"; exit 1; }
drive_c="$WINEPREFIX/drive_c"
prefix32=$WINEPREFIX
prefix64="$E2E_TMP/prefix64"
undo() {
  rm -f "$prefix32/drive_c/PROGRAM.EXE"
  WINEPREFIX=$prefix32 zav_wine reg delete 'HKCU\Software\Winamp' /f >/dev/null 2>&1
  [ -d "$prefix64" ] && WINEPREFIX=$prefix64 timeout 10 wineserver -k >/dev/null 2>&1
  WINEPREFIX=$prefix32 e2e_cleanup
}
trap undo EXIT
standin="$ZAV_WIN_BUILD/standin_player.exe"
window_exists() { e2e_post "$1" --query | grep -qE '^(visible|hidden) '; }
player_runs() { window_exists 'Winamp stand-in'; }
stop_player() { e2e_post 'Winamp stand-in' 16 0 0 >/dev/null; e2e_eventually 10 '! player_runs'; }
ini_has() { tr -d '\r' <"$E2E_TMP/app/ir_zav.ini" | grep -qx "$1"; }
texts_hold() { e2e_post "$1" --texts | grep -qixF "$2"; }
press_on() { e2e_click "$WIN" 127 115; }
open_dialog() {
  e2e_click "$WIN" 33 176
  e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]" && sleep 0.5
  # The Winamp field lies on the Options page.
  e2e_dialog_page Options
}
press_ok() {
  e2e_dialog_click ok
  e2e_eventually 10 "[ \"\$(e2e_post 'ZAV Amp - 01' --query | cut -d' ' -f1)\" = visible ]" && sleep 0.5
}

# Nowhere: no player at the fixed path, nothing recorded; a decoy where an
# unquoted "C:\PROGRAM FILES\..." would look first.
rm -rf "$drive_c/Program Files/Winamp"
zav_wine reg delete 'HKCU\Software\Winamp' /f >/dev/null 2>&1
cp "$ZAV_WIN_BUILD/tests/e2e/post_message.exe" "$drive_c/PROGRAM.EXE"
export ZAV_DECOY_MARKER="$E2E_TMP/decoy-ran"
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$WIN"
sleep 1
press_on
e2e_check "with no player anywhere, a box says so" e2e_eventually 10 "e2e_post 'ZAV Amp' --query | grep -q '^visible '"
e2e_check "in the words users read" \
  texts_hold 'ZAV Amp' 'Winamp was not found. Choose winamp.exe under Winamp in the IR setup dialog.'
press_on
sleep 2
e2e_check "a press while it is open adds no second box" test "$(xdotool search --name '^ZAV Amp$' 2>/dev/null | wc -l)" = 1
e2e_check "C:\\PROGRAM.EXE was not started" test ! -e "$ZAV_DECOY_MARKER"
e2e_check "nor any player" e2e_eventually 1 '! player_runs'
e2e_post 'ZAV Amp' 16 0 0 >/dev/null
e2e_check "the box closes" e2e_eventually 10 "! window_exists 'ZAV Amp'"

# Chosen in the dialog: a folder with blanks.
mkdir -p "$E2E_TMP/My Players/Win amp"
cp "$standin" "$E2E_TMP/My Players/Win amp/winamp.exe"
chosen=$(e2e_winpath "$E2E_TMP/My Players/Win amp/winamp.exe")
open_dialog
e2e_check "the dialog's Winamp field says none was found" texts_hold 'Setup IR device' 'not found'
e2e_post 'Setup IR device' --field 'Winamp:' "$chosen"
press_ok
e2e_check "Ok saves the path typed into it" ini_has "PATH=${chosen//\\/\\\\}"
press_on
e2e_check "the ON key starts the player chosen" e2e_eventually 15 player_runs
stop_player

# Recorded by the installer: the field emptied removes the setting.
open_dialog
e2e_post 'Setup IR device' --field 'Winamp:' ''
press_ok
e2e_check "an emptied field removes the setting" e2e_eventually 1 "! ini_has 'PATH=.*'"
mkdir -p "$drive_c/Games/Winamp"
cp "$standin" "$drive_c/Games/Winamp/winamp.exe"
zav_wine reg add 'HKCU\Software\Winamp' /ve /d 'C:\Games\Winamp' /f >/dev/null 2>&1
press_on
e2e_check "the ON key starts the player the installer recorded" e2e_eventually 15 player_runs
stop_player
open_dialog
e2e_check "which the field shows, found, not chosen" texts_hold 'Setup IR device' 'C:\Games\Winamp\winamp.exe'
press_ok
e2e_check "and Ok does not write it" e2e_eventually 1 "! ini_has 'PATH=.*'"
rm -rf "$drive_c/Games"
e2e_post 'ZAV Amp - 01' 16 0 0 >/dev/null
e2e_eventually 10 "! window_exists 'ZAV Amp - 01'"

# A 64-bit prefix, as a 64-bit Windows: the 32-bit player under
# "Program Files (x86)".
timeout 10 wineserver -k >/dev/null 2>&1
export WINEPREFIX=$prefix64
if WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 timeout 120 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 &&
  [ -d "$prefix64/drive_c/Program Files (x86)" ]; then
  zav_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  e2e_wineserver
  mkdir -p "$prefix64/drive_c/Program Files (x86)/Winamp"
  cp "$standin" "$prefix64/drive_c/Program Files (x86)/Winamp/winamp.exe"
  e2e_install_program "$E2E_TMP/app64" $'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n'
  e2e_start "$E2E_TMP/app64" "$E2E_TMP/app64/zav_amp.exe"
  WIN=$(e2e_wait_window "ZAV Amp - 01" 60)
  sleep 1
  press_on
  e2e_check "in a 64-bit prefix the ON key starts the player under Program Files (x86)" e2e_eventually 15 player_runs
  e2e_check "and no box" e2e_eventually 1 "! window_exists 'ZAV Amp'"
  stop_player
else
  e2e_skip "a 64-bit Wine prefix could not be made here"
fi
e2e_summary
