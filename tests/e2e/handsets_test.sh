#!/usr/bin/env bash
# The handsets people own, through the real program under Wine with the
# stand-in player and the IR simulator playing each family of handset: a
# toggling handset learned key by key through "Learn all keys" (two presses
# a key) drives Play, Next and the digits, every press acting once; a
# handset that sends a repeat code while a key is held seeks several times
# on a held FF and plays once on a held PLAY; "Add code" lets a second
# handset's PLAY act too; "Forget" stops PLAY from acting. Esc during the
# walk ends the walk and leaves the dialog open.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

e2e_start_player "$E2E_TMP/player.log" --tracks 30
player_got() { e2e_player_got "$1"; }
plays() { player_got "273 40045 0"; }
nexts() { player_got "273 40048 0"; }
seeks() { player_got "273 40148 0"; }
# A key of a handset (the simulator's "press"); returns once the simulator
# has had time to send all of it, a key held ("for MS") included.
press() {
  e2e_receiver "press $*"
  local held
  held=$(sed -nE 's/.*for ([0-9]+).*/\1/p' <<<"$*")
  [ -n "$held" ] && sleep "$(awk -v ms="$held" 'BEGIN { print ms / 1000 + 0.2 }')"
  return 0
}
dialog_texts() { e2e_post 'Setup IR device' --texts; }
dialog_says() { dialog_texts | grep -qxF "$1"; }
open_dialog() {
  e2e_click "$WIN" 33 176
  e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]"
}
ok_dialog() {
  e2e_dialog_click ok
  WIN=$(e2e_wait_window "ZAV Amp - 01" 10)
  e2e_eventually 10 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -ge \$((\$(cat '$E2E_TMP/inits') + 1)) ]"
  grep -c 'rx 49 52' "$E2E_TMP/receiver.log" >"$E2E_TMP/inits"
}
choose() {  # COMMAND
  e2e_dialog_click commands
  xdotool key ctrl+a && xdotool type --delay 20 "$1"
  e2e_eventually 5 "dialog_says '$1'"
}
settle() { sleep 0.8; }

# The dialog's order of the commands, and the toggling handset's two codes
# for each: the key's code, and the same with its toggle bit flipped.
commands=("OPEN WINAMP" "VOLUME DOWN" "VOLUME UP" "PREVIOUS SONG" "NEXT SONG" "REW" "FF" "PLAY" "PAUSE" "STOP"
  "MUTE" "SHUFFLE" "REPEAT" "ENTER" "TASTE 1" "TASTE 2" "TASTE 3" "TASTE 4" "TASTE 5" "TASTE 6" "TASTE 7"
  "TASTE 8" "TASTE 9" "TASTE 0" "CANCEL")
# (Every byte 0x10 or more: the receiver writes a byte without its leading
# zero.)
code_of() { printf 'C0%02XA1' $((0x40 + $1)); }
toggled_of() { printf 'C0%02XE1' $((0x40 + $1)); }
key_of() {  # COMMAND: the index in the list
  local i
  for i in "${!commands[@]}"; do [ "${commands[$i]}" = "$1" ] && echo "$i" && return; done
}
tap() { local i; i=$(key_of "$1"); press "$(code_of "$i")" toggle "$(toggled_of "$i")"; }

e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$WIN"
e2e_eventually 10 "grep -q 'rx 49 52' '$E2E_TMP/receiver.log'"
grep -c 'rx 49 52' "$E2E_TMP/receiver.log" >"$E2E_TMP/inits"

# 0. Esc during the walk ends the walk, not the dialog, and learns nothing.
open_dialog
e2e_dialog_click learnAll
e2e_eventually 5 "dialog_says 'Press OPEN WINAMP on the handset (1 of 25)'"
xdotool key Escape
e2e_check "Esc ends the walk" e2e_eventually 5 "! dialog_says 'Press OPEN WINAMP on the handset (1 of 25)'"
e2e_check "and leaves the dialog open" test "$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)" = visible
e2e_check "learned for nothing" bash -c "! grep -q 'ESCAPE' '$E2E_TMP/app/ir_zav.ini' 2>/dev/null"

# 1. The walk, with a toggling handset: two presses a key.
e2e_dialog_click learnAll
e2e_check "Learn all keys asks for the first key" e2e_eventually 5 "dialog_says 'Press OPEN WINAMP on the handset (1 of 25)'"
walked=0
for i in "${!commands[@]}"; do
  name=${commands[$i]}
  tap "$name"
  e2e_eventually 5 "dialog_says 'Press $name again'" || break
  sleep 0.3
  tap "$name"
  if [ "$i" -lt 24 ]; then
    next=${commands[$((i + 1))]}
    e2e_eventually 5 "dialog_says 'Press $next on the handset ($((i + 2)) of 25)'" || break
  fi
  walked=$((walked + 1))
  if [ "$i" = 7 ]; then
    xdotool mousemove 1000 740
    sleep 0.3
    e2e_client_shot "Setup IR device" "$ZAV_ROOT/out/setup-dialog-walk.png"
  fi
  sleep 0.3
