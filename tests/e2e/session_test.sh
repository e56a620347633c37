#!/usr/bin/env bash
# However the program is asked to end from outside, it ends the same way
# under Wine, letting go of COM1: a close posted to its hidden setup
# dialog (the task manager posts one to every window of the program), a
# close while a message box is open, and the end of the user's session
# (wineboot --end-session).
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver
# No player anywhere, so the ON key opens a box.
rm -rf "$WINEPREFIX/drive_c/Program Files/Winamp"

start_remote() {
  e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\n'
  e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
  REMOTE=$E2E_LAST_PID
  WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
  e2e_eventually 10 "[ -n \"\$(e2e_holders '$E2E_COM1')\" ]" && sleep 0.5
}
com1_held() { [ -n "$(e2e_holders "$E2E_COM1")" ]; }
ended() { e2e_eventually 10 "! kill -0 $REMOTE 2>/dev/null" && ! com1_held; }

start_remote
e2e_check "the program holds COM1" com1_held
e2e_post 'Setup IR device' 16 0 0 >/dev/null
e2e_check "a close posted to the hidden setup dialog ends it and frees COM1" ended

start_remote
e2e_click "$WIN" 127 115
e2e_check "a box is open" e2e_eventually 10 "e2e_post 'ZAV Amp' --query | grep -q '^visible '"
e2e_post 'ZAV Amp - 01' 16 0 0 >/dev/null
e2e_check "a close posted while the box is open ends it and frees COM1" ended

start_remote
zav_wine wineboot --end-session >/dev/null 2>&1
e2e_check "the end of the session ends it and frees COM1" ended
e2e_summary
