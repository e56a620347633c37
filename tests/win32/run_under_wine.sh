#!/usr/bin/env bash
# Runs the Win32 tests under Wine on a display of their own, with COM1 of
# the prefix linked to a fresh pty and the IR receiver simulator on the
# other end, then the code-page cases under a 1250 and a 1251 locale.
# Usage: run_under_wine.sh WIN32_TESTS.EXE XML_OUTPUT SIMULATOR; the reports
# are XML_OUTPUT, XML_OUTPUT.1250 and XML_OUTPUT.1251.
set -u
source "$(dirname "$0")/../e2e/harness.sh"
exe=$1 xml=$2 simulator=$3
e2e_init || exit 1
e2e_com1 || exit 1
# A sound server, so that Wine has a playback device and mixer devices;
# Wine's server reads its place when it starts.
if e2e_start_sound; then
  export ZAV_TEST_SOUND=1
  e2e_wineserver
else
  echo "-- the sound server could not start: the tests that need it skip"
fi
printf 'expect 49 52 within 60000\nwait 100\nsend 12 34 56\n' >"$E2E_TMP/receiver.script"
"$simulator" --device "$E2E_RECEIVER" --script "$E2E_TMP/receiver.script" --log "$E2E_TMP/receiver.log" --stay &
E2E_PIDS+=($!)
export ZAV_TEST_COM1=1

# The stand-in player where the remote looks for Winamp, and a decoy at
# C:\Program.exe that a launch of the unquoted path would start instead.
build=$(dirname "$exe")/../..
drive_c="$WINEPREFIX/drive_c"
zav_install_standin
cp "$build/tests/e2e/post_message.exe" "$drive_c/Program.exe"
export ZAV_STANDIN_PLAYER=$(zav_wine winepath -w "$build/standin_player.exe" 2>/dev/null | tr -d '\r')
export ZAV_PLAYER_PATH='C:\Program Files\Winamp\winamp.exe'
export ZAV_DECOY_MARKER=$(zav_wine winepath -w "$E2E_TMP/decoy.marker" 2>/dev/null | tr -d '\r')
(cd "$E2E_TMP" && timeout 300 "$ZAV_WINE" "$exe" --gtest_filter='-CodePages.*' --gtest_output="xml:win32_tests.xml")
status=$?
rm -f "$drive_c/Program.exe"
cp "$E2E_TMP/win32_tests.xml" "$xml" 2>/dev/null
# The code-page cases again, with Wine's ANSI code page that of a Romanian
# (1250) and of a Russian (1251) system: Wine takes it from the locale.
for locale in ro_RO.UTF-8:1250 ru_RU.UTF-8:1251; do
  (cd "$E2E_TMP" && LC_ALL=${locale%%:*} timeout 120 "$ZAV_WINE" "$exe" --gtest_filter='CodePages.*' \
    --gtest_output="xml:codepage.xml") || status=1
  cp "$E2E_TMP/codepage.xml" "$xml.${locale##*:}" 2>/dev/null
done
echo "-- what the simulated receiver saw:"
cat "$E2E_TMP/receiver.log"
exit $status
