#!/usr/bin/env bash
# The phone remote in the real program under Wine, in one run: from a
# POST /api/v1/command PLAY to the stand-in player's Play (100 times, median
# and worst) beside the serial path from the receiver's last byte to the
# same Play; from a change in the player to its event on the stream
# (median); and the idle cost (the program and the Wine server, as % of one
# core over 30 s) with the server off, on with no client, with one stream
# and with eight, each as times the server off: in rounds (3 unless
# ZAV_BENCH_ROUNDS says), each round measuring all four one after another,
# so a machine busy for a while weighs on one round, not on one figure;
# the medians of the rounds are the figures. Prints its figures; it is a
# measurement, not a test. ZAV_PROGRAM_EXE runs another build;
# ZAV_BENCH_SECONDS sets the idle runs' length.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
e2e_com1
here=$(cd "$(dirname "$0")" && pwd)
export NODE_PATH="$ZAV_ROOT/tests/e2e/web/node_modules"
seconds=${ZAV_BENCH_SECONDS:-30}
port=$((29500 + $$ % 400))
token=$(head -c 16 /dev/urandom | od -An -tx1 | tr -d ' \n')
hash=$(printf '%s' "$token" | sha256sum | cut -d' ' -f1)
player_log="$E2E_TMP/player.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" --paused --tracks 20
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query" || { echo "the stand-in player did not start"; exit 1; }

web_ini() {  # ENABLED
  printf '%s' $'[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=A1B2C3\r\n[WEB]\r\nENABLED='"$1"$'\r\nPORT='"$port"$'\r\n[WEB_PHONES]\r\n'"$hash"$'=2026-12-09 Bench\r\n'
}
start_program() {  # ENABLED
  e2e_run_program "$(web_ini "$1")"
  e2e_wait_window "ZAV Amp - 01" 30 >/dev/null || { echo "the program did not start"; exit 1; }
  sleep 2
}
# Sets CORE: the program's and the Wine server's CPU as % of one core.
measure() {
  local pid c0 s0 c1 s1 t0 t1
  pid=$(pid_of app/zav_amp.exe)
  sleep 3
  c0=$(cpu_ns "$pid") s0=$(server_ns) t0=$(date +%s.%N)
  sleep "$seconds"
  c1=$(cpu_ns "$pid") s1=$(server_ns) t1=$(date +%s.%N)
  CORE=$(awk -v c="$((c1 - c0 + s1 - s0))" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.3f", 100 * c / 1e9 / (t1 - t0) }')
}

start_program 1
echo "web: POST /api/v1/command PLAY to the player's Play, ms:"
node "$here/web_latency.js" commands "$port" "$token" "${ZAV_BENCH_COMMANDS:-100}" "$player_log" "273 40045 0"
echo "serial: the receiver's last byte to the player's Play, ms:"
"$ZAV_BUILD/native/receive_latency" --device "$E2E_RECEIVER" --codes "${ZAV_BENCH_COMMANDS:-100}" --bytes "A1 B2 C3" \
  --file "$player_log" --line "273 40045 0"
echo "web: a change in the player to its event on the stream, ms (the main window refreshes every 500):"
trigger="'$ZAV_WINE' '$ZAV_WIN_BUILD/tests/e2e/post_message.exe' 'Winamp stand-in' 273"
node "$here/web_latency.js" events "$port" "$token" "${ZAV_BENCH_EVENTS:-20}" "$trigger" "$player_log"
e2e_end_program

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
offs="" nones="" ones="" eights=""
for round in $(seq 1 "${ZAV_BENCH_ROUNDS:-3}"); do
  start_program 0
  measure; offs+=" $CORE"
  e2e_end_program
  start_program 1
  measure; nones+=" $CORE"
  node "$here/web_latency.js" streams "$port" "$token" 1 $((seconds + 5)) &
  streams=$!
  measure; ones+=" $CORE"
  wait "$streams"
  node "$here/web_latency.js" streams "$port" "$token" 8 $((seconds + 5)) &
  streams=$!
  measure; eights+=" $CORE"
  wait "$streams"
  e2e_end_program
  echo "idle, round $round, % of one core: off ${offs##* }, no client ${nones##* }, one stream ${ones##* }, eight streams ${eights##* }"
done
awk -v off="$(median <<<"$offs")" -v none="$(median <<<"$nones")" -v one="$(median <<<"$ones")" \
  -v eight="$(median <<<"$eights")" -v rounds="${ZAV_BENCH_ROUNDS:-3}" 'BEGIN {
  printf "idle, median of %d rounds, %% of one core: server off %.3f; on, no client %.3f (%.2fx); one stream %.3f (%.2fx); eight streams %.3f (%.2fx)\n",
    rounds, off, none, none / off, one, one / off, eight, eight / off }'
