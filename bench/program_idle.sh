#!/usr/bin/env bash
# The program's idle cost under Wine, measured in one run beside a baseline:
# an empty window with the same two timers (bench/idle_window.cpp), then the
# program with the receiver active on COM1 and its window shown, the same
# with no player to ask, then the program in the notification area with
# the on-screen display on (the player's track looked at every 2 s) and
# with it off (the player asked nothing). Each runs alone for 30 s beside
# the stand-in player (paused); counted is the program's CPU time plus the
# Wine server's over the same 30 s, and the messages the player got. The
# pointer rests away from the windows, or where ZAV_BENCH_POINTER says
# ("512 384": over the middle of both).
# The whole sequence runs three times (ZAV_BENCH_ROUNDS) and each figure
# printed is the median of the rounds, so that one noisy round does not
# decide. Prints its figures; it is a measurement, not a test.
# ZAV_BENCH_SECONDS sets the length of each run; ZAV_PROGRAM_EXE runs
# another build of the program; ZAV_BENCH_COMPARE names a second build (an
# older one) measured in the same rounds, beside the same baseline, so that
# the two are compared on one machine at one time.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
e2e_com1
e2e_start_receiver "$E2E_TMP/receiver.log"
seconds=${ZAV_BENCH_SECONDS:-30}
# The pointer moves only once a window is there to take it.
rest_pointer() { xdotool mousemove ${ZAV_BENCH_POINTER:-5 5}; }

