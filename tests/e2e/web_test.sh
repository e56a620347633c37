#!/usr/bin/env bash
# The phone remote in the real program under Wine, with Debian's Chromium
# as a phone: paired as a user pairs one, by the QR code of the "Pair a
# phone" window (read off the screen with zbarimg), the page shows the
# remote, a tap on PLAY plays the stand-in once, the title and the time
# follow it, "Not connected" when the program ends and the remote back when
# it starts again; "Forget phones" in the setup dialog, and the phone is
# refused. Requests with a foreign Host, a forged Origin, no token or a
# form's content type are refused and run nothing; 200 connections at once
# and junk leave the program serving a paired request and its own keys
# working. Those requests carry the token of a phone paired as the settings
# file keeps one: the hash of its token.
set -u
source "$(dirname "$0")/harness.sh"
e2e_init || { echo "e2e: 0 passed, 1 failed"; exit 1; }
web="$ZAV_ROOT/tests/e2e/web"
e2e_have_browser zbarimg || exit 0
e2e_paired_phone $((29000 + $$ % 1000))

boxes="$E2E_TMP/message-boxes"
e2e_watch_boxes '^(Eroare|ZAV Amp|Telecomanda Winamp ZAV Amp - 01)$' "$boxes"
e2e_start_player "$E2E_TMP/player.log" --tracks 30 --title "Phone song"
plays() { e2e_player_got "273 40045 0"; }

e2e_run_program "$web_ini"
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
e2e_check "the remote's window appears" test -n "$WIN"
serving() { curl -s -o /dev/null -w '%{http_code}' -H "$host" "http://127.0.0.1:$port/" | grep -qx 200; }
e2e_check "the program serves the page" e2e_eventually 15 serving

# Refused, each with nothing run.
status() { curl -s -o /dev/null -w '%{http_code}' --max-time 5 "$@"; }
command_url="http://127.0.0.1:$port/api/v1/command"
play_body='{"command":"PLAY"}'
before=$(plays)
e2e_check "a foreign Host is refused (421)" test "$(status -H 'Host: evil.example:'"$port" -H "Authorization: Bearer $token" \
  -H 'Content-Type: application/json' -d "$play_body" "$command_url")" = 421
e2e_check "a forged Origin is refused (403)" test "$(status -H "$host" -H 'Origin: http://evil.example' \
  -H "Authorization: Bearer $token" -H 'Content-Type: application/json' -d "$play_body" "$command_url")" = 403
e2e_check "no token is refused (401)" test "$(status -H "$host" -H 'Content-Type: application/json' \
  -d "$play_body" "$command_url")" = 401
e2e_check "a form's content type is refused (415)" test "$(status -H "$host" -H "Authorization: Bearer $token" \
  -H 'Content-Type: application/x-www-form-urlencoded' -d "$play_body" "$command_url")" = 415
sleep 1
e2e_check "and nothing of them ran" test "$(plays)" = "$before"

# Paired as a user pairs a phone: the setup dialog's Phone page, "Pair a
# phone...", and the QR code it shows, read off the screen.
dialog_is() { [ "$(e2e_post 'Setup IR device' --query | cut -d' ' -f1)" = "$1" ]; }
e2e_click "$WIN" 33 176
e2e_eventually 10 "dialog_is visible" && sleep 0.5
e2e_check "the dialog's Phone page says the address a phone opens" \
  e2e_eventually 5 "e2e_dialog_page Phone && e2e_post 'Setup IR device' --texts | grep -qxF 'http://127.0.0.1:$port'"
e2e_client_shot 'Setup IR device' "$ZAV_ROOT/out/dialog-phone.png"
e2e_dialog_click pair
pair_is() { [ "$(e2e_post 'Pair a phone' --query | cut -d' ' -f1)" = "$1" ]; }
e2e_check '"Pair a phone..." opens the "Pair a phone" window' e2e_eventually 10 "pair_is visible"
sleep 0.5
e2e_client_shot 'Pair a phone' "$E2E_TMP/pair.png"
cp "$E2E_TMP/pair.png" "$ZAV_ROOT/out/pair-a-phone.png"
link=$(zbarimg --raw -q "$E2E_TMP/pair.png" 2>/dev/null | tr -d '\r' | head -1)
e2e_check "its QR code holds the pairing address (${link:-none read})" \
  grep -qxE "http://127\.0\.0\.1:$port/pair#[0-9]{6}" <<<"$link"
