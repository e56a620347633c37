#!/usr/bin/env bash
# The volume and mute keys for real under Wine, beside the stand-in player
# and a PulseAudio server of the test's own with a silent output. Wine has
# the system's endpoint over the sound server but will not set its level,
# so the keys drive the player's own volume: up and down move it by one
# step (7 of 255), mute sets 0 and lights the mute indicator, mute again
# brings the level back, a volume key clears the mute, and the level never
# leaves 0..255. Without the sound server (no playback device at all) the
# keys reach the player the same way.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

# A pixel of the painted mute indicator: silver while its patch covers it.
mute_lit() {  # WIN
  e2e_screenshot "$1" "$E2E_TMP/mute.png"
  [ "$(e2e_pixel "$E2E_TMP/mute.png" 130 48)" != "192,192,192" ]
}
mute_dark() { ! mute_lit "$1"; }
mute_key() { e2e_click "$WIN" 128 198; }
up_key() { e2e_click "$WIN" 128 136; }
down_key() { e2e_click "$WIN" 95 136; }
# The stand-in's output volume, asked as the remote asks it, and set.
level() { e2e_post 'Winamp stand-in' --send 1024 -666 122; }
set_level() { e2e_post 'Winamp stand-in' --send 1024 "$1" 122 >/dev/null; }
level_is() { [ "$(level)" = "$1" ]; }

run_program() {  # DIR
  e2e_install_program "$1" $'[IR]\r\nMinimizare=0\r\n'
  e2e_start "$1" "$1/zav_amp.exe"
  PROGRAM=$E2E_LAST_PID
  WIN=$(e2e_wait_window "ZAV Amp - 01" 20)
}
end_program() {
  [ -n "$WIN" ] && e2e_click "$WIN" 136 22
  e2e_eventually 10 "! kill -0 $PROGRAM 2>/dev/null"
}

# Without a sound server first: Wine has no playback device at all.
e2e_start_player "$E2E_TMP/player.log" --volume 100
run_program "$E2E_TMP/silent"
sleep 1
up_key
e2e_check "without a sound server the volume key still reaches the player (100 -> $(level))" \
  e2e_eventually 5 "level_is 107"
end_program

if ! e2e_start_sound; then
  e2e_skip "the volume keys beside a sound server: PulseAudio could not start ($(tail -n 1 "$E2E_TMP/pulseaudio.log" 2>/dev/null))"
  e2e_summary
  [ "$E2E_FAILED" -eq 0 ]
  exit
fi
# Wine's server reads the sound server's place when it starts.
timeout 10 wineserver -k >/dev/null 2>&1
e2e_wineserver
e2e_start_player "$E2E_TMP/player.log" --volume 100

run_program "$E2E_TMP/sound"
e2e_check "the window shows" test -n "$WIN"
sleep 1
e2e_check "at start the player is not muted: the mute indicator is covered" mute_dark "$WIN"
up_key
e2e_check "volume up moves the player's level one step (100 -> $(level))" e2e_eventually 5 "level_is 107"
down_key
e2e_check "volume down moves it one step back ($(level))" e2e_eventually 5 "level_is 100"
mute_key
e2e_check "mute sets the player's level to 0 ($(level))" e2e_eventually 5 "level_is 0"
e2e_check "and lights the mute indicator" e2e_eventually 5 "mute_lit '$WIN'"
e2e_window_shot "$WIN" "$ZAV_ROOT/out/muted.png"
mute_key
e2e_check "mute again brings the level back ($(level))" e2e_eventually 5 "level_is 100"
e2e_check "and darkens the indicator" e2e_eventually 5 "mute_dark '$WIN'"
mute_key
e2e_eventually 5 "level_is 0"
up_key
e2e_check "a volume key clears the mute, a step from the level before it ($(level))" e2e_eventually 5 "level_is 107"
e2e_check "and the indicator darkens" e2e_eventually 5 "mute_dark '$WIN'"

set_level 250
up_key
sleep 0.3
up_key
e2e_check "the top ends at 255 ($(level))" e2e_eventually 5 "level_is 255"
set_level 4
down_key
sleep 0.3
down_key
e2e_check "the bottom ends at 0 ($(level))" e2e_eventually 5 "level_is 0"
outside=$(tr -d '\r' <"$E2E_PLAYER_LOG" | awk '$1 == 1024 && $3 == 122 && $2 != -666 && ($2 < 0 || $2 > 255)' | head -n 3)
e2e_check "no level outside 0..255 was ever sent (${outside:-none})" test -z "$outside"
end_program
e2e_check "the close key ends the program" test "$(kill -0 "$PROGRAM" 2>/dev/null; echo $?)" = 1

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
