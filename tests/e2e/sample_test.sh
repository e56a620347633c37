#!/usr/bin/env bash
# Drives the sample program through the harness: its shaped window, a click
# on its window-less button (seen in its log and on screen), its timer, a
# pty linked as COM1 in the prefix, and its end when its close spot is hit.
set -u
source "$(dirname "$0")/harness.sh"
e2e_init || { echo "e2e: 0 passed, 1 failed"; exit 1; }

exe="$ZAV_WIN_BUILD/tests/e2e/e2e_sample.exe"
log="$E2E_TMP/e2e_sample.log"
e2e_com1
e2e_start "$E2E_TMP" "$exe"
win=$(e2e_wait_window "ZAV E2E Sample" 30)
e2e_check "the sample's window appears" test -n "$win"
e2e_check "COM1 of the prefix leads to our pty" test "$(readlink -f "$WINEPREFIX/dosdevices/com1")" = "$E2E_COM1"

shot="$E2E_TMP/before.png"
e2e_screenshot "$win" "$shot"
e2e_check "the button is painted red" test "$(e2e_pixel "$shot" 60 55)" = "255,0,0"
e2e_check "the form's colour around it" test "$(e2e_pixel "$shot" 150 100)" = "192,192,192"
e2e_check "the rounded corner is cut out of the window" test "$(e2e_pixel "$shot" 1 1)" != "192,192,192"

e2e_click "$win" 60 55
e2e_check "the click reached the window-less button" e2e_eventually 5 "grep -q '^click 1' '$log'"
e2e_screenshot "$win" "$E2E_TMP/after.png"
e2e_check "the button is repainted green" test "$(e2e_pixel "$E2E_TMP/after.png" 60 55)" = "0,255,0"
e2e_click "$win" 150 100
sleep 0.3
e2e_check "a click beside it is no click" test "$(grep -c '^click' "$log")" = 1
e2e_check "the timer ticks" e2e_eventually 5 "grep -q '^ticks 10' '$log'"

e2e_click "$win" 180 20
e2e_check "the close spot ends the program" e2e_eventually 5 "grep -q '^ended' '$log'"
e2e_check "the process is gone" e2e_eventually 5 "! kill -0 $E2E_LAST_PID"

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
