#!/usr/bin/env bash
# What the on-screen display adds to a handset command, under Wine: the
# stand-in player runs (playing), and bench/osd_cost.cpp asks it what to
# show and shows, or updates, the display 200 times. Prints its figures; a
# measurement, not a test.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --playing
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query" || { echo "the stand-in player did not start"; exit 1; }
(cd "$E2E_TMP" && "$ZAV_WINE" "$ZAV_WIN_BUILD/osd_cost.exe" 2>/dev/null | tr -d '\r')
