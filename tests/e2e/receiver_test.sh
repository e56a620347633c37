#!/usr/bin/env bash
# The IR receiver on COM1 under Wine: a code reaches the open setup dialog;
# when the line is cut (its pty pair ends) the IR badge goes dark, and when
# the line comes back under the same COM1 name the receiver is opened again
# by itself, gets "IR", lights the badge and delivers codes; no message box
# appears meanwhile.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

boxes="$E2E_TMP/message-boxes"
e2e_watch_boxes '^(Eroare|Telecomanda Winamp ZAV Amp - 01)$' "$boxes"

e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
win=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$win"
badge() { e2e_window_shot "$win" "$E2E_TMP/badge.png" && e2e_pixel "$E2E_TMP/badge.png" 22 41; }
dialog_shows() { e2e_post "Setup IR device" --texts | grep -qx "$1"; }

e2e_check "the receiver gets \"IR\"" e2e_eventually 10 "grep -q 'rx 49 52' '$E2E_TMP/receiver.log'"
e2e_check "the IR badge is lit" e2e_eventually 5 '[ "$(badge)" != "192,192,192" ]'

# (a) A code shows in the open setup dialog.
e2e_click "$win" 33 176
e2e_check "the setup dialog opens" e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]"
e2e_receiver "send 12 34 56"
e2e_check "a code from the receiver shows in its code field" e2e_eventually 5 "dialog_shows 123456"
e2e_dialog_click ok
win=$(e2e_wait_window "ZAV Amp - 01" 10)
e2e_check "the receiver was opened again after the dialog" \
  e2e_eventually 10 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -ge 2 ]"

# (b) The line is cut: the pty pair and the receiver on it end.
kill "$ZAV_SOCAT_PID" "$ZAV_RECEIVER_PID" 2>/dev/null
e2e_check "within 5 s of the cut the IR badge is dark" e2e_eventually 5 '[ "$(badge)" = "192,192,192" ]'
sleep 3
e2e_check "it stays dark while the line is away" test "$(badge)" = "192,192,192"

# The line comes back under the same COM1 name, with a receiver on it.
zav_pty_pair "$E2E_TMP"
E2E_PIDS+=("$ZAV_SOCAT_PID")
zav_start_receiver "$ZAV_RECEIVER" "$E2E_TMP/receiver2.log" "$E2E_TMP/receiver.in"
E2E_PIDS+=("$ZAV_RECEIVER_PID")
e2e_check "within 5 s of its return the receiver gets \"IR\" again" \
  e2e_eventually 5 "grep -q 'rx 49 52' '$E2E_TMP/receiver2.log'"
e2e_check "and the IR badge is lit again" e2e_eventually 5 '[ "$(badge)" != "192,192,192" ]'
e2e_click "$win" 33 176
e2e_check "the setup dialog opens again" e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]"
e2e_receiver "send AB CD EF"
e2e_check "the next code shows in the dialog" e2e_eventually 5 "dialog_shows ABCDEF"
e2e_dialog_click ok

# (c) Nothing was shown to the user meanwhile.
e2e_check "no message box appeared" test ! -s "$boxes"

e2e_close_key_ends

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
