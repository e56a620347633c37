# Shared by ./run, ./test and the end-to-end harness: installing what the
# project needs, the project's own Wine prefix, and a virtual display.
# Source it; it defines functions and variables and runs nothing.

ZAV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZAV_BUILD="$ZAV_ROOT/build"

zav_log() { printf '== %s\n' "$*" >&2; }

# Debian packages the builds and tests use. wine32:i386 runs the shipped
# 32-bit program where the kernel can start 32-bit code; wine64 and the
# x86_64 compiler serve where it cannot. trayer is the end-to-end tests'
# notification area; PulseAudio (and its client library for each Wine) the
# sound server behind Wine's mixer; lirc the real LIRC server the tests
# press keys on (started by the tests themselves, never as a service);
# Boost, nlohmann-json and OpenSSL's libcrypto (the native tests' SHA-256)
# for the phone remote, ICU (the native tests' folding of titles for a
# search), and Chromium, which its tests drive as a phone.
ZAV_PACKAGES=(cmake g++ make libgtest-dev googletest file clang libclang-rt-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64 wine32:i386 xvfb xdotool socat imagemagick x11-utils
  trayer pulseaudio libpulse0 libpulse0:i386 lirc
  libboost1.81-dev nlohmann-json3-dev libssl-dev libicu-dev chromium zbar-tools curl)

zav_install_deps() {
  zav_install_packages && zav_fetch_qrcodegen && zav_install_node_modules
}

# The QR code generator the pairing window draws with: its C++ source from
# Debian's source package, fetched through a source list made from the
# machine's own apt sources in folders of our own (the system's apt
# configuration is not touched), checked against the checksum the package's
# signed description gives, and kept in the build folder, never the
# repository. Only the orig tarball: it holds the two files needed.
ZAV_QRCODEGEN="$ZAV_BUILD/third_party/qrcodegen"
ZAV_QRCODEGEN_VERSION=1.8.0
ZAV_QRCODEGEN_SHA256=2ec0a4d33d6f521c942eeaf473d42d5fe139abcfa57d2beffe10c5cf7d34ae60
zav_fetch_qrcodegen() {
  [ -s "$ZAV_QRCODEGEN/qrcodegen.cpp" ] && [ -s "$ZAV_QRCODEGEN/qrcodegen.hpp" ] && return 0
  zav_log "fetching the QR code generator's source from Debian"
  local apt="$ZAV_BUILD/third_party/apt" orig="qr-code-generator_${ZAV_QRCODEGEN_VERSION}.orig.tar.gz" url dsc_sum f
  rm -rf "$apt"
  mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/archives" || return 1
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] && sed -n 's/^deb \(.*\)$/deb-src \1/p' "$f" >>"$apt/parts/from-lists.list"
  done
  local opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/parts" -o "Dir::State::Lists=$apt/lists"
    -o "Dir::Cache::Archives=$apt/archives" -o APT::Sandbox::User=root)
  local try
  for try in 1 2 3; do
    apt-get "${opts[@]}" update -q >"$apt/update.log" 2>&1 && break
    [ "$try" = 3 ] || sleep 20
  done
  (cd "$apt" && apt-get "${opts[@]}" source --print-uris "qr-code-generator=${ZAV_QRCODEGEN_VERSION}-"'*' \
    >uris 2>uris.log) || apt-get "${opts[@]}" source --print-uris qr-code-generator >"$apt/uris" 2>"$apt/uris.log"
  url=$(sed -n "s/^'\([^']*\/$orig\)'.*/\1/p" "$apt/uris" | head -1)
  [ -n "$url" ] || { echo "Debian's archive does not offer $orig (see $apt/uris.log)" >&2; return 1; }
  # The .dsc's own checksum is in the index apt verified; the orig's is in
  # the .dsc: both must agree with what came down.
  local dsc_url dsc
  dsc_url=$(sed -n "s/^'\([^']*\.dsc\)'.*/\1/p" "$apt/uris" | head -1)
  dsc=$(basename "$dsc_url")
  dsc_sum=$(sed -n "s/^'[^']*\.dsc' [^ ]* [0-9]* SHA256:\([0-9a-f]*\)$/\1/p" "$apt/uris" | head -1)
  for try in 1 2 3; do
    curl -fsSL --max-time 120 -o "$apt/$orig" "$url" && curl -fsSL --max-time 60 -o "$apt/$dsc" "$dsc_url" && break
    [ "$try" = 3 ] && { echo "could not download $url" >&2; return 1; }
    sleep 10
  done
  [ -z "$dsc_sum" ] || echo "$dsc_sum  $apt/$dsc" | sha256sum -c --quiet - ||
    { echo "$dsc does not match the archive's index" >&2; return 1; }
  grep -q "^ $ZAV_QRCODEGEN_SHA256 [0-9]* $orig\$" "$apt/$dsc" ||
    { echo "$dsc does not list $orig with the checksum expected" >&2; return 1; }
  echo "$ZAV_QRCODEGEN_SHA256  $apt/$orig" | sha256sum -c --quiet - ||
    { echo "$orig does not match its checksum" >&2; return 1; }
  mkdir -p "$ZAV_QRCODEGEN.new" &&
    tar -xzf "$apt/$orig" -C "$ZAV_QRCODEGEN.new" --strip-components=2 --wildcards '*/cpp/qrcodegen.hpp' '*/cpp/qrcodegen.cpp' &&
    rm -rf "$ZAV_QRCODEGEN" && mv "$ZAV_QRCODEGEN.new" "$ZAV_QRCODEGEN" && rm -rf "$apt"
}