code=${link##*#}
pair_texts=$(e2e_post 'Pair a phone' --texts)
e2e_check "the window says that address" grep -qxF "$link" <<<"$pair_texts"
e2e_check "and the code (Code: ${code:0:3} ${code:3})" grep -qxF "Code: ${code:0:3} ${code:3}" <<<"$pair_texts"
e2e_check "valid for 2 minutes" grep -qx "Valid for 2 minutes" <<<"$pair_texts"
node "$web/phone.js" "$link" "$E2E_TMP" >"$E2E_TMP/phone.log" 2>&1 &
PHONE=$!
E2E_PIDS+=("$PHONE")
phone_at() { grep -qx "step $1" "$E2E_TMP/phone.log"; }
e2e_eventually 60 "phone_at paired"
e2e_check "the window says which phone paired" \
  e2e_eventually 10 "e2e_post 'Pair a phone' --texts | grep -qx 'Paired: Android phone'"
e2e_click_client 'Pair a phone' 338 398
e2e_check "its Close closes it" e2e_eventually 10 "pair_is hidden"
pair_status() {
  status -H "$host" -H 'Content-Type: application/json' -d "{\"code\":\"$code\"}" "http://127.0.0.1:$port/api/v1/pair"
}
e2e_check "and its code works no more (429)" test "$(pair_status)" = 429
e2e_check "the dialog lists the phone" \
  e2e_eventually 5 "e2e_post 'Setup IR device' --texts | grep -qx 'Paired phones: 2'"
e2e_dialog_click ok
e2e_eventually 10 "dialog_is hidden"
e2e_check "the file keeps it as the hash of its token" \
  test "$(tr -d '\r' <"$E2E_TMP/app/ir_zav.ini" | grep -cE '^[0-9a-f]{64}=[0-9]{4}-[0-9]{2}-[0-9]{2} ')" = 2

# The page as a phone.
e2e_eventually 60 "phone_at played"
e2e_check "a tap on PLAY plays the stand-in once" e2e_eventually 5 "[ \$(plays) -eq $((before + 1)) ]"
sleep 1
e2e_check "and only once" test "$(plays)" = "$((before + 1))"
touch "$E2E_TMP/played"
e2e_eventually 30 "phone_at ended"
e2e_end_program
touch "$E2E_TMP/ended"
e2e_eventually 30 "phone_at restarted"
# Started again with the settings file as it left it: the phone paired.
e2e_run_program ""
WIN=$(e2e_wait_window "ZAV Amp - 01" 30)
touch "$E2E_TMP/restarted"
e2e_eventually 60 "phone_at forgotten"

# A flood and junk, then a paired request and the program's own key.
e2e_eventually 15 serving
for i in $(seq 1 200); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port" && printf 'GET / HTTP/1.1\r\nHost: ' >&3 && sleep 20) 2>/dev/null &
done
for i in $(seq 1 20); do
  head -c 2000 /dev/urandom | timeout 2 bash -c "cat >/dev/tcp/127.0.0.1/$port" 2>/dev/null
done
before=$(plays)
e2e_check "a paired request is served through the flood" test "$(status -H "$host" -H "Authorization: Bearer $token" \
  -H 'Content-Type: application/json' -d "$play_body" "$command_url")" = 204
e2e_check "and it plays" e2e_eventually 5 "[ \$(plays) -eq $((before + 1)) ]"
e2e_click "$WIN" 32 198
e2e_check "the remote's own PLAY key still plays" e2e_eventually 5 "[ \$(plays) -eq $((before + 2)) ]"

# Every phone forgotten in the setup dialog: refused from then on.
e2e_click "$WIN" 33 176
e2e_eventually 10 "dialog_is visible" && sleep 0.5
e2e_dialog_click forgetPhones
e2e_check '"Forget phones" forgets them all at once' \
  e2e_eventually 5 "e2e_post 'Setup IR device' --texts | grep -qx 'Paired phones: 0'"
e2e_check "a request with a forgotten token is refused (401)" test "$(status -H "$host" \
  -H "Authorization: Bearer $token" -H 'Content-Type: application/json' -d "$play_body" "$command_url")" = 401
e2e_dialog_click ok
e2e_eventually 10 "dialog_is hidden"
touch "$E2E_TMP/forgotten"
e2e_eventually 60 "! kill -0 $PHONE 2>/dev/null"
while read -r verdict what; do
  e2e_check "$what" test "$verdict" = ok
done < <(grep -E '^(ok|FAIL) ' "$E2E_TMP/phone.log")
grep -q '^ok forgotten' "$E2E_TMP/phone.log" || { echo "-- the phone said:"; tail -n 20 "$E2E_TMP/phone.log"; }
e2e_check "no phone is left in the file" bash -c "! tr -d '\r' <'$E2E_TMP/app/ir_zav.ini' | grep -qE '^[0-9a-f]{64}='"
e2e_check "no box opened" test ! -s "$boxes"
e2e_close_key_ends
e2e_summary
