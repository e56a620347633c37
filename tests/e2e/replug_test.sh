#!/usr/bin/env bash
# The receiver unplugged and plugged back 100 times, the line away for 0.1
# to 1.5 s each time (now and then while the setup dialog is open, or with
# the receiver pulled before its line): every time the program opens it
# again by itself within 8 s ("IR" reaches the new receiver) and a handset
# code then carries out its command. No message box appears meanwhile.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

boxes="$E2E_TMP/message-boxes"
e2e_watch_boxes '^(Eroare|Telecomanda Winamp ZAV Amp - 01|ZAV Amp)$' "$boxes"
e2e_start_player "$E2E_TMP/player.log" --tracks 30
plays() { e2e_player_got "273 40045 0"; }
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=A1B2C3\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
win=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$win"
e2e_check "the receiver gets \"IR\"" e2e_eventually 10 "grep -q 'rx 49 52' '$E2E_TMP/receiver.log'"

ROUNDS=${ZAV_REPLUG_ROUNDS:-100}
RANDOM=20261209  # the same intervals every run
unplug() {
  # Now the line first, now the receiver first, as a cable or a USB adapter goes.
  if ((RANDOM % 2)); then
    kill "$ZAV_SOCAT_PID" 2>/dev/null; kill "$ZAV_RECEIVER_PID" 2>/dev/null
  else
    kill "$ZAV_RECEIVER_PID" 2>/dev/null; kill "$ZAV_SOCAT_PID" 2>/dev/null
  fi
  # The old pair removes its links as it goes: the new one must come after.
  wait "$ZAV_SOCAT_PID" "$ZAV_RECEIVER_PID" 2>/dev/null
}
plug() {  # ROUND
  zav_pty_pair "$E2E_TMP" || return 1
  E2E_PIDS+=("$ZAV_SOCAT_PID")
  receiver_log="$E2E_TMP/receiver$1.log"
  zav_start_receiver "$ZAV_RECEIVER" "$receiver_log" "$E2E_TMP/receiver.in"
  E2E_PIDS+=("$ZAV_RECEIVER_PID")
}
dialog_open() { [ "$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)" = visible ]; }

deaf=0 silent=0 slowest=0
for ((round = 1; round <= ROUNDS; round++)); do
  r=$((RANDOM % 141))
  away=$(awk -v r="$r" 'BEGIN { printf "%.2f", 0.1 + r / 100 }')
  with_dialog=$((round % 20 == 0))
  if [ "$with_dialog" = 1 ]; then
    e2e_click "$win" 33 176
    e2e_eventually 10 dialog_open || echo "  round $round: the dialog did not open"
  fi
  unplug
  sleep "$away"
  plug "$round" || { deaf=$((deaf + 1)); continue; }
  if [ "$with_dialog" = 1 ]; then
    sleep 0.3
    e2e_dialog_click ok
    win=$(e2e_wait_window "ZAV Amp - 01" 10)
  fi
  began=$(date +%s%N)
  if ! e2e_eventually 8 "grep -q 'rx 49 52' '$receiver_log'"; then
    echo "  round $round (away ${away} s): not opened again within 8 s"
    deaf=$((deaf + 1))
    continue
  fi
  took=$((($(date +%s%N) - began) / 1000000))
  [ "$took" -gt "$slowest" ] && slowest=$took
  before=$(plays)
  e2e_receiver "send A1 B2 C3"
  if ! e2e_eventually 5 "[ \$(plays) -gt $before ]"; then
    echo "  round $round (away ${away} s): opened again, but the code did nothing"
    silent=$((silent + 1))
  fi
done
echo "  (the slowest reopening took $slowest ms)"
e2e_check "after each of $ROUNDS replugs the receiver was opened again within 8 s" test "$deaf" = 0
e2e_check "and a code then carried out its command" test "$silent" = 0
e2e_check "no message box appeared" test ! -s "$boxes"
e2e_close_key_ends

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
