#!/usr/bin/env bash
# From the handset to the player, the real program under Wine: a code
# learned for PLAY, with "Run learned commands" on, sent on COM1's other end
# at least 50 times (each a new press), timed from its last byte written to
# the stand-in player's log showing the Play it got. Prints its figures; it
# is a measurement, not a test. ZAV_PROGRAM_EXE runs another build.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
e2e_com1
player_log="$E2E_TMP/player.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" --paused
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query" || { echo "the stand-in player did not start"; exit 1; }
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=A1B2C3\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
e2e_wait_window "ZAV Amp - 01" 30 >/dev/null || { echo "the program did not start"; exit 1; }
sleep 1
"$ZAV_BUILD/native/receive_latency" --device "$E2E_RECEIVER" --codes "${ZAV_BENCH_CODES:-60}" --bytes "A1 B2 C3" \
  --file "$player_log" --line "273 40045 0"
