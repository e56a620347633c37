#!/usr/bin/env bash
# A long run under Wine, as the program lives for weeks in the
# notification area: 10,000 handset commands (each showing or updating the
# on-screen display), 100 setup dialog cycles and 20 unplug/replug cycles of
# the receiver, beside the stand-in player and the sound server. Prints the
# program's working set, handle count and GDI and USER objects (where the
# system reports them) at the start, after the first minute, in the middle
# and at the end, and whether the end is where the first minute settled
# (memory within 2 %, objects exactly) and the program still answers a key.
# A measurement, not a test. ZAV_SOAK_SCALE=0.1 runs a tenth of it.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_begin_with_receiver
scale=${ZAV_SOAK_SCALE:-1}
count() { awk -v n="$1" -v s="$scale" 'BEGIN { printf "%d", n * s }'; }
e2e_start_sound || echo "(no sound server: the volume keys find no mixer)"
timeout 10 wineserver -k >/dev/null 2>&1
e2e_wineserver

player_log="$E2E_TMP/player.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" --tracks 30 --playing
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query" || { echo "the stand-in player did not start"; exit 1; }
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=A1B2C3\r\nNEXT SONG=A4B5C6\r\nVOLUME UP=A7A8A9\r\nVOLUME DOWN=AAABAC\r\nTASTE 1=ADAEAF\r\nCANCEL=B1B2B3\r\nMUTE=B4B5B6\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
program=$E2E_LAST_PID
receiver_logs=("$E2E_TMP/receiver.log")
e2e_eventually 30 "grep -q 'rx 49 52' '$E2E_TMP/receiver.log'" || { echo "the program did not start"; exit 1; }
sleep 2

stats() { zav_wine "$ZAV_WIN_BUILD/proc_stats.exe" zav_amp.exe 2>/dev/null | tr -d '\r'; }
# The Linux side of the same process: its resident memory and its open
# files (Wine's own handles live in its server; these are the host's).
linux_pid() { pgrep -f 'app/zav_amp.exe' | head -n 1; }
report() {  # LABEL
  local s pid
  s=$(stats)
  pid=$(linux_pid)
  S_rss_kb=$(awk '/VmRSS/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
  S_fds=$(ls "/proc/$pid/fd" 2>/dev/null | wc -l)
  printf '  %-24s %s rss_kb=%s fds=%s\n' "$1" "$s" "$S_rss_kb" "$S_fds"
  eval "$(tr ' ' '\n' <<<"$s" | sed 's/^/S_/')"
}
sent() { cat "${receiver_logs[@]}" 2>/dev/null | grep -c ' tx '; }
# N commands, a code every 25 ms, each a key of its own (a new press):
# Play, Next, the volume down and up, a digit typed and cancelled, mute
# twice.
commands() {  # N
  local n=$1 before codes i
  codes=("A1 B2 C3" "A4 B5 C6" "AA AB AC" "A7 A8 A9" "AD AE AF" "B1 B2 B3" "B4 B5 B6" "B4 B5 B6")
  before=$(sent)
  for ((i = 0; i < n; i++)); do printf 'send %s\nwait 22\n' "${codes[$((i % 8))]}"; done >"$E2E_TMP/commands.script"
  cat "$E2E_TMP/commands.script" >"$E2E_TMP/receiver.in"
  e2e_eventually $((n / 20 + 30)) "[ \$(sent) -ge $((before + n)) ]"
}
dialog_cycle() {
  local win
  e2e_post "ZAV Amp - 01" 1083 0 514
  win=$(e2e_wait_window "ZAV Amp - 01" 10) || return 1
  e2e_click "$win" 33 176
  e2e_eventually 10 "[ \"\$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)\" = visible ]" || return 1
  e2e_dialog_click ok
  win=$(e2e_wait_window "ZAV Amp - 01" 10) || return 1
  e2e_click "$win" 126 22
  e2e_eventually 10 "[ \"\$(e2e_post 'ZAV Amp - 01' --query | cut -d' ' -f1)\" = hidden ]"
}
replug() {
  local n=${#receiver_logs[@]} log
  kill "$ZAV_SOCAT_PID" "$ZAV_RECEIVER_PID" 2>/dev/null
  sleep 2.5
  zav_pty_pair "$E2E_TMP"
  E2E_PIDS+=("$ZAV_SOCAT_PID")
  log="$E2E_TMP/receiver$n.log"
  zav_start_receiver "$ZAV_RECEIVER" "$log" "$E2E_TMP/receiver.in"
  E2E_PIDS+=("$ZAV_RECEIVER_PID")
  receiver_logs+=("$log")
  e2e_eventually 10 "grep -q 'rx 49 52' '$log'"
}
# One part of the run: N commands, D dialog cycles and R replugs, spread.
part() {  # N D R
  local n=$1 d=$2 r=$3 i j failed=0
  for ((i = 0; i < 10; i++)); do
    commands $((n / 10)) || failed=$((failed + 1))
    for ((j = d * i / 10; j < d * (i + 1) / 10; j++)); do dialog_cycle || failed=$((failed + 1)); done
    for ((j = r * i / 10; j < r * (i + 1) / 10; j++)); do replug || failed=$((failed + 1)); done
  done
  [ "$failed" = 0 ] || echo "  ($failed steps did not complete)"
}

echo "the program under Wine, in the notification area:"
t0=$(date +%s)
report "at the start"
# The first minute does a little of everything, so that what settles after
# it is every path's first use (the dialog's, a replug's), not a leak.
commands "$(count 1800)"
for ((i = 0; i < $(count 4); i++)); do dialog_cycle; done
[ "$(count 2)" -gt 0 ] && replug
report "after the first minute"
settled_ws=$S_ws_kb settled_handles=$S_handles settled_gdi=$S_gdi settled_user=$S_user settled_fds=$S_fds
part "$(count 3200)" "$(count 46)" "$(count 9)"
report "in the middle"
part "$(count 5000)" "$(count 50)" "$(count 10)"
report "at the end"
elapsed=$(($(date +%s) - t0))
echo "  $(sent) codes sent in ${elapsed} s, $(count 100) dialog cycles, $((${#receiver_logs[@]} - 1)) replugs"

sleep 1
plays=$(tr -d '\r' <"$player_log" | grep -c '^273 40045 0$')
e2e_receiver "send A1 B2 C3"
e2e_eventually 10 "[ \$(tr -d '\\r' <'$player_log' | grep -c '^273 40045 0\$') -gt $plays ]" && answers=yes || answers=NO
memory=$(awk -v a="$settled_ws" -v b="$S_ws_kb" 'BEGIN { if (a == "n/a" || b == "n/a") print "n/a"; else printf "%+.2f %%", 100 * (b - a) / a }')
echo "end against the first minute: memory $memory (within 2 %), handles $settled_handles -> $S_handles," \
  "GDI $settled_gdi -> $S_gdi, USER $settled_user -> $S_user, open files $settled_fds -> $S_fds (exactly);" \
  "still answers a key: $answers"
kill -0 "$program" 2>/dev/null || echo "the program is gone"
exit 0
