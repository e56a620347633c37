#!/usr/bin/env bash
# A player that stops answering: the real program under Wine beside the
# stand-in player made to hang, once for good and once for three seconds.
# The remote must stay usable and keep what it last showed, and follow the
# player again once it answers.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

player_log="$E2E_TMP/player.log"
start_player() {
  e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" "$@"
  player=$E2E_LAST_PID
  e2e_eventually 20 "e2e_post 'Winamp stand-in' --query"
}
start_remote() {
  e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
  remote=$E2E_LAST_PID
  win=$(e2e_wait_window "ZAV Amp - 01" 30)
}
logged() { wc -l <"$player_log" 2>/dev/null || echo 0; }
readouts() { e2e_window_shot "$win" "$E2E_TMP/shot.png" && e2e_readouts "$E2E_TMP/shot.png"; }
seconds() {  # "mm:ss track" -> the time in seconds
  local t=${1%% *}
  echo $((10#${t%%:*} * 60 + 10#${t##*:}))
}
# True once the player has gone SECS seconds without logging a message,
# though the remote asks it twice a second.
silent_for() {  # SECS
  local n
  n=$(logged)
  sleep "$1"
  [ "$(logged)" = "$n" ]
}
now() { date +%s.%N; }
elapsed_ms() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%d", (b - a) * 1000 }'; }

e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\n'

# The remote first, so that it has heard the player before the player hangs.
start_remote
e2e_check "the remote's window appears" test -n "$win"

# Hung for good, three seconds after it starts.
start_player --tracks 30 --start-track 7 --playing --hang-after-ms 3000
e2e_check "the remote shows the player's track 7 while it answers" \
  e2e_eventually 10 "[ \"\$(readouts | cut -d' ' -f2)\" = 7 ]"
e2e_check "the player stops answering" e2e_eventually 15 "silent_for 1.5"
before=$(readouts)
sleep 2
after=$(readouts)
e2e_check "the read-outs keep what the player last showed ($before, then $after)" \
  test -n "$before" -a "$before" = "$after" -a "${before#* }" = 7
e2e_check "the ON badge stays lit: the player is there, only silent" \
  test "$(e2e_pixel "$E2E_TMP/shot.png" 111 48)" != "192,192,192"
e2e_click "$win" 96 254
e2e_check "a digit key still answers: the track read-out shows 6" \
  e2e_eventually 3 "[ \"\$(readouts | cut -d' ' -f2)\" = 6 ]"
e2e_click "$win" 129 254
e2e_check "and the next digit: 67" e2e_eventually 3 "[ \"\$(readouts | cut -d' ' -f2)\" = 67 ]"
e2e_click "$win" 33 176
e2e_check "the setup dialog opens" e2e_eventually 5 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]"
e2e_dialog_click ok
e2e_check "and closes" e2e_eventually 5 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = hidden ]"
win=$(e2e_wait_window "ZAV Amp - 01" 10)
e2e_check "the remote comes back" test -n "$win"
sleep 1
# Timed from the button's release, which is when a key acts.
xdotool mousemove --window "$win" 136 22 && sleep 0.15 && xdotool mousedown 1 && sleep 0.05
start=$(now)
xdotool mouseup 1
for _ in $(seq 1 250); do kill -0 "$remote" 2>/dev/null || break; sleep 0.02; done
took=$(elapsed_ms "$start")
e2e_check "the Close key ends the remote within 1 s (${took} ms)" test "$took" -le 1000
kill "$player" 2>/dev/null
e2e_eventually 10 "! e2e_post 'Winamp stand-in' --query"

# Hung for three seconds, then answering again.
start_remote
: >"$player_log"
start_player --tracks 30 --start-track 3 --playing --hang-after-ms 3000 --hang-for-ms 3000
e2e_check "the remote shows the player's track 3" e2e_eventually 10 "[ \"\$(readouts | cut -d' ' -f2)\" = 3 ]"
e2e_check "the player stops answering for a while" e2e_eventually 10 "silent_for 1"
frozen=$(readouts)
sleep 0.6
e2e_check "meanwhile the read-outs stand still ($frozen)" test "$(readouts)" = "$frozen"
n=$(logged)
e2e_check "the player answers again" e2e_eventually 10 "[ \$(logged) -gt $n ]"
woke=$(now)
e2e_check "the read-outs follow it within 2 s" \
  e2e_eventually 2 "[ \$(seconds \"\$(readouts)\") -gt $(seconds "$frozen") ]"
echo "  (followed $(elapsed_ms "$woke") ms after the player's first answer: $(readouts))"
e2e_window_shot "$win" "$ZAV_ROOT/out/remote-after-hang.png"
e2e_summary
