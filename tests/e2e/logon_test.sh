#!/usr/bin/env bash
# "Start with Windows" for real under Wine: ticked in the setup dialog, Ok
# writes the value "ZAV Amp" under HKCU\...\Run with the exe's quoted path
# (read back with `wine reg query`), the box shows ticked when the dialog
# opens again, and unticked, Ok removes the value. Wine starts every value
# of that key at each session start: whatever happens, the value goes at
# the end.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
remove_value() { zav_wine reg delete "$run_key" /v 'ZAV Amp' /f >/dev/null 2>&1; }
trap 'remove_value; e2e_cleanup' EXIT
remove_value

stored() { zav_wine reg query "$run_key" /v 'ZAV Amp' 2>/dev/null | tr -d '\r' | sed -n 's/.*ZAV Amp *REG_SZ *//p'; }
dialog_shown() { [ "$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)" = visible ]; }
open_dialog() {
  e2e_click "$WIN" 33 176
  e2e_eventually 10 dialog_shown && sleep 0.5
  e2e_dialog_page Options
}
# The box's square, where its tick is drawn.
box_ticked() {
  e2e_client_shot 'Setup IR device' "$E2E_TMP/dialog.png"
  [ "$(e2e_pixel "$E2E_TMP/dialog.png" 246 106)" != "255,255,255" ]
}
box_unticked() { ! box_ticked; }
# The click lands once the dialog paints its tick: a machine under load
# may take a while over the first dialog it opens.
toggle_box() {
  local before
  box_ticked && before=ticked || before=unticked
  e2e_dialog_click startWithWindows
  if [ "$before" = ticked ]; then e2e_eventually 5 box_unticked; else e2e_eventually 5 box_ticked; fi
}
press_ok() { e2e_dialog_click ok; e2e_eventually 10 '! dialog_shown'; }

dir="$E2E_TMP/Start Me"
e2e_install_program "$dir" $'[IR]\r\nMinimizare=0\r\n'
e2e_start "$dir" "$dir/zav_amp.exe"
WIN=$(e2e_wait_window "ZAV Amp - 01" 20)
exe=$(e2e_winpath "$dir/zav_amp.exe")

open_dialog
e2e_check "the box starts unticked: nothing starts this program" e2e_eventually 3 box_unticked
toggle_box
press_ok
value=$(stored)
e2e_check "ticked, Ok writes the exe's quoted path (${value:-none})" \
  test "$(tr 'A-Z' 'a-z' <<<"$value")" = "$(tr 'A-Z' 'a-z' <<<"\"$exe\"")"

open_dialog
e2e_check "opened again, the box shows ticked" e2e_eventually 3 box_ticked
e2e_client_shot 'Setup IR device' "$ZAV_ROOT/out/dialog-start-with-windows.png"
toggle_box
press_ok
e2e_check "unticked, Ok removes the value ($(stored))" test -z "$(stored)"

e2e_click "$WIN" 136 22
e2e_summary
[ "$E2E_FAILED" -eq 0 ]
