# End-to-end harness: the real Windows program under Wine on a display of
# its own, driven from outside. Source it, call e2e_init, then use the
# helpers; every process it starts is recorded by pid and stopped at exit.
#
# Setting up
#   e2e_init                        display, prefix, temp folder ($E2E_TMP), clean-up trap
#   e2e_com1                        a fresh pty pair, one end linked as COM1
#   e2e_start_receiver LOG          the IR receiver simulator on COM1's other end
#   e2e_receiver COMMAND...         a command for it ("send 12 34 56")
#   e2e_install_program DIR [INI]   the program in DIR, with that ir_zav.ini
#   e2e_start DIR EXE [ARGS...]     runs EXE under Wine with DIR as its folder; $E2E_LAST_PID
#   e2e_run_program INI             the program in $E2E_TMP/app with that ir_zav.ini, started; $PROGRAM
#   e2e_end_program                 closes it as its close key does, and waits for its end
#   e2e_start_player LOG [ARGS...]  the stand-in player logging to LOG, once its window answers
#   e2e_player_got LINE             how many times the player's log has LINE
#   e2e_start_tray                  a real notification area (trayer) at the display's bottom right
#   e2e_tray_icons                  the icons docked in it, "WIN X Y W H" a line
#   e2e_click_tray_icon [BUTTON]    clicks the first icon with the pointer
#   e2e_start_sound                 a PulseAudio server with a silent output, for Wine's mixer
# Looking and acting
#   e2e_wait_window TITLE [SECS]    prints the X window of that caption once it shows
#   e2e_click WIN X Y [BUTTON]      clicks at client coordinates of WIN
#   e2e_click_client CAPTION X Y    clicks at client coordinates of a framed window
#   e2e_in_front CAPTION            brings the window in front; true once it is
#   e2e_post CAPTION ARGS...        post_message.exe: --query, --client, or MSG WPARAM LPARAM
#   e2e_screenshot WIN FILE.png     the window's own picture
#   e2e_window_shot WIN FILE.png    the window as the screen shows it
#   e2e_client_shot CAPTION FILE.png  a framed window's client area as the screen shows it
#   e2e_pixel FILE.png X Y          prints the pixel as "r,g,b"
#   e2e_readouts FILE.png           prints the remote's two read-outs, "00:09 42"
#   e2e_winpath PATH                the Windows form of a path
#   e2e_holders DEVICE              the processes (other than socat) holding DEVICE open
# Checking
#   e2e_eventually SECS 'EXPRESSION'  true once EXPRESSION holds, tried every 0.1 s
#   e2e_check DESCRIPTION CMD...    runs CMD, counts it passed or failed
#   e2e_skip DESCRIPTION            counts a check that cannot run because its service cannot start
#   e2e_summary                     prints "e2e: N passed, M failed" (", K skipped" when any were)
#   e2e_close_key_ends              checks that the remote's close key ends the program started last
#   e2e_time_presses LABEL N PRESS COUNTER  for benchmarks: N presses timed until COUNTER grows

# shellcheck source=../../scripts/lib.sh
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/lib.sh"

E2E_PIDS=()
E2E_PASSED=0
E2E_FAILED=0
E2E_SKIPPED=0

e2e_init() {
  zav_wine_prefix || return 1
  # A test that changed the prefix's DPI and was stopped before it could
  # put it back.
  if [ -e "$WINEPREFIX/.zav-dpi-changed" ]; then
    zav_wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    zav_wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
    rm -f "$WINEPREFIX/.zav-dpi-changed"
  fi
  zav_start_xvfb || return 1
  E2E_TMP=$(mktemp -d /tmp/zav-e2e.XXXXXX)
  # Screenshots the tests leave for a person to look at go to out/.
  mkdir -p "$ZAV_ROOT/out"
  trap e2e_cleanup EXIT
  e2e_wineserver
}

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${E2E_PIDS[@]}"; do
    timeout 5 tail --pid="$pid" -f /dev/null 2>/dev/null || kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  E2E_PIDS=()
  # Wine's server for our prefix goes with the programs we started.
  timeout 10 wineserver -k >/dev/null 2>&1
  zav_stop_xvfb
  [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}

