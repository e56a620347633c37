#!/usr/bin/env bash
# From a media key to the player, the real program under Wine: the media
# key learned for PLAY, "Run learned commands" on, the remote in the
# notification area and the stand-in player in front, XF86AudioPlay sent to
# the virtual display with xdotool 50 times (each a new press, 400 ms
# apart), timed from just before xdotool runs to the stand-in player's log
# showing the Play it got; the time includes starting xdotool (a few ms).
# Then the serial path's figure from handset_latency.sh in the same run,
# for comparison (ZAV_BENCH_SERIAL=0 leaves it out). Prints the median and
# the worst; it is a measurement, not a test.
set -u
here=$(dirname "$0")
source "$here/../tests/e2e/harness.sh"
e2e_init || exit 1
player_log="$E2E_TMP/player.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" --paused
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query | grep -q '^visible '" || { echo "the stand-in player did not start"; exit 1; }
e2e_install_program "$E2E_TMP/app" $'[IR]\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=key:MEDIA_PLAY_PAUSE\r\n'
e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
e2e_eventually 30 "e2e_post 'ZAV Amp - 01' --query | grep -q '^hidden'" || { echo "the program did not start"; exit 1; }
e2e_eventually 10 "e2e_in_front 'Winamp stand-in'" || { echo "the stand-in is not in front"; exit 1; }
sleep 1
plays() { tr -d '\r' <"$player_log" | grep -c '^273 40045 0$'; }
press() { xdotool key XF86AudioPlay; }
e2e_time_presses "XF86AudioPlay to the player's Play" "${ZAV_BENCH_CODES:-50}" press plays
e2e_cleanup
trap - EXIT
if [ "${ZAV_BENCH_SERIAL:-1}" != 0 ]; then
  echo "the serial path, beside it:"
  bash "$here/handset_latency.sh"
fi
