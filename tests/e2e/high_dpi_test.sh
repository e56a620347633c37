#!/usr/bin/env bash
# The program on a screen of 192 DPI (200%): the remote is drawn at twice
# its size, pixel for pixel, in its outline, and its keys are where they
# are drawn; the setup dialog is laid out at the screen's DPI, its
# learning controls below where they are drawn. The prefix's
# DPI is put back however the test ends.
set -u
source "$(dirname "$0")/harness.sh"
# A screen of 192 DPI is a large one: the dialog fits on it whole.
export ZAV_SCREEN=1920x1200x24
e2e_init || { echo "e2e: 0 passed, 1 failed"; exit 1; }
set_dpi() {  # DPI
  zav_wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  zav_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
restore_dpi() {
  set_dpi 96
  zav_wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
  rm -f "$WINEPREFIX/.zav-dpi-changed"
}
touch "$WINEPREFIX/.zav-dpi-changed"
trap 'restore_dpi; e2e_cleanup' EXIT
set_dpi 192
# Wine reads the DPI when its server starts.
wineserver -k
wineserver -w
e2e_wineserver

player_log="$E2E_TMP/player.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" --tracks 30 \
  --start-track 5 --start-ms 9000 --paused
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query"
player_got() { tr -d '\r' <"$player_log" 2>/dev/null | grep -c "^$1\$"; }

e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
win=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$win"
sleep 1.5
read -r state x y w h <<<"$(e2e_post 'ZAV Amp - 01' --client)"
e2e_check "it is twice its size: 336 x 622 (got $w x $h)" test "$w" = 336 -a "$h" = 622
shot="$E2E_TMP/remote.png"
e2e_window_shot "$win" "$shot"
cp "$shot" "$ZAV_ROOT/out/remote-192dpi.png" 2>/dev/null
convert "$shot" -sample 50% "$E2E_TMP/remote-1x.png"
e2e_check "every pixel of the skin is doubled: the read-outs read 00:09 and 5" \
  test "$(e2e_readouts "$E2E_TMP/remote-1x.png")" = "00:09 5"
# (The bottom corner: the player's window may be behind the top one.)
e2e_check "outside the doubled outline the desktop shows" test "$(e2e_pixel "$shot" 1 620)" = "0,0,0"
e2e_check "the grille's holes let the desktop through" test "$(e2e_pixel "$shot" 87 227)" = "0,0,0"
e2e_check "the skin is painted" test "$(e2e_pixel "$shot" 166 300)" != "0,0,0"
e2e_click "$win" 64 396
e2e_check "the Play key is where it is drawn" e2e_eventually 5 "[ \$(player_got '273 40045 0') = 1 ]"

e2e_click "$win" 66 352
e2e_check "the setup dialog opens" e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]"
sleep 0.5
read -r state x y w h <<<"$(e2e_post 'Setup IR device' --client)"
e2e_check "it is laid out at the screen's DPI: 1280 x 636 (got $w x $h)" test "$w" = 1280 -a "$h" = 636
for page in Receiver "Handset codes" Options Phone; do
  e2e_dialog_page "$page"
  layout=$(e2e_post 'Setup IR device' --layout)
  e2e_check "on $page nothing overlaps, nothing leaves its group box, every text fits${layout:+: $layout}" \
    test -z "$layout" -a "$(e2e_dialog_page_shown)" = "$page"
done
# The codes and the walk's longest prompt, to see that they fit.
e2e_dialog_click learnAll 2
xdotool mousemove 5 5
sleep 0.5
e2e_check "Learn all keys is where it is drawn" \
  e2e_eventually 5 "e2e_post 'Setup IR device' --texts | grep -qx 'Press OPEN WINAMP on the handset (1 of 25)'"
e2e_client_shot "Setup IR device" "$ZAV_ROOT/out/setup-dialog-192dpi.png"
e2e_dialog_click stop 2
e2e_check "its Stop button is where it is drawn" \
  e2e_eventually 5 "! e2e_post 'Setup IR device' --texts | grep -q 'Press OPEN WINAMP'"
e2e_dialog_click ok 2
e2e_check "its Ok button is where it is drawn" \
  e2e_eventually 5 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = hidden ]"
e2e_summary