# Started by us, so its chatter when it is stopped goes nowhere. A server
# still running in the prefix (one that served a program started without
# our display, say) would refuse the start and hand its desktop to ours.
e2e_wineserver() {
  timeout 10 wineserver -k >/dev/null 2>&1
  wineserver -p5 >/dev/null 2>&1
}

e2e_com1() {
  zav_link_com1 "$E2E_TMP" || return 1
  E2E_PIDS+=("$ZAV_SOCAT_PID")
  E2E_COM1=$ZAV_COM1
  E2E_RECEIVER=$ZAV_RECEIVER
  export E2E_COM1 E2E_RECEIVER
}

e2e_start() {
  local dir=$1 exe=$2
  shift 2
  (cd "$dir" && exec "$ZAV_WINE" "$exe" "$@") >"$E2E_TMP/wine-$(basename "$exe").log" 2>&1 &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
}

e2e_wait_window() { zav_wait_window "$@"; }

e2e_start_player() {  # LOG [ARGS...]
  E2E_PLAYER_LOG=$1
  shift
  e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$E2E_PLAYER_LOG")" "$@"
  e2e_eventually 20 "e2e_post 'Winamp stand-in' --query"
}

e2e_player_got() { tr -d '\r' <"$E2E_PLAYER_LOG" 2>/dev/null | grep -c "^$1\$"; }

e2e_click() {
  local win=$1 x=$2 y=$3 button=${4:-1}
  xdotool mousemove --window "$win" "$x" "$y" && sleep 0.15 &&
    xdotool mousedown "$button" && sleep 0.05 && xdotool mouseup "$button"
}

e2e_screenshot() { import -window "$1" "$2" 2>/dev/null; }

e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info: 2>/dev/null
}

e2e_check() {
  local what=$1
  shift
  if "$@"; then
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "  ok   $what"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "  FAIL $what"
  fi
}

e2e_skip() {
  E2E_SKIPPED=$((E2E_SKIPPED + 1))
  echo "  skip $1"
}

# The phone tests' browser: false, with the test skipped and summed up,
# when Chromium or puppeteer-core (or a tool named) is not installed.
e2e_have_browser() {  # [TOOL...]
  local tool missing=""
  [ -x /usr/bin/chromium ] && [ -d "$ZAV_ROOT/tests/e2e/web/node_modules/puppeteer-core" ] || missing=1
  for tool in "$@"; do command -v "$tool" >/dev/null || missing=1; done
  [ -z "$missing" ] && return 0
  e2e_skip "Chromium, puppeteer-core${1:+ or $*} is not installed"
  e2e_summary
  return 1
}

# A phone paired as the settings file keeps one (the hash of its token):
# sets port, token, host (the Host field) and web_ini, the settings that
# turn the phone remote on at that port with that phone paired.
e2e_paired_phone() {  # PORT
  port=$1
  token=$(head -c 16 /dev/urandom | od -An -tx1 | tr -d ' \n')
  local hash
  hash=$(printf '%s' "$token" | sha256sum | cut -d' ' -f1)
  host="Host: 127.0.0.1:$port"
  web_ini=$'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n[WEB]\r\nENABLED=1\r\nADDRESS=127.0.0.1\r\nPORT='"$port"$'\r\n[WEB_PHONES]\r\n'"$hash"$'=2026-12-09 Test phone\r\n'
}

e2e_close_key_ends() {
  local win
  win=$(e2e_wait_window "ZAV Amp - 01" 10)
  e2e_click "$win" 136 22
  e2e_check "the close key ends the program" e2e_eventually 5 "! kill -0 $E2E_LAST_PID 2>/dev/null"
}

e2e_summary() {
  if [ "$E2E_SKIPPED" -gt 0 ]; then
    echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed, $E2E_SKIPPED skipped"
  else
    echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
  fi
}

