#!/usr/bin/env bash
# Runs the Win32 tests under Wine on a display of their own, with COM1 of
# the prefix linked to a fresh pty and the IR receiver simulator on the
# other end. Usage: run_under_wine.sh WIN32_TESTS.EXE XML_OUTPUT SIMULATOR
set -u
source "$(dirname "$0")/../e2e/harness.sh"
exe=$1 xml=$2 simulator=$3
e2e_init || exit 1
e2e_com1 || exit 1
printf 'expect 49 52 within 60000\nwait 100\nsend 12 34 56\n' >"$E2E_TMP/receiver.script"
"$simulator" --device "$E2E_RECEIVER" --script "$E2E_TMP/receiver.script" --log "$E2E_TMP/receiver.log" --stay &
E2E_PIDS+=($!)
export ZAV_TEST_COM1=1
(cd "$E2E_TMP" && timeout 300 "$ZAV_WINE" "$exe" --gtest_output="xml:win32_tests.xml")
status=$?
cp "$E2E_TMP/win32_tests.xml" "$xml" 2>/dev/null
echo "-- what the simulated receiver saw:"
cat "$E2E_TMP/receiver.log"
exit $status