# The phone tests' npm packages, as their lock file pins them; Node.js and
# npm from Debian where the machine has none.
zav_install_node_modules() {
  local web="$ZAV_ROOT/tests/e2e/web"
  if ! command -v npm >/dev/null; then
    zav_log "installing: nodejs npm"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends nodejs npm >/dev/null || return 1
  fi
  [ -d "$web/node_modules/puppeteer-core" ] && [ "$web/node_modules/.package-lock.json" -nt "$web/package-lock.json" ] &&
    return 0
  zav_log "installing the phone tests' npm packages"
  (cd "$web" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
}

zav_install_packages() {
  local missing=() p
  for p in "${ZAV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  zav_log "installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing: ${missing[*]}; run as root, or install them first." >&2
    return 1
  fi
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught in the middle of its sync serves an index that does not
  # match its release file, and apt-get update fails on it for a few
  # minutes: try again before giving up, then install with what came.
  local try
  for try in 1 2 3 4 5 6; do
    apt-get update -q >/dev/null && break
    [ "$try" = 6 ] || { zav_log "the package index is not whole (try $try): again in 30 s"; sleep 30; }
  done
  apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

# Which Wine runs our Windows programs here, and which build feeds it.
zav_wine_env() {
  if [ -z "${ZAV_WINE_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then ZAV_WINE_ARCH=win32; else ZAV_WINE_ARCH=win64; fi
  fi
  if [ "$ZAV_WINE_ARCH" = win32 ]; then
    ZAV_WINE=/usr/lib/wine/wine
    ZAV_WIN_BUILD="$ZAV_BUILD/mingw32"
  else
    ZAV_WINE=/usr/lib/wine/wine64
    export WINELOADER=$ZAV_WINE
    ZAV_WIN_BUILD="$ZAV_BUILD/mingw64"
  fi
  export ZAV_WINE_ARCH ZAV_WINE ZAV_WIN_BUILD
  export WINEPREFIX="$ZAV_ROOT/.wine-prefix-$ZAV_WINE_ARCH"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

zav_wine() { "$ZAV_WINE" "$@"; }

# The project's own prefix, made once per checkout and then reused.
zav_wine_prefix() {
  zav_wine_env
  [ -f "$WINEPREFIX/.zav-ready" ] && return 0
  zav_log "setting up the Wine prefix $WINEPREFIX (once)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  WINEARCH=$ZAV_WINE_ARCH zav_wine wineboot -i >/dev/null 2>&1 || true
  # Without a window manager Wine waits on every hide of a managed window.
  zav_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  [ -d "$WINEPREFIX/drive_c" ] || { echo "Wine prefix setup failed" >&2; return 1; }
  touch "$WINEPREFIX/.zav-ready"
}

# Starts an Xvfb display of our own (ZAV_SCREEN: its size and depth,
# 1024x768x24 unless set); sets DISPLAY and ZAV_XVFB_PID.
zav_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${ZAV_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    ZAV_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$ZAV_XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

zav_stop_xvfb() {
  [ -n "${ZAV_XVFB_PID:-}" ] && kill "$ZAV_XVFB_PID" 2>/dev/null && wait "$ZAV_XVFB_PID" 2>/dev/null
  ZAV_XVFB_PID=
}

# A fresh pty pair in FOLDER: the links com1 (the program's end) and
# receiver. Sets ZAV_COM1 and ZAV_RECEIVER (the ptys they point at) and
# ZAV_SOCAT_PID.
zav_pty_pair() {  # FOLDER
  local dir=$1 i
  rm -f "$dir/com1" "$dir/receiver"
  socat "pty,raw,echo=0,link=$dir/com1" "pty,raw,echo=0,link=$dir/receiver" 2>/dev/null &
  ZAV_SOCAT_PID=$!
  for i in $(seq 1 50); do [ -e "$dir/receiver" ] && break; sleep 0.1; done
  [ -e "$dir/receiver" ] || return 1
  ZAV_COM1=$(readlink -f "$dir/com1")
  ZAV_RECEIVER=$(readlink -f "$dir/receiver")
  export ZAV_COM1 ZAV_RECEIVER
}

# A fresh pty pair, its com1 link registered as COM1 of the prefix (Wine
# makes dosdevices/com1 from the registry when its server starts). COM1
# names the link, not the pty: a new pair made later in the same folder
# (zav_pty_pair) is the same COM1 to programs already running.
zav_link_com1() {  # FOLDER
  zav_pty_pair "$1" || return 1
  timeout 10 wineserver -k >/dev/null 2>&1
  wineserver -p5 >/dev/null 2>&1
  zav_wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$1/com1" /f >/dev/null 2>&1
  timeout 10 wineserver -k >/dev/null 2>&1
  wineserver -p5 >/dev/null 2>&1
}

# The X window of a visible window with exactly that caption, once one
# shows within SECS seconds.
zav_wait_window() {  # TITLE [SECS]
  local title=$1 secs=${2:-20} win i
  for i in $(seq 1 $((secs * 10))); do
    win=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
    [ -n "$win" ] && { echo "$win"; return 0; }
    sleep 0.1
  done
  return 1
}

# The IR receiver simulator on DEVICE, logging to LOG and taking commands
# ("send 12 34 56") from the fifo FIFO, which is made anew. Sets
# ZAV_RECEIVER_PID.
zav_start_receiver() {  # DEVICE LOG FIFO
  rm -f "$3"
  mkfifo "$3" || return 1
  "$ZAV_BUILD/native/ir_simulator" --device "$1" --log "$2" --interactive --stay <>"$3" >/dev/null 2>&1 &
  ZAV_RECEIVER_PID=$!
}

# A PulseAudio server with a silent output, its runtime folder in FOLDER;
# programs started after it (Wine among them) find it there. Sets
# ZAV_SOUND_PID; fails when it cannot start.
zav_start_sound() {  # FOLDER
  command -v pulseaudio >/dev/null || return 1
  export PULSE_RUNTIME_PATH="$1/pulse"
  mkdir -p "$PULSE_RUNTIME_PATH" "$1/pulse-home"
  HOME="$1/pulse-home" pulseaudio --daemonize=no --exit-idle-time=-1 -n --load=module-null-sink \
    --load="module-native-protocol-unix auth-anonymous=1" >"$1/pulseaudio.log" 2>&1 &
  ZAV_SOUND_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -S "$PULSE_RUNTIME_PATH/native" ] && return 0
    kill -0 "$ZAV_SOUND_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# The stand-in player where the remote's start key looks for Winamp:
# C:\Program Files\Winamp\winamp.exe of the prefix.
zav_install_standin() {
  mkdir -p "$WINEPREFIX/drive_c/Program Files/Winamp"
  cp "$ZAV_WIN_BUILD/standin_player.exe" "$WINEPREFIX/drive_c/Program Files/Winamp/winamp.exe"
}

zav_cmake_build() {  # dir [cmake args...]
  local dir=$1
  shift
  cmake -S "$ZAV_ROOT" -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log" >&2; return 1; }
  cmake --build "$dir" -j"$(nproc)" >"$dir.build.log" 2>&1 || { grep -E 'error|Error' "$dir.build.log" | head -40 >&2; return 1; }
}

# The fuzz targets and their runs. Each run reads the target's committed
# seeds and keeps what it finds in a folder of its own, so the seeds stay
# as committed; it prints libFuzzer's last line ("Done N runs in S
# second(s)") and fails on a crash or a sanitizer report, whose input
# libFuzzer saves under $ZAV_BUILD/fuzz-findings.
ZAV_FUZZ_TARGETS=(ini outline bitmap receiver lirc keys web)
# A byte stream's cost grows with its length, and 128 bytes hold many codes.
declare -gA ZAV_FUZZ_MAX_LEN=([receiver]=256)
ZAV_FUZZ_CMAKE_ARGS=(-DCMAKE_CXX_COMPILER=clang++ -DZAV_FUZZ=ON)

zav_fuzz_build() {  # [cmake args...]
  zav_cmake_build "$ZAV_BUILD/fuzz" "${ZAV_FUZZ_CMAKE_ARGS[@]}" "$@"
}

zav_fuzz_run() {  # TARGET RUNS
  local target=$1 runs=$2 work="$ZAV_BUILD/fuzz-work/$1" findings="$ZAV_BUILD/fuzz-findings/$1" log
  rm -rf "$work"
  mkdir -p "$work" "$findings"
  log="$work.log"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$ZAV_BUILD/fuzz/tests/fuzz/${target}_fuzz" -runs="$runs" -artifact_prefix="$findings/" -print_final_stats=1 \
    ${ZAV_FUZZ_MAX_LEN[$target]:+-max_len=${ZAV_FUZZ_MAX_LEN[$target]}} \
    "$work" "$ZAV_ROOT/tests/fuzz/corpus/$target" >"$log" 2>&1
  local rc=$?
  grep -E '^Done [0-9]+ runs' "$log" || { grep -E 'broken|ERROR|runtime error|SUMMARY' "$log" | head -n 10; }
  return $rc
}