# A system tray on our display, docked at its bottom right as a desktop's
# notification area is: Wine docks the icons of its programs into it. Sets
# E2E_TRAY_WINDOW to trayer's X window; fails when trayer cannot start.
e2e_start_tray() {
  command -v trayer >/dev/null || return 1
  trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 24 \
    --SetDockType true --transparent false >"$E2E_TMP/trayer.log" 2>&1 &
  E2E_TRAY_PID=$!
  E2E_PIDS+=("$E2E_TRAY_PID")
  local i
  for i in $(seq 1 50); do
    E2E_TRAY_WINDOW=$(xdotool search --onlyvisible --class '^trayer$' 2>/dev/null | head -n 1)
    [ -n "$E2E_TRAY_WINDOW" ] && return 0
    kill -0 "$E2E_TRAY_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# The icons docked in the tray now, one a line, as "WIN X Y W H" with X and
# Y on the screen.
e2e_tray_icons() {
  local child
  for child in $(xwininfo -children -id "$E2E_TRAY_WINDOW" 2>/dev/null | grep -oE '^ +0x[0-9a-f]+' | tr -d ' '); do
    xwininfo -id "$child" 2>/dev/null | awk -v w="$child" '
      /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
      /Width:/ { wd = $NF } /Height:/ { ht = $NF } /Map State: IsViewable/ { viewable = 1 }
      END { if (viewable && wd > 1 && ht > 1) print w, x, y, wd, ht }'
  done
}

# Clicks the middle of the first icon in the tray with the pointer.
e2e_click_tray_icon() {  # [BUTTON]
  local win x y w h
  read -r win x y w h <<<"$(e2e_tray_icons | head -n 1)"
  [ -n "$win" ] || return 1
  xdotool mousemove "$((x + w / 2))" "$((y + h / 2))" && sleep 0.15 && xdotool click "${1:-1}"
}

# A PulseAudio server of our own with a silent output, its runtime folder
# in the test's temporary folder; the programs started after it (Wine's
# mixer among them) find it there. Fails when it cannot start.
e2e_start_sound() {
  local started=0
  zav_start_sound "$E2E_TMP" && started=1
  [ -n "${ZAV_SOUND_PID:-}" ] && E2E_PIDS+=("$ZAV_SOUND_PID")
  [ "$started" = 1 ]
}

# The real program in a folder of its own (its settings live beside it).
e2e_install_program() {  # DIR [ir_zav.ini content]
  mkdir -p "$1"
  cp "${ZAV_PROGRAM_EXE:-$ZAV_WIN_BUILD/src/app/zav_amp.exe}" "$1/zav_amp.exe"
  [ -n "${2:-}" ] && printf '%s' "$2" >"$1/ir_zav.ini"
  return 0
}

# The IR receiver simulator on the other end of COM1, logging to FILE.
e2e_start_receiver() {  # LOGFILE
  zav_start_receiver "$E2E_RECEIVER" "$1" "$E2E_TMP/receiver.in" || return 1
  E2E_PIDS+=("$ZAV_RECEIVER_PID")
}

e2e_receiver() { echo "$*" >"$E2E_TMP/receiver.in"; }

# How a test of the remote begins: its display and prefix, COM1 on a pty
# and the receiver simulator at the other end, logging to receiver.log. A
# test that cannot begin counts as one failure.
e2e_begin_with_receiver() {
  e2e_init && e2e_com1 && e2e_start_receiver "$E2E_TMP/receiver.log" && return 0
  echo "e2e: 0 passed, 1 failed"
  exit 1
}

e2e_post() { zav_wine "$ZAV_WIN_BUILD/tests/e2e/post_message.exe" "$@" 2>/dev/null | tr -d '\r'; }

# A picture of a window as the screen shows it, so the desktop shows
# through where the window's outline leaves gaps.
e2e_window_shot() {  # WIN FILE.png
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2" 2>/dev/null
}

# The two read-outs of the remote read off a picture of its window.
e2e_readouts() {  # FILE.png
  convert "$1" -type TrueColor "BMP3:$1.bmp" 2>/dev/null && "$ZAV_BUILD/native/lcd_decode" "$1.bmp"
}

e2e_winpath() { zav_wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# True once the shell expression holds, tried every 0.1 s for SECS seconds;
# evaluated here, so the harness's functions can be used in it. A command is
# an expression too: e2e_eventually 5 "grep -q done '$log'".
e2e_eventually() {  # SECS 'EXPRESSION'
  local secs=$1 expr=$2 i
  for i in $(seq 1 $((secs * 10))); do
    eval "$expr" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Which processes other than the pty pair's own have this device open.
e2e_holders() {  # DEVICE
  local fd pid
  for fd in /proc/[0-9]*/fd/*; do
    [ "$(readlink "$fd" 2>/dev/null)" = "$1" ] || continue
    pid=${fd#/proc/}
    pid=${pid%%/*}
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = socat ] || echo "$pid"
  done | sort -u
}

# Every window whose caption matches REGEX, logged to FILE as long as the
# test runs: message boxes that should not appear.
e2e_watch_boxes() {  # REGEX FILE
  (while :; do
    xdotool search --onlyvisible --name "$1" >>"$2" 2>/dev/null
    sleep 0.2
  done) &
  E2E_PIDS+=($!)
}

# A LIRC server of our own, lircd with no hardware (keys are pressed by
# SIMULATE on its socket), listening on 127.0.0.1:PORT; its remote is
# "handset" with KEY_PLAY, KEY_FF, KEY_STOP. A system lircd, if any, is
# neither used nor touched. Sets E2E_LIRCD_PID; false when it cannot start.
e2e_start_lircd() {  # PORT
  local dir="$E2E_TMP/lirc"
  mkdir -p "$dir"
  [ -e "$dir/handset.conf" ] || cat >"$dir/handset.conf" <<'CONF'
begin remote
  name  handset
  bits  16
  eps   30
  aeps  100
  one   0 0
  zero  0 0
  gap   100000
  begin codes
    KEY_PLAY  0x10ef
    KEY_FF    0x10f0
    KEY_STOP  0x10f1
  end codes
end remote
CONF
  : >"$dir/options.conf"
  command -v lircd >/dev/null || return 1
  lircd --nodaemon --driver=file --device=/dev/null --listen="127.0.0.1:$1" --allow-simulate \
    --output="$dir/lircd.sock" --pidfile="$dir/lircd.pid" --logfile="$dir/lircd.log" \
    --options-file="$dir/options.conf" "$dir/handset.conf" >"$dir/lircd.out" 2>&1 &
  E2E_LIRCD_PID=$!
  E2E_PIDS+=("$E2E_LIRCD_PID")
  e2e_eventually 5 "[ -S '$dir/lircd.sock' ] && ss -ltn 'sport = :$1' | grep -q LISTEN"
}

e2e_stop_lircd() {
  kill "${E2E_LIRCD_PID:-0}" 2>/dev/null && wait "$E2E_LIRCD_PID" 2>/dev/null
  rm -f "$E2E_TMP/lirc/lircd.sock"
}

# A key of the handset pressed on our lircd: BUTTON, its repeat count.
e2e_lirc_press() {  # BUTTON [REPEAT]
  local code
  case $1 in KEY_PLAY) code=10ef ;; KEY_FF) code=10f0 ;; *) code=10f1 ;; esac
  printf 'SIMULATE %016x %02x %s handset\n' "0x$code" "${2:-0}" "$1" |
    socat -t 1 - "UNIX-CONNECT:$E2E_TMP/lirc/lircd.sock" >/dev/null 2>&1
}

# Whether a client is connected to 127.0.0.1:PORT.
e2e_lirc_connected() { ss -tn state established "( sport = :$1 )" | grep -q 127.0.0.1; }

# The setup dialog's controls: where their middles are in its client area
# at 96 DPI, and the page of tabs each lies on (none for Ok).
declare -A E2E_DIALOG=(
  [port]="88 87 Receiver" [enableIr]="148 86 Receiver" [lirc]="340 114 Receiver" [keys]="28 138 Receiver"
  [commands]="90 100 Handset codes" [code]="376 100 Handset codes" [learn]="76 161 Handset codes"
  [add]="184 161 Handset codes" [forget]="280 161 Handset codes" [learnAll]="384 161 Handset codes"
  [skip]="350 195 Handset codes" [stop]="412 195 Handset codes"
  [trayMode]="28 86 Options" [runLearned]="248 86 Options" [osd]="28 106 Options"
  [startWithWindows]="248 106 Options" [volume]="300 130 Options" [winamp]="221 158 Options"
  [browse]="404 159 Options" [others]="28 186 Options"
  [webOn]="28 88 Phone" [webPort]="96 117 Phone" [webAddress]="324 116 Phone" [pair]="80 171 Phone"
  [forgetPhones]="206 171 Phone" [phones]="170 226 Phone" [forgetPhone]="370 205 Phone"
  [ok]="576 295"
)

# The page of the setup dialog's tabs that shows.
e2e_dialog_page_shown() { e2e_post "Setup IR device" --page | head -1; }

# Brings the page titled TITLE up with Ctrl+Tab, as a user at the keyboard
# does, once the dialog has the display's keyboard focus (the stand-in
# player's window may have it: Wine's own focus does not follow the
# display's); fails when no press does.
e2e_dialog_page() {  # TITLE
  local i dialog
  for i in 1 2 3 4 5; do
    [ "$(e2e_dialog_page_shown)" = "$1" ] && return 0
    if [ "$i" = 1 ]; then
      dialog=$(xdotool search --name '^Setup IR device$' 2>/dev/null | head -1)
      [ -n "$dialog" ] && xdotool windowfocus --sync "$dialog" 2>/dev/null
    fi
    xdotool key ctrl+Tab
    sleep 0.3
  done
  [ "$(e2e_dialog_page_shown)" = "$1" ]
}

# Clicks a control of the setup dialog by its name above, on a screen of
# SCALE times 96 DPI, on its page.
e2e_dialog_click() {  # NAME [SCALE]
  local -a xy=(${E2E_DIALOG[$1]})
  local scale=${2:-1}
  [ ${#xy[@]} -le 2 ] || e2e_dialog_page "${xy[*]:2}" || return 1
  e2e_click_client "Setup IR device" $((xy[0] * scale)) $((xy[1] * scale))
}

# Clicks at client coordinates of a window found by its caption, wherever
# its frame puts the client area.
e2e_click_client() {  # CAPTION X Y
  local state x y w h
  read -r state x y w h <<<"$(e2e_post "$1" --client)"
  [ "$state" = visible ] || return 1
  xdotool mousemove "$((x + $2))" "$((y + $3))" && sleep 0.15 && xdotool click 1
}

e2e_client_shot() {  # CAPTION FILE.png
  local state x y w h
  read -r state x y w h <<<"$(e2e_post "$1" --client)"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2" 2>/dev/null
}

# The program installed in $E2E_TMP/app with that ir_zav.ini, started;
# PROGRAM is its process. e2e_end_program closes it as its close key does.
e2e_run_program() {  # INI
  e2e_install_program "$E2E_TMP/app" "$1"
  e2e_start "$E2E_TMP/app" "$E2E_TMP/app/zav_amp.exe"
  PROGRAM=$E2E_LAST_PID
}
e2e_end_program() {
  e2e_post "ZAV Amp - 01" 16 0 0
  e2e_eventually 10 "! kill -0 $PROGRAM 2>/dev/null"
}

# Brings a window found by its caption in front: a click on it, then the
# system asked (Wine's focus does not follow xdotool's alone).
e2e_in_front() {  # CAPTION
  local state x y w h
  read -r state x y w h <<<"$(e2e_post "$1" --query)"
  [ "$state" = visible ] || return 1
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  sleep 0.3
  [ "$(e2e_post "$1" --front)" = front ]
}

# For the benchmarks: COUNT presses made by PRESS (a command), each timed
# until COUNTER (a command printing a number) grows, 400 ms apart; prints
# "LABEL, COUNT keys: median M ms, worst W ms".
e2e_time_presses() {  # LABEL COUNT PRESS COUNTER
  local label=$1 count=$2 press=$3 counter=$4 before start i times=()
  for i in $(seq 1 "$count"); do
    before=$($counter)
    start=$(date +%s%N)
    $press
    while [ "$($counter)" -le "$before" ]; do
      [ $(( ($(date +%s%N) - start) / 1000000 )) -gt 3000 ] && break
    done
    times+=($(( ($(date +%s%N) - start) / 1000 )))
    sleep 0.4
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v n="$count" -v label="$label" '
    { t[NR] = $1 }
    END { printf "%s, %d keys: median %.1f ms, worst %.1f ms\n", label, n, t[int((NR + 1) / 2)] / 1000, t[NR] / 1000 }'
}

# For the benchmarks: the first process whose command line holds PATTERN;
# its CPU time in nanoseconds, every thread counted (the scheduler's own
# count, finer than the 10 ms ticks of /proc/PID/stat); the Wine server's.
pid_of() { for p in /proc/[0-9]*; do tr '\0' ' ' <"$p/cmdline" 2>/dev/null | grep -q "$1" && basename "$p"; done 2>/dev/null | head -n 1; }
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d", t }'; }
server_ns() {
  local total=0 p
  for p in $(pgrep -x 'wineserver(32|64)?'); do total=$((total + $(cpu_ns "$p"))); done
  echo "$total"
}
