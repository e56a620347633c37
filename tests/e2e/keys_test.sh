#!/usr/bin/env bash
# The keys the system hears, for real under Wine: xdotool's media keys on
# the virtual display. A media key pressed while the setup dialog is open
# shows in its code field and is learned under PLAY; then, with the remote
# shown and again in the notification area and the stand-in player in
# front, that key plays once and the stand-in gets no press of it, while a
# key not learned reaches the stand-in and the remote does nothing with
# it. Letters typed into the dialog's fields are neither learned nor
# carried out, and a held volume key repeats.
set -u
source "$(dirname "$0")/harness.sh"
e2e_init || exit 1

e2e_start_player "$E2E_TMP/player.log" --paused --volume 100
plays() { e2e_player_got "273 40045 0"; }
nexts() { e2e_player_got "273 40048 0"; }
# What the stand-in got as the program in front: key downs and app commands.
stand_in_got() { tr -d '\r' <"$E2E_TMP/player.log" | grep -c "^$1\$"; }
level() { e2e_post 'Winamp stand-in' --send 1024 -666 122; }
dialog_state() { e2e_post 'Setup IR device' --query | cut -d' ' -f1; }
ini() { tr -d '\r' <"$E2E_TMP/app/ir_zav.ini"; }

e2e_run_program $'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\nEXECUTARE=1\r\n'
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$WIN"
e2e_click "$WIN" 33 176
e2e_check "the setup dialog opens" e2e_eventually 10 '[ "$(dialog_state)" = visible ]'
sleep 0.5
e2e_dialog_click commands
xdotool key ctrl+a && xdotool type --delay 40 "PLAY"
sleep 0.5
no_key_code() { ! e2e_post 'Setup IR device' --texts | grep -q '^key:'; }
e2e_check "letters typed into the dialog's fields are not learned" no_key_code
xdotool key XF86AudioPlay
e2e_check "a media key shows in the dialog's code field" \
  e2e_eventually 5 "e2e_post 'Setup IR device' --texts | grep -qx 'key:MEDIA_PLAY_PAUSE'"
e2e_dialog_click learn
e2e_check "Learn IR code writes it under PLAY" e2e_eventually 5 "ini | grep -qx 'PLAY=key:MEDIA_PLAY_PAUSE'"
e2e_check "and nothing reached the player meanwhile" test "$(plays)" = 0
e2e_dialog_click ok
e2e_eventually 10 '[ "$(dialog_state)" = hidden ]'
e2e_check "the check box is on, and Ok writes nothing of it" bash -c "! grep -q KEYS '$E2E_TMP/app/ir_zav.ini'"

# A key learned, the stand-in in front: the remote's, once.
check_learned_key() {  # WHERE
  e2e_check "$1: the stand-in player is in front" e2e_eventually 10 "e2e_in_front 'Winamp stand-in'"
  local before keys commands
  before=$(plays) keys=$(stand_in_got 'key 179') commands=$(stand_in_got 'appcommand 14')
  xdotool key XF86AudioPlay
  e2e_check "$1: the learned media key plays" e2e_eventually 5 "[ \$(plays) -gt $before ]"
  sleep 1
  e2e_check "$1: once ($(( $(plays) - before )))" test "$(( $(plays) - before ))" = 1
  e2e_check "$1: the stand-in in front got no press of it" \
    test "$(stand_in_got 'key 179')/$(stand_in_got 'appcommand 14')" = "$keys/$commands"
  before=$(nexts) keys=$(stand_in_got 'key 176')
  xdotool key XF86AudioNext
  e2e_check "$1: a key not learned reaches the stand-in" e2e_eventually 5 "[ \$(stand_in_got 'key 176') -gt $keys ]"
  e2e_check "$1: and the remote does nothing with it" test "$(nexts)" = "$before"
}
check_learned_key "shown"
e2e_end_program

# Held: VOLUME UP learned, the remote in the notification area.
e2e_check "the program carried out nothing of what was typed" test "$(e2e_player_got '273 40045 0')" = 1
e2e_run_program $'[IR]\r\nMinimizare=1\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=key:MEDIA_PLAY_PAUSE\r\nVOLUME UP=key:VOLUME_UP\r\n'
e2e_eventually 20 "e2e_post 'ZAV Amp - 01' --query | grep -q '^hidden'"
sleep 1
check_learned_key "in the notification area"
before=$(level)
xdotool keydown XF86AudioRaiseVolume
sleep 1.5
xdotool keyup XF86AudioRaiseVolume
sleep 0.5
e2e_check "a held volume key repeats ($before -> $(level))" test "$(level)" -gt $((before + 7))
e2e_end_program
e2e_summary
