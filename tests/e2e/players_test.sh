#!/usr/bin/env bash
# The players as each really answers, for real under Wine. The stand-in
# player as foobar2000's Winamp bridge (a copy named foobar2000.exe, with
# --behave foobar2000): REW and FF seek on it and the track stays, PAUSE
# then PAUSE resumes, SHUF switches shuffle on, the track read-out shows
# dashes, the dialog says it answers, and with the remote in the
# notification area the on-screen display shows what PLAY did but no
# title: the bridge cannot tell which track plays. With no player window,
# [PLAYER] OTHERS on and the remote in the notification area, the
# handset's PLAY reaches a program of the tests' own in front as the play
# command (never the play/pause key, which would pause a player that
# plays) and NEXT as its media key, once each, and the remote does not hear
# its own keys, though they are among PLAY's and NEXT's codes.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

mkdir -p "$E2E_TMP/fb"
cp "$ZAV_WIN_BUILD/standin_player.exe" "$E2E_TMP/fb/foobar2000.exe"
E2E_PLAYER_LOG="$E2E_TMP/player.log"
e2e_start "$E2E_TMP/fb" "$E2E_TMP/fb/foobar2000.exe" --log "$(e2e_winpath "$E2E_PLAYER_LOG")" --behave foobar2000 \
  --playing --tracks 10 --start-track 4 --start-ms 60000 --title "Bridge song"
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query" || { e2e_check "the stand-in bridge starts" false; e2e_summary; exit 1; }
ask() { e2e_post 'Winamp stand-in' --send 1024 "${2:-0}" "$1"; }
got() { e2e_player_got "$1"; }

e2e_run_program $'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=key:MEDIA_PLAY_PAUSE\r\n'
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$WIN"
sleep 1
before=$(ask 105)
e2e_click "$WIN" 95 176  # REW
e2e_check "REW seeks on the bridge (40154)" e2e_eventually 5 '[ $(got "273 40154 0") = 1 ]'
e2e_click "$WIN" 128 176  # FF
e2e_check "FF seeks on the bridge (40158)" e2e_eventually 5 '[ $(got "273 40158 0") = 1 ]'
e2e_check "neither goes to the first or the last track (40144, 40148)" \
  test "$(got '273 40144 0')/$(got '273 40148 0')" = 0/0
e2e_check "the track stays (track $(( $(ask 9999) + 1 )))" test "$(ask 9999)" = 3
e2e_check "the time moved by the seeks only ($before ms, now $(ask 105) ms)" test "$(ask 105)" -lt $((before + 8000))
e2e_click "$WIN" 65 198  # PAUSE
e2e_check "PAUSE pauses" e2e_eventually 5 '[ "$(ask 104)" = 3 ]'
e2e_click "$WIN" 65 198
e2e_check "PAUSE again resumes" e2e_eventually 5 '[ "$(ask 104)" = 1 ]'
e2e_click "$WIN" 95 217  # SHUF
e2e_check "SHUF switches shuffle on" e2e_eventually 5 '[ "$(ask 250)" = 1 ]'
e2e_click "$WIN" 95 217
sleep 1
e2e_check "SHUF again cannot switch it off: it stays on" test "$(ask 250)" = 1
e2e_check "and the display says it is not supported" \
  bash -c "xdotool search --onlyvisible --name '^ZAV Amp - OSD\$' >/dev/null"
sleep 2.5
e2e_screenshot "$WIN" "$E2E_TMP/remote.png"
track_dashes() { e2e_readouts "$E2E_TMP/remote.png" | grep -qE ' --$'; }
e2e_check "the track read-out shows dashes ($(e2e_readouts "$E2E_TMP/remote.png"))" track_dashes
e2e_click "$WIN" 33 176
e2e_eventually 10 "e2e_post 'Setup IR device' --query | grep -q '^visible'"
e2e_check "the dialog says which player answers" \
  e2e_eventually 5 "e2e_post 'Setup IR device' --texts | grep -qx 'foobar2000 (Winamp bridge)'"
e2e_dialog_click ok
e2e_eventually 10 "e2e_post 'Setup IR device' --query | grep -q '^hidden'"
e2e_end_program

# The title on the display, the remote in the notification area.
e2e_run_program $'[IR]\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=key:MEDIA_PLAY_PAUSE\r\n'
e2e_eventually 30 "e2e_post 'ZAV Amp - 01' --query | grep -q '^hidden'"
sleep 1
e2e_check "the bridge is in front" e2e_eventually 10 "e2e_in_front 'Winamp stand-in'"
xdotool key XF86AudioPlay
e2e_check "the on-screen display shows what PLAY did" \
  e2e_eventually 5 "xdotool search --onlyvisible --name '^ZAV Amp - OSD\$' >/dev/null"
no_bridge_title() { ! e2e_post 'ZAV Amp - OSD' --texts | grep -q 'Bridge song'; }
e2e_check "but no title: the bridge's track number is always 1" no_bridge_title
e2e_end_program
e2e_post 'Winamp stand-in' 16 0 0
e2e_eventually 10 "! e2e_post 'Winamp stand-in' --query"

# No player window: the system's media keys, for the program in front.
WITNESS_LOG="$E2E_TMP/witness.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$WITNESS_LOG")" --class ZavKeyWitness
e2e_eventually 20 "e2e_post ZavKeyWitness --query"
witness_got() { tr -d '\r' <"$WITNESS_LOG" 2>/dev/null | grep -c "^$1\$"; }
INITS=$(grep -c 'rx 49 52' "$E2E_TMP/receiver.log")
e2e_run_program $'[IR]\r\nEXECUTARE=1\r\n[PLAYER]\r\nOTHERS=1\r\n[COMENZI_IR]\r\nPLAY=A1B2C3,key:MEDIA_PLAY_PAUSE\r\nNEXT SONG=A4B5C6,key:MEDIA_NEXT_TRACK\r\n'
e2e_eventually 30 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -gt $INITS ]"
sleep 1
e2e_check "a program of our own is in front" e2e_eventually 10 "e2e_in_front ZavKeyWitness"
e2e_receiver send A1 B2 C3
e2e_check "the handset's PLAY reaches it as the play command" e2e_eventually 5 '[ $(witness_got "appcommand 46") -ge 1 ]'
sleep 1.5
e2e_check "once ($(witness_got 'appcommand 46')), and not as the play/pause key ($(witness_got 'key 179'))" \
  test "$(witness_got 'appcommand 46')/$(witness_got 'key 179')" = 1/0
e2e_receiver send A4 B5 C6
e2e_check "the handset's NEXT reaches it as the media key" e2e_eventually 5 '[ $(witness_got "key 176") -ge 1 ]'
sleep 1.5
e2e_check "once ($(witness_got 'key 176'))" test "$(witness_got 'key 176')" = 1
e2e_end_program
e2e_summary
