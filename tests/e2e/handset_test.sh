#!/usr/bin/env bash
# The handset drives the player: codes learned in ir_zav.ini carry out
# their commands once "Run learned commands" is ticked, through the real
# program under Wine with the stand-in player and the IR receiver simulator.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

e2e_start_player "$E2E_TMP/player.log" --tracks 30
player_got() { e2e_player_got "$1"; }
plays() { player_got "273 40045 0"; }
# A key press of the handset: its code, once.
press() { e2e_receiver "send $1"; }
# A key held down: its code every 110 ms for MS milliseconds; returns once
# the simulator has sent the last one.
hold() {  # CODE MS
  local t
  for ((t = 0; t <= $2; t += 110)); do e2e_receiver "send $1"; e2e_receiver "wait 107"; done
  sleep "$(awk -v ms="$2" 'BEGIN { print ms / 1000 + 0.2 }')"
}
settle() { sleep 1; }

PLAY="A1 B2 C3" FF="A4 B5 C6" ONE="A7 A8 A9" TWO="AA AB AC" ENTER="AD AE AF"
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\n[COMENZI_IR]\r\nPLAY=A1B2C3\r\nFF=a4b5c6\r\nTASTE 1=A7A8A9\r\nTASTE 2=AAABAC\r\nENTER=ADAEAF\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
win=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$win"
e2e_eventually 10 "grep -q 'rx 49 52' '$E2E_TMP/receiver.log'"

# Off, as a new program is.
press "$PLAY"
settle
e2e_check "with the setting off a code reaches nothing" test "$(plays)" = 0

# In the setup dialog a code is for learning: it shows, and says what it is learned for.
e2e_click "$win" 33 176
e2e_check "the setup dialog opens" e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]"
press "$PLAY"
e2e_check "with the dialog open the code shows in its field" \
  e2e_eventually 5 "e2e_post 'Setup IR device' --texts | grep -qx A1B2C3"
e2e_check "and what it is learned for beneath" \
  e2e_eventually 5 "e2e_post 'Setup IR device' --texts | grep -qx 'Learned for: PLAY'"
e2e_check "and nothing reaches the player" test "$(plays)" = 0
e2e_dialog_click runLearned
# The pointer leaves the box, so its tip does not cover the label.
xdotool mousemove 1000 740
sleep 0.5
e2e_client_shot "Setup IR device" "$ZAV_ROOT/out/setup-dialog-handset.png"
e2e_dialog_click ok
e2e_check "the check box saves EXECUTARE=1" \
  e2e_eventually 5 "tr -d '\\r' <'$E2E_TMP/app/ir_zav.ini' | grep -qx 'EXECUTARE=1'"
win=$(e2e_wait_window "ZAV Amp - 01" 10)
e2e_eventually 10 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -ge 2 ]"

# On: each press carries out its command once.
press "$PLAY"
e2e_check "a code for PLAY makes the player log one Play" e2e_eventually 5 "[ \$(plays) = 1 ]"
settle
e2e_check "exactly one" test "$(plays)" = 1
hold "$PLAY" 770
settle
e2e_check "8 PLAY codes 110 ms apart are still one Play" test "$(plays)" = 2
hold "$FF" 1500
settle
ffs=$(player_got "273 40148 0")
e2e_check "FF held for 1.5 s seeks several times ($ffs)" test "$ffs" -ge 4 -a "$ffs" -le 7
press "$ONE"
sleep 0.4
press "$TWO"
sleep 0.4
press "$ENTER"
e2e_check "TASTE 1, TASTE 2, ENTER select track 12" e2e_eventually 5 "[ \$(player_got '1024 11 121') = 1 ]"
e2e_check "and play it" e2e_eventually 5 "[ \$(plays) = 3 ]"

# From the notification area too.
e2e_click "$win" 125 21
e2e_check "the tray key hides the remote" e2e_eventually 5 "[ \"\$(e2e_post 'ZAV Amp - 01' --query | cut -d' ' -f1)\" = hidden ]"
press "$PLAY"
e2e_check "in the notification area a code still acts" e2e_eventually 5 "[ \$(plays) = 4 ]"

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
