#!/usr/bin/env bash
# The remote control in use: the real program beside the stand-in player,
# driven by clicks on its skin. What is checked is what a user sees (the
# shape, the read-outs and indicators, decoded from screenshots) and what
# the player gets (its message log).
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

player_log="$E2E_TMP/player.log"
standin="$ZAV_WIN_BUILD/standin_player.exe"
start_player() {
  e2e_start "$E2E_TMP" "$standin" --log "$(e2e_winpath "$player_log")" "$@"
  e2e_eventually 20 "'$ZAV_WINE' '$ZAV_WIN_BUILD/tests/e2e/post_message.exe' 'Winamp stand-in' --query >/dev/null 2>&1"
}
player_got() { tr -d '\r' <"$player_log" 2>/dev/null | grep -c "^$1\$"; }
shot() { e2e_window_shot "$win" "$E2E_TMP/$1.png"; echo "$E2E_TMP/$1.png"; }
pixel() { e2e_pixel "$1" "$2" "$3"; }

start_player --tracks 50 --start-track 42 --start-ms 9999 --paused
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
remote=$E2E_LAST_PID
win=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$win"
sleep 1.5

# The skin in its outline, the read-outs, the indicators.
s=$(shot paused)
e2e_check "outside the outline the desktop shows" test "$(pixel "$s" 0 0)" = "0,0,0"
e2e_check "the grille's holes let the desktop through" test "$(pixel "$s" 43 113)" = "0,0,0" -a "$(pixel "$s" 44 114)" = "0,0,0"
e2e_check "the skin is painted" test "$(pixel "$s" 83 150)" != "0,0,0"
e2e_check "the read-outs show 00:09 and 42" test "$(e2e_readouts "$s")" = "00:09 42"
e2e_check "the pause mark is lit, the play mark covered" \
  test "$(pixel "$s" 22 68)" != "192,192,192" -a "$(pixel "$s" 27 61)" = "192,192,192"
e2e_check "the ON badge is lit while the player runs" test "$(pixel "$s" 111 48)" != "192,192,192"
e2e_check "the IR badge is lit: the receiver is active" test "$(pixel "$s" 22 41)" != "192,192,192"
cp "$s" "$ZAV_ROOT/out/remote-paused.png" 2>/dev/null

# Each transport key sends exactly its command.
for k in "Play 32 198 40045" "Pause 65 198 40046" "Stop 95 198 40047" "Prev 95 156 40044" "Next 128 156 40048" \
         "Rew 95 176 40144" "FF 128 176 40148" "Shuffle 95 217 40023" "Repeat 128 217 40022"; do
  set -- $k
  before=$(player_got "273 $4 0")
  e2e_click "$win" "$2" "$3"
  e2e_check "the $1 key sends command $4 once" e2e_eventually 5 "[ \$(player_got '273 $4 0') = $((before + 1)) ]"
done

# Typing a track: 1, 2, Enter selects entry 12 (index 11) and plays.
e2e_click "$win" 65 236
e2e_click "$win" 96 236
sleep 0.8
e2e_check "the typed digits show in the track read-out" test "$(e2e_readouts "$(shot typed)" | cut -d' ' -f2)" = 12
e2e_click "$win" 33 236
e2e_check "Enter selects track 12" e2e_eventually 5 "[ \$(player_got '1024 11 121') = 1 ]"
e2e_check "and plays" e2e_eventually 5 "[ \$(player_got '273 40045 0') = 2 ]"
sleep 2.2
s=$(shot playing)
read -r time track <<<"$(e2e_readouts "$s")"
e2e_check "the track read-out follows the player: 12" test "$track" = 12
e2e_check "the time read-out counts (00:01 or 00:02, got $time)" bash -c "[[ '$time' =~ ^00:0[12]$ ]]"
e2e_check "the play mark is lit while playing" test "$(pixel "$s" 27 61)" != "192,192,192"
cp "$s" "$ZAV_ROOT/out/remote-playing.png" 2>/dev/null

# The start key closes the running player and starts it again from its path.
zav_install_standin
e2e_click "$win" 127 115
e2e_check "the start key closes the running player" e2e_eventually 5 "[ \$(player_got '273 40001 0') = 1 ]"
e2e_check "and it is gone" e2e_eventually 5 "! '$ZAV_WINE' '$ZAV_WIN_BUILD/tests/e2e/post_message.exe' 'Winamp stand-in' --query >/dev/null 2>&1"
sleep 0.8
e2e_check "the ON badge is covered without a player" test "$(pixel "$(shot noplayer)" 111 48)" = "192,192,192"
e2e_click "$win" 127 115
e2e_check "the start key starts the player from C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE" \
  e2e_eventually 10 "'$ZAV_WINE' '$ZAV_WIN_BUILD/tests/e2e/post_message.exe' 'Winamp stand-in' --query >/dev/null 2>&1"
e2e_post "Winamp stand-in" 273 40001 0 >/dev/null

# The setup dialog: a code from the receiver shows in it, is learned under
# the chosen command, and Ok saves the settings and brings the remote back.
irs_before=$(grep -c "rx 49 52" "$E2E_TMP/receiver.log")
e2e_click "$win" 33 176
e2e_check "the setup key opens the dialog" e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]"
e2e_check "and hides the remote" e2e_eventually 5 "[ \"\$(e2e_post 'ZAV Amp - 01' --query | cut -d' ' -f1)\" = hidden ]"
e2e_receiver "send 12 34 56"
sleep 1
e2e_client_shot "Setup IR device" "$ZAV_ROOT/out/setup-dialog.png"
layout=$(e2e_post 'Setup IR device' --layout)
e2e_check "the dialog at 96 DPI: nothing overlaps, nothing leaves its group box, every text fits${layout:+: $layout}" \
  test -z "$layout"
e2e_dialog_click commands
xdotool key ctrl+a && xdotool type --delay 40 "PLAY"
sleep 0.3
e2e_dialog_click learn
e2e_check "Learn IR code writes the received code under PLAY" \
  e2e_eventually 5 "tr -d '\\r' <'$E2E_TMP/app/ir_zav.ini' | grep -qx 'PLAY=123456'"
e2e_dialog_click ok
e2e_check "Ok closes the dialog" e2e_eventually 5 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = hidden ]"
e2e_check "and the remote is shown again" e2e_eventually 5 "[ \"\$(e2e_post 'ZAV Amp - 01' --query | cut -d' ' -f1)\" = visible ]"
e2e_check "Ok saved port, receiver and tray settings" \
  bash -c "tr -d '\r' <'$E2E_TMP/app/ir_zav.ini' | grep -qx 'PORT=1' && tr -d '\r' <'$E2E_TMP/app/ir_zav.ini' | grep -qx 'ACTIVARE=1' && tr -d '\r' <'$E2E_TMP/app/ir_zav.ini' | grep -qix 'MINIMIZARE=0'"
e2e_check "the receiver was restarted: it got \"IR\" again" \
  e2e_eventually 5 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -gt $irs_before ]"

# The close key ends the program and frees COM1.
win=$(e2e_wait_window "ZAV Amp - 01" 5)
e2e_click "$win" 136 22
e2e_check "the close key ends the program within 3 s" e2e_eventually 3 "! kill -0 $remote 2>/dev/null"
e2e_check "COM1 is free again" test -z "$(e2e_holders "$E2E_COM1")"

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
