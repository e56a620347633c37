#!/usr/bin/env bash
# The audio mixer for real: Wine's mixer devices over a PulseAudio server of
# the test's own with a silent output. The mixer's state is the program's
# own under Wine, so it is seen through the program: the mute key lights
# the mute indicator, and a second press darkens it again. Without the
# sound server there is no mixer, and the key changes nothing.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver

# A pixel of the painted mute indicator: silver while its patch covers it.
mute_lit() {  # WIN
  e2e_screenshot "$1" "$E2E_TMP/mute.png"
  [ "$(e2e_pixel "$E2E_TMP/mute.png" 130 48)" != "192,192,192" ]
}
mute_dark() { ! mute_lit "$1"; }
mute_key() { e2e_click "$1" 128 198; }

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

# Without a sound server first: the control the test compares with.
run_program "$E2E_TMP/silent"
sleep 1
mute_key "$WIN"
sleep 1.2
e2e_check "without a sound server the mute key finds no mixer and lights nothing" mute_dark "$WIN"
end_program

if ! e2e_start_sound; then
  e2e_skip "the mute key under a sound server: PulseAudio could not start ($(tail -n 1 "$E2E_TMP/pulseaudio.log" 2>/dev/null))"
  e2e_summary
  [ "$E2E_FAILED" -eq 0 ]
  exit
fi
# Wine's server reads the sound server's place when it starts.
timeout 10 wineserver -k >/dev/null 2>&1
e2e_wineserver

run_program "$E2E_TMP/sound"
e2e_check "the window shows" test -n "$WIN"
sleep 1
e2e_check "at start the output is not muted: the mute indicator is covered" mute_dark "$WIN"
mute_key "$WIN"
e2e_check "the mute key mutes the master output: its indicator lights" e2e_eventually 5 "mute_lit '$WIN'"
e2e_window_shot "$WIN" "$ZAV_ROOT/out/muted.png"
mute_key "$WIN"
e2e_check "pressed again, the output sounds and the indicator darkens" e2e_eventually 5 "mute_dark '$WIN'"
end_program
e2e_check "the close key ends the program" test "$(kill -0 "$PROGRAM" 2>/dev/null; echo $?)" = 1

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
