#!/usr/bin/env bash
# The program run from a folder named "Пульт ΖΑV" under Wine (in a UTF-8
# locale, where Wine reads Unix file names as UTF-8): it reads its
# ir_zav.ini there, Ok writes it there, a player path in that alphabet is
# saved as a UTF-16 file that holds it, and the ON key starts that player.
set -u
export LC_ALL=C.UTF-8
source "$(dirname "$0")/harness.sh"
e2e_init || { echo "e2e: 0 passed, 1 failed"; exit 1; }
app="$E2E_TMP/Пульт ΖΑV"
window_exists() { e2e_post "$1" --query | grep -qE '^(visible|hidden) '; }
shown() { e2e_post "$1" --query | grep -q '^visible '; }

# Read there: window mode and no receiver, where a missing file would mean
# the notification area and COM1.
e2e_install_program "$app" $'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n'
e2e_start "$app" "$app/zav_amp.exe"
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "its ir_zav.ini is read: it starts as a window" e2e_eventually 10 "shown 'ZAV Amp - 01'"
sleep 1

mkdir -p "$app/Плеер"
cp "$ZAV_WIN_BUILD/standin_player.exe" "$app/Плеер/winamp.exe"
player=$(e2e_winpath "$app/Плеер/winamp.exe")
e2e_click "$WIN" 33 176
e2e_eventually 10 "shown 'Setup IR device'" && sleep 0.5
e2e_dialog_click runLearned
e2e_post 'Setup IR device' --field 'Winamp:' "$player"
e2e_dialog_click ok
e2e_eventually 10 "shown 'ZAV Amp - 01'"
text() { iconv -f UTF-16 -t UTF-8 "$app/ir_zav.ini" 2>/dev/null | tr -d '\r'; }
e2e_check "Ok writes ir_zav.ini there, as UTF-16 with its mark" \
  bash -c "head -c 2 '$app/ir_zav.ini' | od -An -tx1 | grep -q 'ff fe'"
e2e_check "holding the player's path in full" bash -c "$(declare -f text); app='$app'; text | grep -qxF 'PATH=$player'"
e2e_check "and the other settings" bash -c "$(declare -f text); app='$app'; text | grep -qx 'EXECUTARE=1'"
e2e_check "no file is left beside it" test ! -e "$app/ir_zav.ini.new"
e2e_click "$WIN" 127 115
e2e_check "the ON key starts the player in that folder" e2e_eventually 15 "window_exists 'Winamp stand-in'"
e2e_post 'Winamp stand-in' 16 0 0 >/dev/null
e2e_summary
