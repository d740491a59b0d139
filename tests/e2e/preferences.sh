#!/usr/bin/env bash
# End-to-end tests of the Preferences window: the real program under
# Wine fills it in through tools/press-button (OK or Cancel), then presses
# its button; the URL the browser receives and the stored settings show
# what was kept. Each case's expected lines are in preferences/CASE.expected.
#   preferences.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=preferences
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

mapquest=http://www.mapquest.com/maps/map.adp?
yahoo=http://maps.yahoo.com/py/maps.py?

# What the window showed, the URL and the settings it stores, without the
# main window's place and box, which every close saves.
prefs_lines() { lines_of 'prefs|url|setting' | grep -Ev $'^setting\t(Close|Left|Top)\t' || true; }
# The URL and the stored map page alone.
map_page_lines() { lines_of 'url|setting' | grep -Ev $'^setting\t(Close|Left|Top|Country|Zoom)\t' || true; }

expect_picked ok-stores "OK stores the three as typed, blanks kept; the press uses them" prefs_lines \
  --prefs "$yahoo, Belgique ,3" --street '1 Rue Haute' --city Bruxelles --zip 1000 --press

expect_shown cancel "Cancel stores nothing; the press uses the default site and zoom" 'url|setting' \
  --prefs-cancel "$yahoo,Belgique,3" --street '1 Main Street' --city Springfield --country 'United States' --press

expect_picked stored-values "stored values show; a zoom beyond the slider shows at its end; commas stay in the URL" \
  prefs_lines --setting 'MapURL=http://maps.example.org/v?a=1,2' --setting Country=Canada --setting Zoom=15 \
  --prefs 'http://maps.example.org/v?a=1,2,,10'

expect_shown empty-texts "empty stored texts show the defaults" prefs \
  --setting MapURL= --setting Country= --prefs-cancel ',,1'

# ---- the list of map pages ---------------------------------------------------------------

# Each preset, chosen in the real drop-down box, is stored as its template
# and gives the contact's address encoded as that template wants it. OK
# stores the other two fields as they showed (the defaults) beside it.
while IFS='|' read -r case preset; do
  expect_picked "preset-$case" "preset \"$preset\" is stored and opens the contact's address" prefs_lines \
    --prefs-site "$preset" --street '3 Wheelwright Lane' --city 'Lower Bramblecombe' --zip 'ZZ1 4QX' \
    --country 'United Kingdom' --press
done <<'EOF'
openstreetmap|OpenStreetMap
google-maps|Google Maps
google-maps-directions|Google Maps: directions from where you are
bing-maps|Bing Maps
apple-maps|Apple Maps
EOF

expect_picked built-in-default "the built-in default chosen from the list stores it and gives the legacy URL" \
  prefs_lines --setting 'MapURL=https://maps.example.org/?q={address}' --prefs-site 'MapQuest (built-in default)' \
  --street '1 Main Street' --city Springfield --country 'United States' --press

expect_picked typed-template "a template typed into the drop-down box is stored as typed" map_page_lines \
  --prefs ' https://maps.example.org/?q={City} ,US,8' --city 'Lower Bramblecombe' --press

e2e_summary
