#!/usr/bin/env bash
# End-to-end tests of the day's route: the real program under Wine, through
# tools/press-button, adds contacts of the stand-in host to the route from
# the Map menu and works the Route window; the URLs the browser receives,
# the message boxes and the stored route are checked. Each case's expected
# lines are in route/CASE.expected. Directions from the start address to
# one contact: directions.sh.
#   route.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
# Wine's shell breaks on command lines of about 1,000 characters, so every
# URL here stays well below that.
set -euo pipefail
BRIVANE_TOOL=route
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

start='1 Office Park, Springfield'
contact=(--street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France)

# What the user sees, and what stays stored of the route and the start;
# the main window's place and box, which every close saves, left out.
seen_lines() {
  lines_of 'msgbox|url|stop|route|setting|timeout' | grep -Ev $'^setting\t(Close|Left|Top|Country|Zoom)\t' || true
}

# ---- the day's route ----------------------------------------------------------------------------

# Three contacts collected from the Map menu; the main window stays open.
# Opened, reordered, as a round trip, in each mode.
expect_picked three-stops "three stops from the start: reordered, round trip, each mode" seen_lines \
  --start-address "$start" \
  --route-add '12 Allée des Hérons|Montvérac||99120|France' \
  --route-add '5 Quay Street|Harbourtown|||' \
  --route-add $'Flat 2\r\n7 Duck Row|Fredonia|NY|14063|United States' \
  --route 'open; select 3; up; up; open; back on; open; mode walking; open; mode bicycling; open; select 2; down; close'

expect_picked without-start "no start address: the map starts where the user is; a round trip needs one" seen_lines \
  --route-add '5 Quay Street|Harbourtown|||' --route-add '7 Duck Row|Fredonia|||' \
  --route 'open; back on; open; start Home; open; start ; back off; select 1; remove; open'

# Hostile text: quotes, #, %NAME%, &, |, ~, line breaks and letters outside
# the BMP cannot add or end a parameter or a stop (a stop stored with a |
# in it, as the harness cannot type one into a field).
expect_picked hostile "addresses cannot add or end a parameter or a stop" seen_lines \
  --start-address $'Flat "B" #4 & x=1?\r\n%USERNAME%' \
  --route-setting Count=1 --route-setting 'Stop1=1 | 2 & waypoints=3' \
  --route-add 'Street "Q"#|Łódź 𠮷|~ ;|%20|x&destination=y' \
  --route 'open; back on; open'

# The limit: nine stops on the way. Eleven stored stops are refused
# (none dropped), ten open; a round trip of ten is refused again.
eleven=(--route-setting Count=11)
for i in $(seq 11); do eleven+=(--route-setting "Stop$i=Stop $i"); done
expect_picked limit "more than nine stops on the way: the message naming the limit, nothing dropped" seen_lines \
  "${eleven[@]}" --route 'open; select 11; remove; open; back on; start Home; open; close'

expect_picked empty "an empty route, and Clear asked first" seen_lines \
  --route-setting Count=2 --route-setting Stop1=A --route-setting Stop2=B \
  --answer NO --route 'clear; clear; open'

# ---- kept between runs --------------------------------------------------------------------------

# Added, then the window closed by a press; the next start shows the same
# route from what the first run stored.
if run --route-add '5 Quay Street|Harbourtown|||' --route-add '7 Duck Row|Fredonia|||' \
  --setting 'MapURL=https://www.openstreetmap.org/search?query={address}' "${contact[@]}" --press; then
  stored=()
  while IFS=$'\t' read -r _ key value; do stored+=(--route-setting "$key=$value"); done < <(lines_of route)
  expect_picked kept "the route stays after the program closed and started again" seen_lines \
    "${stored[@]}" --route ''
else
  fail "the route stays after the program closed and started again" "$out"
fi

expect_picked damaged "a damaged stored route loses only its damaged entries" seen_lines \
  --route-setting Count=many --route-setting Stop1=A --route-setting 'Stop3=   ' \
  --route-setting $'Stop4=B\r\nC' --route-setting BackToStart=yes --route-setting TravelMode=flying \
  --route 'open; select 2; up'

e2e_summary