# Sets CORE to the percentage of one core that PROCESS and the Wine server
# used over the measuring time, and LINES_PER_TICK from the player's log.
measure() {  # PROCESS-PATTERN
  local pid c0 s0 c1 s1 l0 l1 t0 t1
  pid=$(pid_of "$1")
  [ -n "$pid" ] || { echo "no process $1" >&2; return 1; }
  sleep 5
  c0=$(cpu_ns "$pid") s0=$(server_ns) l0=$(wc -l <"$E2E_TMP/player.log") t0=$(date +%s.%N)
  sleep "$seconds"
  c1=$(cpu_ns "$pid") s1=$(server_ns) l1=$(wc -l <"$E2E_TMP/player.log") t1=$(date +%s.%N)
  LINES_PER_TICK=$(awk -v l="$((l1 - l0))" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.2f", l / ((t1 - t0) * 2) }')
  CORE=$(awk -v c="$((c1 - c0 + s1 - s0))" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.3f", 100 * c / 1e9 / (t1 - t0) }')
}

start_player() {
  e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$E2E_TMP/player.log")" --paused
  player_pid=$E2E_LAST_PID
}
stop_program() {  # WIN PID
  e2e_click "$1" 136 22
  e2e_eventually 5 "! kill -0 $2 2>/dev/null"
}

# The program PROGRAM (an exe) shown, with no player, and in the tray with
# the display on and off; appends "shown alone tray trayOff shown_messages
# tray_messages trayOff_messages" to FIGURES.
program_figures() {  # PROGRAM
  local exe=$1 shown alone tray trayoff shown_messages tray_messages trayoff_messages win shown_pid inits
  rm -rf "$E2E_TMP/shown"
  ZAV_PROGRAM_EXE=$exe e2e_install_program "$E2E_TMP/shown" "${ZAV_BENCH_INI:-$'[IR]\r\nMinimizare=0\r\n'}"
  e2e_start "$E2E_TMP/shown" "$E2E_TMP/shown/zav_amp.exe"
  shown_pid=$E2E_LAST_PID
  win=$(e2e_wait_window "ZAV Amp - 01" 30) || { echo "the program did not start"; return 1; }
  rest_pointer
  measure shown/zav_amp.exe || return 1
  shown=$CORE shown_messages=$LINES_PER_TICK
  stop_program "$win" "$shown_pid"

  # The same without a player to ask: what the exchanges with it cost.
  kill "$player_pid"
  e2e_eventually 5 "! kill -0 $player_pid 2>/dev/null"
  e2e_start "$E2E_TMP/shown" "$E2E_TMP/shown/zav_amp.exe"
  shown_pid=$E2E_LAST_PID
  win=$(e2e_wait_window "ZAV Amp - 01" 30) || { echo "the program did not start"; return 1; }
  rest_pointer
  measure shown/zav_amp.exe || return 1
  alone=$CORE
  stop_program "$win" "$shown_pid"
  start_player

  for display in on off; do
    rm -rf "$E2E_TMP/tray"
    if [ "$display" = on ]; then
      ZAV_PROGRAM_EXE=$exe e2e_install_program "$E2E_TMP/tray"
    else
      ZAV_PROGRAM_EXE=$exe e2e_install_program "$E2E_TMP/tray" $'[IR]\r\nOSD=0\r\n'
    fi
    e2e_start "$E2E_TMP/tray" "$E2E_TMP/tray/zav_amp.exe"
    inits=$(grep -c 'rx 49 52' "$E2E_TMP/receiver.log")
    e2e_eventually 20 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -gt $inits ]"
    measure tray/zav_amp.exe || return 1
    if [ "$display" = on ]; then tray=$CORE tray_messages=$LINES_PER_TICK; else trayoff=$CORE trayoff_messages=$LINES_PER_TICK; fi
    kill "$E2E_LAST_PID"
    e2e_eventually 5 "! kill -0 $E2E_LAST_PID 2>/dev/null"
  done
  FIGURES="$shown $alone $tray $trayoff $shown_messages $tray_messages $trayoff_messages"
}

# One round: the baseline, then each program. Appends "baseline <this
# build's figures> [<the compared build's figures>]" to ROUNDS.
ROUNDS=()
round() {
  local baseline line
  start_player
  e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/idle_window.exe"
  e2e_wait_window "ZAV Idle Baseline" 30 >/dev/null || { echo "the baseline did not start"; return 1; }
  rest_pointer
  measure idle_window.exe || return 1
  baseline=$CORE
  kill "$E2E_LAST_PID"
  program_figures "${ZAV_PROGRAM_EXE:-$ZAV_WIN_BUILD/src/app/zav_amp.exe}" || return 1
  line="$baseline $FIGURES"
  if [ -n "${ZAV_BENCH_COMPARE:-}" ]; then
    program_figures "$ZAV_BENCH_COMPARE" || return 1
    line="$line $FIGURES"
  fi
  kill "$player_pid"
  ROUNDS+=("$line")
  echo "round $((${#ROUNDS[@]})): $line"
}

for r in $(seq 1 "${ZAV_BENCH_ROUNDS:-3}"); do round || exit 1; done

printf '%s\n' "${ROUNDS[@]}" | awk -v secs="$seconds" -v compared="${ZAV_BENCH_COMPARE:-}" '
  function median(a, n,    i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  # Fields from column `at` on: shown alone tray trayOff and three message counts.
  function take(at) {
    s[p, n] = $(at); a[p, n] = $(at + 1); t[p, n] = $(at + 2); o[p, n] = $(at + 3)
    sm[p, n] = $(at + 4); tm[p, n] = $(at + 5); om[p, n] = $(at + 6)
    rs[p, n] = $(at) / $1; ra[p, n] = $(at + 1) / $1; rt[p, n] = $(at + 2) / $1; ro[p, n] = $(at + 3) / $1
    # CPU time of one exchange with the player, program and Wine server:
    # what the shown program costs above the same with no player, over
    # the exchanges it made (two ticks a second).
    ex[p, n] = $(at + 4) > 0 ? ($(at) - $(at + 1)) / 100 * 1e6 / ($(at + 4) * 2) : 0
  }
  function column(arr, pp,    i, c) { for (i = 1; i <= n; i++) c[i] = arr[pp, i]; return median(c, n) }
  function report(pp, name) {
    printf "%s:\n", name
    printf "  receiver active, window shown:      %6.3f  (%.2f x the baseline; target at most 2)\n", column(s, pp), column(rs, pp)
    printf "  the same with no player to ask:     %6.3f  (%.2f x the baseline; target at most 1.1)\n", column(a, pp), column(ra, pp)
    printf "  in the tray, display on:            %6.3f  (%.2f x the baseline; target at most 1.1)\n", column(t, pp), column(rt, pp)
    printf "  in the tray, display off:           %6.3f  (%.2f x the baseline)\n", column(o, pp), column(ro, pp)
    printf "  messages to the player per 500 ms tick: %.2f shown (at most 5), %.2f in the tray with the display on (one every 2 s: 0.25), %.2f with it off (none)\n", column(sm, pp), column(tm, pp), column(om, pp)
    printf "  one exchange with the player: %.0f us of CPU (program + Wine server)\n", column(ex, pp)
  }
  { n++; b[n] = $1; p = 1; take(2); if (NF >= 15) { p = 2; take(9) } }
  END {
    printf "idle under Wine, program + Wine server, %% of one core over %d s each, median of %d rounds:\n", secs, n
    printf "empty window, 500 ms + 100 ms timers: %6.3f\n", median(b, n)
    report(1, "this build")
    if (compared != "") report(2, "compared: " compared)
  }'
