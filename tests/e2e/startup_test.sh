#!/usr/bin/env bash
# Start-up of the real program: tray mode without a settings file (the
# receiver on COM1 gets "IR"), the tray icon's left click bringing the
# window back (through the icon's callback message: a bare X display has
# no notification area to click), window mode centred on the screen, and
# the close key ending the program and freeing COM1.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

# 1. First start: no ir_zav.ini.
e2e_install_program "$E2E_TMP/first"
e2e_start "$E2E_TMP/first" "$E2E_TMP/first/zav_amp.exe"
first=$E2E_LAST_PID
e2e_eventually 20 "[ \"\$('$ZAV_WINE' '$ZAV_WIN_BUILD/tests/e2e/post_message.exe' 'ZAV Amp - 01' --query 2>/dev/null | cut -c1-6)\" = hidden ]"
e2e_check "without a settings file it starts hidden in the tray" test "$(e2e_post 'ZAV Amp - 01' --query | cut -d' ' -f1)" = hidden
e2e_check "the receiver on COM1 gets \"IR\"" e2e_eventually 10 "grep -q 'rx 49 52' '$E2E_TMP/receiver.log'"
e2e_post "ZAV Amp - 01" 1083 0 514
e2e_check "the tray icon's left click shows the window" \
  e2e_eventually 10 "xdotool search --onlyvisible --name '^ZAV Amp - 01\$' | grep -q ."
win=$(e2e_wait_window "ZAV Amp - 01" 5)
e2e_click "$win" 136 22
e2e_check "the close key ends the program" e2e_eventually 5 "! kill -0 $first 2>/dev/null"

# 2. Window mode.
e2e_install_program "$E2E_TMP/window" $'[IR]\r\nMinimizare=0\r\n'
e2e_start "$E2E_TMP/window" "$E2E_TMP/window/zav_amp.exe"
second=$E2E_LAST_PID
win=$(e2e_wait_window "ZAV Amp - 01" 20)
e2e_check "with Minimizare=0 the window shows at once" test -n "$win"
e2e_check "centred on the 1024 x 768 screen" test "$(e2e_post 'ZAV Amp - 01' --query)" = "visible 428 228 168 311"
e2e_check "a second receiver start sends \"IR\" again" e2e_eventually 10 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -ge 2 ]"
e2e_click "$win" 136 22
e2e_check "the close key ends it" e2e_eventually 5 "! kill -0 $second 2>/dev/null"
e2e_check "the settings file was not written by a start" test ! -e "$E2E_TMP/first/ir_zav.ini"

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
