#!/usr/bin/env bash
# The play list on the phone, in the real program under Wine with a stand-in
# player of 10,000 titles and Debian's Chromium as a paired phone: the API
# answers at once while the titles are still being read, and refuses what
# its rules refuse; the list opens on the playing title, "Remote" goes back
# without playing, a search narrows it, and a tap plays that title on the
# stand-in (its position and its status); with the player gone, no list. While the list is read, the main
# window's time read-out keeps moving and the window answers within 250 ms.
set -u
source "$(dirname "$0")/harness.sh"
e2e_init || { echo "e2e: 0 passed, 1 failed"; exit 1; }
web="$ZAV_ROOT/tests/e2e/web"
e2e_have_browser || exit 0
e2e_paired_phone $((30000 + $$ % 1000))
title="Big list" playing=5000 search=123 chosen=1234

boxes="$E2E_TMP/message-boxes"
e2e_watch_boxes '^(Eroare|ZAV Amp|Telecomanda Winamp ZAV Amp - 01)$' "$boxes"
e2e_start_player "$E2E_TMP/player.log" --tracks 10000 --start-track "$playing" --playing --title "$title"
ask() { e2e_post 'Winamp stand-in' --send 1024 0 "$1"; }

e2e_run_program "$web_ini"
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$WIN"
serving() { curl -s -o /dev/null -w '%{http_code}' -H "$host" "http://127.0.0.1:$port/" | grep -qx 200; }
e2e_check "the program serves the page" e2e_eventually 15 serving

list_url="http://127.0.0.1:$port/api/v1/playlist"
status() { curl -s -o /dev/null -w '%{http_code}' --max-time 5 -H "$host" "$@"; }
e2e_check "the list without a token is refused (401)" test "$(status "$list_url")" = 401
e2e_check "a count over 200 is refused (400)" test "$(status -H "Authorization: Bearer $token" "$list_url?count=201")" = 400
e2e_check "a query that cannot be read is refused (400)" \
  test "$(status -H "Authorization: Bearer $token" "$list_url?q=%zz")" = 400
e2e_check "a foreign Host is refused (421)" \
  test "$(curl -s -o /dev/null -w '%{http_code}' -H "Host: evil.example:$port" -H "Authorization: Bearer $token" "$list_url")" = 421

# The phone opens the list; while the program reads its 10,000 titles,
# the window keeps its pace.
node "$web/list.js" "http://127.0.0.1:$port/" "$token" "$title" "$playing" "$search" "$chosen" "$E2E_TMP" >"$E2E_TMP/list.log" 2>&1 &
PHONE=$!
E2E_PIDS+=("$PHONE")
phone_at() { grep -qx "step $1" "$E2E_TMP/list.log"; }
e2e_eventually 60 "phone_at opened"
opened=$(date +%s.%N)
e2e_post 'ZAV Amp - 01' --answers 3000 >"$E2E_TMP/answers" &
answering=$!
reading=$(curl -s --max-time 5 -H "$host" -H "Authorization: Bearer $token" "$list_url?count=1")
times=()
for i in 1 2 3; do
  e2e_window_shot "$WIN" "$E2E_TMP/shot$i.png"
  times+=("$(e2e_readouts "$E2E_TMP/shot$i.png" | cut -d' ' -f1)")
  sleep 1
done
wait "$answering"
longest=$(cat "$E2E_TMP/answers")
complete() { curl -s --max-time 5 -H "$host" -H "Authorization: Bearer $token" "$list_url?count=1" | grep -q '"complete":true'; }
e2e_eventually 60 complete
read_in=$(awk -v a="$opened" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
e2e_check "a page is answered at once while the titles are read ($reading)" grep -q '"complete":false' <<<"$reading"
e2e_check "the time read-out keeps moving meanwhile (${times[*]})" \
  test "${times[0]}" != "${times[1]}" -a "${times[1]}" != "${times[2]}" -a -n "${times[2]}"
e2e_check "the window answers within 250 ms meanwhile (longest ${longest} ms)" test "${longest:-9999}" -lt 250
e2e_check "every title is read within 30 s (${read_in} s)" awk -v t="$read_in" 'BEGIN { exit !(t < 30) }'

e2e_eventually 120 "phone_at back"
e2e_check '"Remote" chose no track' test "$(grep -c ' 121$' "$E2E_PLAYER_LOG")" = 0
e2e_eventually 120 "phone_at tapped"
e2e_check "a tap on $title $chosen moves the stand-in to it" e2e_eventually 5 "[ \"\$(ask 9999)\" = $((chosen - 1)) ]"
e2e_check "and plays it" e2e_eventually 5 "[ \"\$(ask 104)\" = 1 ] && [ \$(e2e_player_got '273 40045 0') -ge 1 ]"
# The player goes: no play list.
e2e_post 'Winamp stand-in' 273 40001 0
e2e_eventually 10 "! e2e_post 'Winamp stand-in' --query"
touch "$E2E_TMP/closed"
e2e_check "with no player the API says there is no list" e2e_eventually 10 \
  "curl -s --max-time 5 -H '$host' -H 'Authorization: Bearer $token' '$list_url' | grep -q '\"complete\":true,\"items\":\[\],\"length\":0'"
e2e_eventually 30 "! kill -0 $PHONE 2>/dev/null"
while read -r verdict what; do
  e2e_check "$what" test "$verdict" = ok
done < <(grep -E '^(ok|FAIL) ' "$E2E_TMP/list.log")
grep -q '^ok a tap' "$E2E_TMP/list.log" || { echo "-- the phone said:"; tail -n 20 "$E2E_TMP/list.log"; }
e2e_check "no box opened" test ! -s "$boxes"
e2e_close_key_ends
e2e_summary
