#!/usr/bin/env bash
# The notification-area icon in a real system tray (trayer) on the test
# display, used through the pointer as a user would: it appears when the
# program starts hidden, a left click on it shows the window (and the icon
# goes, as the window is back), the tray key hides the window again and the
# icon is back, it comes back when the taskbar is made anew (removed from
# outside, then the shell's "TaskbarCreated" broadcast), and it goes when the
# program ends, from the window or from the tray.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

if ! e2e_start_tray; then
  e2e_skip "the icon in a real tray: trayer could not start ($(tail -n 1 "$E2E_TMP/trayer.log" 2>/dev/null))"
  e2e_summary
  exit 0
fi

icons() { e2e_tray_icons | wc -l; }
hidden() { [ "$(e2e_post 'ZAV Amp - 01' --query | cut -d' ' -f1)" = hidden ]; }

e2e_install_program "$E2E_TMP/tray"
e2e_start "$E2E_TMP/tray" "$E2E_TMP/tray/zav_amp.exe"
program=$E2E_LAST_PID
e2e_check "started hidden, its icon appears in the tray" e2e_eventually 20 '[ "$(icons)" = 1 ]'
e2e_check "the window is hidden" hidden
import -window root -crop 120x24+904+744 +repage "$ZAV_ROOT/out/tray-icon.png" 2>/dev/null

e2e_click_tray_icon 1
e2e_check "a left click on the icon shows the window" \
  e2e_eventually 10 "xdotool search --onlyvisible --name '^ZAV Amp - 01\$' | grep -q ."
e2e_check "and the icon goes while the window is shown" e2e_eventually 5 '[ "$(icons)" = 0 ]'

win=$(e2e_wait_window "ZAV Amp - 01" 5)
e2e_click "$win" 126 22
e2e_check "the tray key hides the window" e2e_eventually 10 hidden
e2e_check "and the icon is back" e2e_eventually 10 '[ "$(icons)" = 1 ]'

# Explorer restarting: the icon is gone from the new taskbar until the
# program hears "TaskbarCreated". (Under Wine a restarted tray re-docks icons
# by itself, so the icon is removed from outside instead.)
e2e_post "ZAV Amp - 01" --remove-icon
e2e_check "an icon removed from outside is gone" e2e_eventually 5 '[ "$(icons)" = 0 ]'
e2e_post "ZAV Amp - 01" --broadcast TaskbarCreated
e2e_check "the taskbar's broadcast brings it back" e2e_eventually 10 '[ "$(icons)" = 1 ]'

e2e_click_tray_icon 1
win=$(e2e_wait_window "ZAV Amp - 01" 10)
e2e_check "a click on the icon that came back shows the window" test -n "$win"
[ -n "$win" ] && e2e_click "$win" 136 22
e2e_check "the close key ends the program" e2e_eventually 10 "! kill -0 $program 2>/dev/null"
e2e_check "no icon is left behind in the tray" e2e_eventually 5 '[ "$(icons)" = 0 ]'

# Ended while hidden in the tray (as a session that logs off ends it: the
# window is told to close): the icon goes with the program.
e2e_start "$E2E_TMP/tray" "$E2E_TMP/tray/zav_amp.exe"
program=$E2E_LAST_PID
e2e_eventually 20 '[ "$(icons)" = 1 ]'
e2e_post "ZAV Amp - 01" 16 0 0
e2e_check "told to close in the tray, the program ends" e2e_eventually 10 "! kill -0 $program 2>/dev/null"
e2e_check "and takes its icon with it" e2e_eventually 10 '[ "$(icons)" = 0 ]'

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
