#!/usr/bin/env bash
# End-to-end tests of directions from the start address and of a contact
# without an address: the real program under Wine, through
# tools/press-button, presses with the directions presets and adds a
# contact to the route; the URLs the browser receives, the message boxes
# and the stored settings are checked. Each case's expected lines are in
# directions/CASE.expected. The route itself: route.sh.
#   directions.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
# Wine's shell breaks on command lines of about 1,000 characters, so every
# URL here stays well below that.
set -euo pipefail
BRIVANE_TOOL=directions
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

start='1 Office Park, Springfield'
contact=(--street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France)

# What the user sees, and what stays stored of the route and the start;
# the main window's place and box, which every close saves, left out.
seen_lines() {
  lines_of 'msgbox|url|stop|route|setting|timeout' | grep -Ev $'^setting\t(Close|Left|Top|Country|Zoom)\t' || true
}

# ---- directions from the start address --------------------------------------------------

while IFS='|' read -r case preset; do
  expect_picked "$case" "\"$preset\" with a start address: from there to the contact" seen_lines \
    --prefs-site "$preset" --start-address " $start " "${contact[@]}" --press
done <<'EOF'
google-start|Google Maps: directions from your start address
bing-start|Bing Maps: directions from your start address
apple-start|Apple Maps: directions from your start address
EOF

# Without a start address the press opens nothing and says where to set
# it; the window stays although its box is unticked (closed by the harness).
while IFS='|' read -r case template; do
  expect_picked "$case" "directions from the start address without one: the message, nothing opens" seen_lines \
    --setting "MapURL=$template" --start-address $' \r\n ' "${contact[@]}" --press
done <<'EOF'
google-no-start|https://www.google.com/maps/dir/?api=1&origin={from}&destination={address}
bing-no-start|https://www.bing.com/maps?rtp=adr.{from}~adr.{address}
apple-no-start|https://maps.apple.com/?saddr={from}&daddr={address}
EOF

# ---- a contact without an address ----------------------------------------------------------

expect_picked no-address "a contact without an address: a press and an add say so, nothing opens or is stored" \
  seen_lines --setting 'MapURL=https://www.openstreetmap.org/search?query={address}' \
  --street ' ' --state $'\r\n' --press --route-add '||| |'

e2e_summary
