#!/usr/bin/env bash
# The running program under Wine, idle for 30 seconds with the receiver
# active on COM1 and the stand-in player paused: its CPU use, and the
# messages the player got per refresh tick. Prints its figures; it is a
# measurement, not a test.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
e2e_com1
e2e_start_receiver "$E2E_TMP/receiver.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$E2E_TMP/player.log")" --paused
e2e_install_program "$E2E_TMP/app" "${ZAV_BENCH_INI:-$'[IR]\r\nMinimizare=0\r\n'}"
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
e2e_wait_window "ZAV Amp - 01" 30 >/dev/null || { echo "the program did not start"; exit 1; }
sleep 5

pid=$(for p in /proc/[0-9]*; do tr '\0' ' ' <"$p/cmdline" 2>/dev/null | grep -q 'app/zav_amp.exe' && basename "$p"; done 2>/dev/null | head -n 1)
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
lines() { wc -l <"$E2E_TMP/player.log"; }
c0=$(ticks) l0=$(lines) t0=$(date +%s.%N)
sleep 30
c1=$(ticks) l1=$(lines) t1=$(date +%s.%N)
if [ -n "${ZAV_BENCH_INI:-}" ]; then how="with the settings of ZAV_BENCH_INI"; else how="with the receiver active"; fi
awk -v how="$how" -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v l="$((l1 - l0))" 'BEGIN {
  wall = t1 - t0
  printf "idle for %.1f s %s: %.2f%% of one core (target: under 1%%)\n", wall, how, 100 * c / hz / wall
  printf "messages to the player: %.2f per 500 ms refresh tick (at most 9)\n", l / (wall * 2)
}'
