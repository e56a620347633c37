#!/usr/bin/env bash
# The receive latency of the real program under Wine: key codes sent on
# COM1's other end with the setup dialog open, timed from the last byte
# written to the code showing in the dialog's code field (at least 50
# codes). Prints its figures; it is a measurement, not a test.
# ZAV_PROGRAM_EXE runs another build of the program (an older one, to
# compare).
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
e2e_com1
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
win=$(e2e_wait_window "ZAV Amp - 01" 30) || { echo "the program did not start"; exit 1; }
sleep 1
e2e_click "$win" 33 176
e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]" ||
  { echo "the setup dialog did not open"; exit 1; }
"$ZAV_WINE" "$ZAV_WIN_BUILD/field_watch.exe" "Setup IR device" 2>/dev/null |
  "$ZAV_BUILD/native/receive_latency" --device "$E2E_RECEIVER" --codes "${ZAV_BENCH_CODES:-60}"
