#!/usr/bin/env bash
# The play list for the phones in the real program under Wine, with a
# stand-in player of 10,000 titles (ZAV_BENCH_TRACKS for another count):
# the time from the first GET of a fresh program to a first page whose 50
# titles are all read; the time to a search's first full page and to its
# last match with nothing kept (a fresh program), and with the list kept
# (the same search again, then another); and what a title costs under Wine
# (from the stand-in's log with the time of each message), and the reader's
# slices at that cost (build/native/playlist_bench): the player messages of
# each and how long each takes, beside their bounds. Prints its figures; it is a
# measurement, not a test.
set -u
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_init || exit 1
tracks=${ZAV_BENCH_TRACKS:-10000}
port=$((29900 + $$ % 90))
token=$(head -c 16 /dev/urandom | od -An -tx1 | tr -d ' \n')
hash=$(printf '%s' "$token" | sha256sum | cut -d' ' -f1)
player_log="$E2E_TMP/player.log"
e2e_start "$E2E_TMP" "$ZAV_WIN_BUILD/standin_player.exe" --log "$(e2e_winpath "$player_log")" --log-times \
  --playing --tracks "$tracks" --title "Bench title"
e2e_eventually 20 "e2e_post 'Winamp stand-in' --query" || { echo "the stand-in player did not start"; exit 1; }
ini=$'[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n[WEB]\r\nENABLED=1\r\nADDRESS=127.0.0.1\r\nPORT='"$port"$'\r\n[WEB_PHONES]\r\n'"$hash"$'=2026-12-09 Bench\r\n'
list() { curl -s --max-time 5 -H "Host: 127.0.0.1:$port" -H "Authorization: Bearer $token" \
  "http://127.0.0.1:$port/api/v1/playlist?$1"; }
now_ms() { date +%s%3N; }
fresh_program() {
  [ -n "${PROGRAM:-}" ] && e2e_end_program
  e2e_run_program "$ini"
  e2e_wait_window "ZAV Amp - 01" 30 >/dev/null || { echo "the program did not start"; exit 1; }
  e2e_eventually 15 "curl -s -o /dev/null -H 'Host: 127.0.0.1:$port' http://127.0.0.1:$port/" || exit 1
  sleep 1
}
# Milliseconds until the reply to QUERY satisfies the shell test TEST on
# its body ($reply), asked every 20 ms.
until_reply() {  # QUERY TEST
  local start reply
  start=$(now_ms)
  for _ in $(seq 1 3000); do
    reply=$(list "$1")
    if eval "$2"; then echo $(($(now_ms) - start)); return 0; fi
    sleep 0.02
  done
  echo "more than 60000"
}
full_page='grep -q "\"length\":[1-9]" <<<"$reply" && ! grep -q "\"title\":null" <<<"$reply"'
fifty='[ "$(grep -o "\"number\"" <<<"$reply" | wc -l)" -ge 50 ] || grep -q "\"complete\":true" <<<"$reply"'
complete='grep -q "\"complete\":true" <<<"$reply"'

echo "a play list of $tracks titles, under Wine:"
fresh_program
: >"$player_log"
echo "  the first page of 50 titles, read: $(until_reply 'offset=0&count=50' "$full_page") ms"
echo "  every title read: $(until_reply 'count=1' "$complete") ms from then"
# What a title costs under Wine: the median time between two title
# requests that follow each other (within a slice); the slices, their
# messages and their time with that cost, from the reader itself.
cost_us=$(tr -d '\r' <"$player_log" | awk '$2 == 1024 && ($4 == 212 || $4 == 213) { print $1 }' |
  awk 'NR > 1 { print int(1000 * ($1 - last)) } { last = $1 }' | sort -n |
  awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : 250 }')
echo "  a title costs ${cost_us} us under Wine (its request and the read of its memory); the reading at that cost:"
"$ZAV_BUILD/native/playlist_bench" "$cost_us" "$tracks" | sed 's/^/  /'

# A search from its first GET: when its first page was full (50 matches,
# or all of them), and when every title had been searched.
search() {  # WORD
  local start reply first=""
  start=$(now_ms)
  for _ in $(seq 1 3000); do
    reply=$(list "q=$1")
    [ -z "$first" ] && eval "$fifty" && first=$(($(now_ms) - start))
    if eval "$complete"; then echo "first page $first ms, complete $(($(now_ms) - start)) ms"; return; fi
    sleep 0.02
  done
  echo "not complete within 60 s"
}
for word in 1234 5; do
  fresh_program
  echo "  a search for \"$word\", nothing kept: $(search "$word")"
  echo "  the list kept, the same again: $(search "$word"); another (\"77\"): $(search 77)"
done
e2e_end_program
