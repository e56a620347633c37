#!/usr/bin/env bash
# The on-screen display under Wine, with the stand-in player, the IR
# simulator and the sound server: in the notification area a PLAY code
# shows it within 300 ms with the play mark, the time and the track read
# off a screenshot, and it is gone within 2.5 s; a held VOLUME UP shows a
# rising percentage in the same window, the player's level (Wine sets no
# system volume, so the keys drive the player's); digits then ENTER show
# the typed track; with the window shown, or OSD=0, nothing shows.
set -u
source "$(dirname "$0")/harness.sh"
e2e_begin_with_receiver
e2e_start_sound && sound=1 || sound=0
timeout 10 wineserver -k >/dev/null 2>&1
e2e_wineserver

e2e_start_player "$E2E_TMP/player.log" --tracks 30 --start-track 5 --start-ms 9000 --paused
plays() { e2e_player_got "273 40045 0"; }

CODES=$'[COMENZI_IR]\r\nPLAY=A1B2C3\r\nVOLUME UP=A4B5C6\r\nVOLUME DOWN=B4B5C6\r\nTASTE 1=A7A8A9\r\nTASTE 2=AAABAC\r\nENTER=ADAEAF\r\n'
osd_window() { xdotool search --onlyvisible --name '^ZAV Amp - OSD$' 2>/dev/null | head -n 1; }
osd_read() {  # FILE.png: "<mark> <time> <number>"
  e2e_screenshot "$(osd_window)" "$1" && convert "$1" -type TrueColor "BMP3:$1.bmp" 2>/dev/null &&
    "$ZAV_BUILD/native/lcd_decode" --osd "$1.bmp"
}
ms_now() { echo $(($(date +%s%N) / 1000000)); }
run_program() {  # DIR INI
  e2e_install_program "$1" "$2"
  e2e_start "$1" "$1/zav_amp.exe"
  PROGRAM=$E2E_LAST_PID
  e2e_eventually 20 "[ \$(grep -c 'rx 49 52' '$E2E_TMP/receiver.log') -gt ${INITS:-0} ]"
  INITS=$(grep -c 'rx 49 52' "$E2E_TMP/receiver.log")
}
end_program() {
  e2e_post "ZAV Amp - 01" 16 0 0
  e2e_eventually 10 "! kill -0 $PROGRAM 2>/dev/null"
}

# In the notification area, as the program starts without Minimizare=0.
run_program "$E2E_TMP/tray" $'[IR]\r\nEXECUTARE=1\r\n'"$CODES"
sleep 1
start=$(ms_now)
e2e_receiver "send A1 B2 C3"
e2e_eventually 3 '[ -n "$(osd_window)" ]'
shown_after=$(($(ms_now) - start))
e2e_check "a PLAY code shows the display within 300 ms (${shown_after} ms)" test "$shown_after" -le 300
sleep 0.3
read -r mark time track <<<"$(osd_read "$E2E_TMP/play.png")"
cp "$E2E_TMP/play.png" "$ZAV_ROOT/out/osd-play.png"
e2e_check "it shows the play mark (read: $mark)" test "$mark" = play
e2e_check "the elapsed time (read: $time)" test "${time:0:4}" = "00:0" -o "${time:0:4}" = "00:1"
e2e_check "and the track (read: $track)" test "$track" = 5
read -r state x y w h <<<"$(e2e_post 'ZAV Amp - OSD' --query)"
e2e_check "in the bottom-right corner, 16 px in ($x $y $w $h)" test "$((x + w))" = 1008 -a "$((y + h))" = 752
e2e_check "it is gone within 2.5 s" e2e_eventually 3 '[ -z "$(osd_window)" ]'

# A held VOLUME UP: the same window, the percentage rising (from below the
# top: the stand-in starts at 200 of 255).
[ "$sound" = 1 ] || e2e_skip "the volume beside a sound server: PulseAudio could not start ($(tail -n 1 "$E2E_TMP/pulseaudio.log" 2>/dev/null)); without one, as follows"
e2e_receiver "press B4B5C6 for 2000"
sleep 2.3
read -r mark time lowered <<<"$(osd_read "$E2E_TMP/lowered.png")"
e2e_check "a held VOLUME DOWN lowers the level (read: $lowered)" test "$lowered" != - -a "$lowered" -lt 100
e2e_eventually 3 '[ -z "$(osd_window)" ]'
e2e_receiver "press A4B5C6 for 1800"
e2e_eventually 2 '[ -n "$(osd_window)" ]'
first_window=$(osd_window)
levels=()
for i in 1 2 3 4; do
  sleep 0.35
  read -r mark time level <<<"$(osd_read "$E2E_TMP/volume$i.png")"
  levels+=("$level")
done
cp "$E2E_TMP/volume4.png" "$ZAV_ROOT/out/osd-volume.png"
e2e_check "a held VOLUME UP shows a rising percentage (${levels[*]})" \
  test "${levels[0]}" != - -a "${levels[3]}" != - -a "${levels[3]}" -gt "${levels[0]}"
e2e_check "in the same window" test "$(osd_window)" = "$first_window"
# The hold is over: what the display shows is the player's level now.
sleep 0.3
read -r mark time shown <<<"$(osd_read "$E2E_TMP/volume-end.png")"
player_level=$(e2e_post 'Winamp stand-in' --send 1024 -666 122)
e2e_check "the display's volume bar shows the player's level ($shown% for $player_level of 255)" \
  test -n "$player_level" -a "$shown" = "$(((${player_level:-0} * 100 + 127) / 255))"
e2e_eventually 3 '[ -z "$(osd_window)" ]'

# Digits, then ENTER.
e2e_receiver "send A7 A8 A9"
sleep 0.4
e2e_receiver "send AA AB AC"
sleep 0.4
read -r mark time typed <<<"$(osd_read "$E2E_TMP/typed.png")"
e2e_check "typed digits show as the track read-out shows them (read: $typed)" test "$typed" = 12
e2e_receiver "send AD AE AF"
sleep 0.5
read -r mark time chosen <<<"$(osd_read "$E2E_TMP/chosen.png")"
e2e_check "ENTER shows the chosen track (read: $chosen)" test "$chosen" = 12
end_program

# With the window shown: nothing.
run_program "$E2E_TMP/shown" $'[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n'"$CODES"
e2e_wait_window "ZAV Amp - 01" 20 >/dev/null
before=$(plays)
e2e_receiver "send A1 B2 C3"
e2e_eventually 3 "[ \$(plays) -gt $before ]"
sleep 0.5
e2e_check "with the window shown the command runs and no display shows" test -z "$(osd_window)"
end_program

# OSD=0: nothing.
run_program "$E2E_TMP/off" $'[IR]\r\nEXECUTARE=1\r\nOSD=0\r\n'"$CODES"
before=$(plays)
e2e_receiver "send A1 B2 C3"
e2e_eventually 3 "[ \$(plays) -gt $before ]"
sleep 0.5
e2e_check "with OSD=0 the command runs and no display shows" test -z "$(osd_window)"
end_program

e2e_summary
[ "$E2E_FAILED" -eq 0 ]