done
e2e_check "every one of the 25 keys was asked for and taken ($walked)" test "$walked" = 25
e2e_check "the walk ends with its advice" \
  e2e_eventually 5 "dialog_says 'All keys learned: tick Run learned commands to use them'"
e2e_check "the file holds both codes of a toggling key" \
  grep -q "^PLAY=$(code_of 7),$(toggled_of 7)"$'\r'"\$" "$E2E_TMP/app/ir_zav.ini"
e2e_dialog_click runLearned
ok_dialog

# The third press of a key sends its first code again, the fourth its second.
plays0=$(plays)
tap PLAY
settle
tap PLAY
settle
e2e_check "each press of the toggling PLAY plays once ($(($(plays) - plays0)) of 2)" test "$(($(plays) - plays0))" = 2
nexts0=$(nexts)
tap "NEXT SONG"
settle
tap "NEXT SONG"
settle
e2e_check "and of NEXT SONG goes on once ($(($(nexts) - nexts0)) of 2)" test "$(($(nexts) - nexts0))" = 2
plays0=$(plays)
tap "TASTE 1"
settle
tap "TASTE 2"
settle
tap ENTER
e2e_check "TASTE 1, TASTE 2, ENTER select track 12" e2e_eventually 5 "[ \$(player_got '1024 11 121') -ge 1 ]"
e2e_check "and play it" e2e_eventually 5 "[ \$(plays) = $((plays0 + 1)) ]"

# 2. A second handset's PLAY added to the first's.
open_dialog
choose PLAY
press 5A5A51
e2e_check "the second handset's code shows" e2e_eventually 5 "dialog_says 5A5A51"
e2e_dialog_click add
e2e_check "Add code adds it: the label shows three codes" \
  e2e_eventually 5 "dialog_says 'Codes: $(code_of 7), $(toggled_of 7), 5A5A51'"
ok_dialog
plays0=$(plays)
press 5A5A51
e2e_check "the second handset's PLAY plays" e2e_eventually 5 "[ \$(plays) = $((plays0 + 1)) ]"

# 3. A handset that sends a repeat code while a key is held.
e2e_click "$WIN" 136 22
e2e_eventually 10 "! xdotool search --onlyvisible --name '^ZAV Amp - 01\$' | grep -q ."
e2e_install_program "$E2E_TMP/nec" $'[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=10EF31\r\nFF=10EF33\r\nHELD KEY=FFFFAA\r\n'
e2e_start "$E2E_TMP/nec" "$E2E_TMP/nec/zav_amp.exe"
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_eventually 10 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -ge \$((\$(cat '$E2E_TMP/inits') + 1)) ]"
grep -c 'rx 49 52' "$E2E_TMP/receiver.log" >"$E2E_TMP/inits"
seeks0=$(seeks)
press 10EF33 repeat FFFFAA for 1500
settle
ffs=$(($(seeks) - seeks0))
e2e_check "FF held 1.5 s, its code then repeat codes, seeks several times ($ffs)" test "$ffs" -ge 4 -a "$ffs" -le 7
plays0=$(plays)
press 10EF31 repeat FFFFAA for 1000
settle
e2e_check "PLAY held 1 s plays once ($(($(plays) - plays0)))" test "$(($(plays) - plays0))" = 1
plays0=$(plays)
press FFFFAA for 500
settle
e2e_check "repeat codes alone do nothing" test "$(plays)" = "$plays0" -a "$(($(seeks) - seeks0))" = "$ffs"

# 4. Forget: PLAY's codes gone, PLAY no longer acts.
open_dialog
choose PLAY
e2e_check "the label shows PLAY's code" e2e_eventually 5 "dialog_says 'Codes: 10EF31'"
e2e_dialog_click forget
e2e_check "Forget empties it" e2e_eventually 5 "dialog_says 'Codes: none'"
e2e_check "and takes PLAY out of the file" bash -c "! grep -q '^PLAY=' '$E2E_TMP/nec/ir_zav.ini'"
ok_dialog
plays0=$(plays)
press 10EF31
settle
e2e_check "a forgotten PLAY plays nothing" test "$(plays)" = "$plays0"

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
