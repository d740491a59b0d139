#!/usr/bin/env bash
# End-to-end tests of Send to phone and the clipboard: the real program
# under Wine, through tools/press-button, shows the QR code of a map from
# the Map menu and from the Route window; a real QR decoder (zbarimg) reads
# the code back from a picture of the window, and it must hold exactly the
# URL the browser receives from a press. Copy address and Copy map link are
# read back from the clipboard of the program's Wine session. Each case's
# expected lines are in send_to_phone/CASE.expected.
#   send_to_phone.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
# Wine's shell breaks on command lines of about 1,000 characters, so every
# URL opened here stays well below that.
set -euo pipefail
BRIVANE_TOOL=send_to_phone
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

command -v zbarimg >/dev/null || brivane_die "zbarimg is missing: install zbar-tools (tools/test as root does)"

start='1 Office Park, Springfield'
contact=(--street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France)
osm='MapURL=https://www.openstreetmap.org/search?query={address}'
google_from='MapURL=https://www.google.com/maps/dir/?api=1&origin={from}&destination={address}'
picture=$work/code.png

# What the user sees: message boxes, the window, the clipboard, the URLs.
seen_lines() { lines_of 'msgbox|phone|clipboard|url|stop|timeout'; }

# The URL of the run's last url line, as the browser received it.
_last_url() { lines_of url | tail -n 1 | cut -f 2-; }

# expect_code CASE NAME OPTIONS...: one run that saves the window's picture
# in $picture and then opens the map; its lines are CASE's expected ones,
# and the code in the picture reads back as exactly the URL the browser
# received.
expect_code() {
  local case=$1 name=$2 decoded
  shift 2
  rm -f "$picture"
  if ! run "$@"; then
    fail "$name" "$out"
    return
  fi
  check_expected "$case" "$name" "$(seen_lines)"
  if [[ ! -f $picture ]]; then
    fail "$name: the code reads back as the URL" "no picture was saved"
    return
  fi
  decoded=$(zbarimg --quiet --raw "$picture" 2>"$work/zbarimg.log") || decoded="zbarimg found no code: $(<"$work/zbarimg.log")"
  check "$name: the code reads back as the URL" "$(_last_url)" "$decoded"
}

# expect_refused CASE NAME OPTIONS...: the run's lines are CASE's expected
# ones (a message box), and no window showed to be pictured.
expect_refused() {
  local case=$1 name=$2
  shift 2
  rm -f "$picture"
  if run "$@"; then
    [[ ! -f $picture ]] || out+=$'\n(a picture of the window was saved)'
    check_expected "$case" "$name" "$(seen_lines)"
  else
    fail "$name" "$out"
  fi
}

# ---- the code is the URL a press opens, at 96 and 144 dpi ----------------------------------------

stops=(--route-setting Count=10)
for i in $(seq 10); do stops+=(--route-setting "Stop$i=$i Duck Row, Fredonia"); done

for dpi in 96 144; do
  expect_code "default-$dpi" "the default map page at $dpi dpi" \
    --dpi "$dpi" "${contact[@]}" --send-to-phone "$picture" --press
  expect_code "hostile-$dpi" "a template, letters outside the BMP and hostile text at $dpi dpi" \
    --dpi "$dpi" --setting "$osm" --street 'Street "Q"#1 & %USERNAME% 𠮷' --city $'Łódź\r\n~ ;|%20' \
    --state 'x&query=y' --country 'Ελλάδα' --send-to-phone "$picture" --press
  expect_code "from-$dpi" "directions from the start address at $dpi dpi" \
    --dpi "$dpi" --setting "$google_from" --start-address "$start" "${contact[@]}" \
    --send-to-phone "$picture" --press
  expect_code "route-$dpi" "a route of nine waypoints from the Route window at $dpi dpi" \
    --dpi "$dpi" --start-address "$start" "${stops[@]}" --route "phone $picture; open"
done

# ---- refusals: their message boxes, and no window ---------------------------------------------

expect_refused no-address "a contact without an address: the press's message, no window" \
  --setting "$osm" --street ' ' --state $'\r\n' --send-to-phone "$picture"
expect_refused no-start "directions without a start address: the press's message, no window" \
  --setting "$google_from" "${contact[@]}" --send-to-phone "$picture"
# 1,000 letters of two bytes, each percent-encoded: 6,000 bytes and more.
expect_refused too-long "a URL too long for any QR code: a message, no window" \
  --setting "$osm" --street "$(printf 'é%.0s' $(seq 1000))" --send-to-phone "$picture"
eleven=(--route-setting Count=11)
for i in $(seq 11); do eleven+=(--route-setting "Stop$i=Stop $i"); done
expect_refused route-refused "a route the Route window refuses: its message, no window" \
  --start-address "$start" "${eleven[@]}" --route "phone $picture; select 11; remove; back on; start ; phone $picture"

# ---- the clipboard ----------------------------------------------------------------------------

expect_picked copy "Copy address and Copy map link: Unicode kept whole, the link a press opens" seen_lines \
  --setting "$osm" --street $'Flat 2\r\n7 Duck Row 𠮷' --city 'Łódź' --country 'Ελλάδα' \
  --copy address --copy link --press
if [[ -z $(_last_url) || $(lines_of clipboard | tail -n 1 | cut -f 2-) != "$(_last_url)" ]]; then
  fail "the copied link is the URL the press opened" "$out"
else
  pass "the copied link is the URL the press opened"
fi

expect_picked copy-route "the Route window's Copy link: the route's URL, refused as Open is" seen_lines \
  --start-address "$start" --route-setting Count=2 --route-setting 'Stop1=12 Allée des Hérons, Montvérac' \
  --route-setting 'Stop2=5 Quay Street, 𠮷 Harbourtown' --route 'copy; open; back on; start ; copy'

expect_picked copy-no-address "nothing to copy for a contact without an address: the press's message" seen_lines \
  --setting "$osm" --street ' ' --copy address --copy link

e2e_summary
