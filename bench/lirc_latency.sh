#!/usr/bin/env bash
# From a LIRC server to the player, the real program under Wine with a real
# lircd: KEY_PLAY learned for PLAY, "Run learned commands" on, pressed by
# SIMULATE at least 50 times (each a new press, 400 ms apart), timed from
# the SIMULATE written to the stand-in player's log showing the Play it
# got. Prints the median and the worst; it is a measurement, not a test.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
port=$((29000 + $$ % 1000))
player_log="$E2E_TMP/player.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" --paused
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query | grep -q '^visible '" || { echo "the stand-in player did not start"; exit 1; }
e2e_start_lircd "$port" || { echo "lircd did not start"; exit 1; }
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[LIRC]\r\nADDRESS=127.0.0.1:'"$port"$'\r\n[COMENZI_IR]\r\nPLAY=handset:KEY_PLAY\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
e2e_wait_window "ZAV Amp - 01" 30 >/dev/null || { echo "the program did not start"; exit 1; }
e2e_eventually 10 "e2e_lirc_connected $port" || { echo "the program did not connect to lircd"; exit 1; }
sleep 1
plays() { tr -d '\r' <"$player_log" | grep -c '^273 40045 0$'; }
press() { e2e_lirc_press KEY_PLAY 0; }
e2e_time_presses "lircd SIMULATE to the player's Play" "${ZAV_BENCH_CODES:-50}" press plays
