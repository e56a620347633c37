#!/usr/bin/env bash
# Leaving the shown setup dialog as users do, under Wine: Esc, Alt+F4 and
# the close command (WM_SYSCOMMAND SC_CLOSE) each leave it as a cancel: the
# fields changed are not saved, the program goes on with the remote shown
# and its receiver opened again. A close from outside (taskkill, which
# posts WM_CLOSE to the program's windows) still ends the program, the
# dialog open or not.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

e2e_install_program "$E2E_TMP/app" $'[PORT_SET]\r\nPORT=1\r\n[IR]\r\nMinimizare=0\r\n'
start_remote() {
  e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
  REMOTE=$E2E_LAST_PID
  WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
}
dialog_state() { e2e_post 'Setup IR device' --query | cut -d' ' -f1; }
irs() { grep -c 'rx 49 52' "$E2E_TMP/receiver.log"; }
open_dialog() {
  e2e_click "$WIN" 33 176
  e2e_eventually 10 '[ "$(dialog_state)" = visible ]' && sleep 0.5
  e2e_dialog_page Receiver
}

start_remote
e2e_check "the remote's window appears" test -n "$WIN"
e2e_eventually 10 '[ "$(irs)" -ge 1 ]'
for way in Escape alt+F4 "SC_CLOSE"; do
  open_dialog
  # A change that leaving must not save: the port field, typed into.
  e2e_post 'Setup IR device' --field 'Port:' 3 >/dev/null
  before=$(irs)
  if [ "$way" = SC_CLOSE ]; then
    e2e_post 'Setup IR device' 274 61536 0 >/dev/null
  else
    e2e_click_client "Setup IR device" 300 20  # the dialog has the keyboard
    xdotool key "$way"
  fi
  e2e_check "$way leaves the dialog" e2e_eventually 10 '[ "$(dialog_state)" = hidden ]'
  e2e_check "and the program goes on" kill -0 "$REMOTE"
  WIN=$(e2e_wait_window "ZAV Amp - 01" 10)
  e2e_check "with the remote shown" test -n "$WIN"
  e2e_check "and its receiver opened again" e2e_eventually 10 "[ \$(irs) -gt $before ]"
  e2e_check "the port typed was not saved" bash -c "! tr -d '\\r' <'$E2E_TMP/app/ir_zav.ini' | grep -q '^PORT=3'"
done
open_dialog
e2e_click_client "Setup IR device" 300 20
xdotool key Return
e2e_check "Enter is still Ok" e2e_eventually 10 '[ "$(dialog_state)" = hidden ]'

# From outside: taskkill posts a close to every window of the program.
taskkill_ends() {
  zav_wine taskkill /IM zav_amp.exe >/dev/null 2>&1
  e2e_eventually 10 "! kill -0 $REMOTE 2>/dev/null"
}
WIN=$(e2e_wait_window "ZAV Amp - 01" 10)
e2e_check "taskkill still ends the program" taskkill_ends
start_remote
open_dialog
e2e_check "and ends it with the dialog open" taskkill_ends
e2e_summary
[ "$E2E_FAILED" -eq 0 ]
