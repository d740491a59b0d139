#!/usr/bin/env bash
# End-to-end tests of the Preferences window: the real program under
# Wine fills it in through tools/press-button (OK or Cancel), then presses
# its button; the URL the browser receives and the stored settings show
# what was kept.
#   preferences.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=preferences
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"


mapquest=http://www.mapquest.com/maps/map.adp?
yahoo=http://maps.yahoo.com/py/maps.py?

name="OK stores the three as typed, blanks kept; the press uses them"
if run --prefs "$yahoo, Belgique ,3" --street '1 Rue Haute' --city Bruxelles --zip 1000 --press; then
  check "$name" "$(printf '%s\n' \
    $'prefs\t'"$mapquest"$'\tUS\t8' \
    $'url\t'"${yahoo}addr=1 Rue Haute&country=BE&csz=Bruxelles&newmag=3" \
    $'setting\tCountry\t Belgique ' $'setting\tMapURL\t'"$yahoo" $'setting\tZoom\t3')" \
    "$(lines_of 'prefs|url|setting' | grep -Ev $'^setting\t(Close|Left|Top)\t')"
else
  fail "$name" "$out"
fi

name="Cancel stores nothing; the press uses the default site and zoom"
if run --prefs-cancel "$yahoo,Belgique,3" --street '1 Main Street' --city Springfield --country 'United States' --press; then
  check "$name" "$(printf '%s\n' \
    $'url\t'"${mapquest}size=big&address=1 Main Street&city=Springfield&state=&zip=&country=US&zoom=8" \
    $'setting\tClose\t0' $'setting\tLeft\t105' $'setting\tTop\t105')" \
    "$(lines_of 'url|setting')"
else
  fail "$name" "$out"
fi

name="stored values show; a zoom beyond the slider shows at its end; commas stay in the URL"
if run --setting 'MapURL=http://maps.example.org/v?a=1,2' --setting Country=Canada --setting Zoom=15 \
  --prefs 'http://maps.example.org/v?a=1,2,,10'; then
  check "$name" "$(printf '%s\n' \
    $'prefs\thttp://maps.example.org/v?a=1,2\tCanada\t10' \
    $'setting\tCountry\t' $'setting\tMapURL\thttp://maps.example.org/v?a=1,2' $'setting\tZoom\t10')" \
    "$(lines_of 'prefs|setting' | grep -Ev $'^setting\t(Close|Left|Top)\t')"
else
  fail "$name" "$out"
fi

name="empty stored texts show the defaults"
if run --setting MapURL= --setting Country= --prefs-cancel ',,1'; then
  check "$name" $'prefs\t'"$mapquest"$'\tUS\t8' "$(lines_of prefs)"
else
  fail "$name" "$out"
fi

# ---- the list of map pages ---------------------------------------------------------------

# Each preset, chosen in the real drop-down box, is stored as its template
# and gives the contact's address encoded as that template wants it. OK
# stores the other two fields as they showed (the defaults) beside it.
address='3%20Wheelwright%20Lane%2C%20Lower%20Bramblecombe%2C%20ZZ1%204QX%2C%20United%20Kingdom'
while IFS='|' read -r preset template; do
  name="preset \"$preset\" is stored and opens the contact's address"
  if run --prefs-site "$preset" --street '3 Wheelwright Lane' --city 'Lower Bramblecombe' --zip 'ZZ1 4QX' \
    --country 'United Kingdom' --press; then
    check "$name" "$(printf '%s\n' $'url\t'"${template//'{address}'/$address}" $'setting\tCountry\tUS' \
      $'setting\tMapURL\t'"$template" $'setting\tZoom\t8')" \
      "$(lines_of 'url|setting' | grep -Ev $'^setting\t(Close|Left|Top)\t')"
  else
    fail "$name" "$out"
  fi
done <<'EOF'
OpenStreetMap|https://www.openstreetmap.org/search?query={address}
Google Maps|https://www.google.com/maps/search/?api=1&query={address}
Google Maps: directions from where you are|https://www.google.com/maps/dir/?api=1&destination={address}
Bing Maps|https://www.bing.com/maps?where1={address}
Apple Maps|https://maps.apple.com/?q={address}
EOF

name="the built-in default chosen from the list stores it and gives the legacy URL"
if run --setting 'MapURL=https://maps.example.org/?q={address}' --prefs-site 'MapQuest (built-in default)' \
  --street '1 Main Street' --city Springfield --country 'United States' --press; then
  check "$name" "$(printf '%s\n' \
    $'url\t'"${mapquest}size=big&address=1 Main Street&city=Springfield&state=&zip=&country=US&zoom=8" \
    $'setting\tCountry\tUS' $'setting\tMapURL\t'"$mapquest" $'setting\tZoom\t8')" \
    "$(lines_of 'url|setting' | grep -Ev $'^setting\t(Close|Left|Top)\t')"
else
  fail "$name" "$out"
fi

name="a template typed into the drop-down box is stored as typed"
if run --prefs ' https://maps.example.org/?q={City} ,US,8' --city 'Lower Bramblecombe' --press; then
  check "$name" "$(printf '%s\n' $'url\thttps://maps.example.org/?q=Lower%20Bramblecombe' \
    $'setting\tMapURL\t https://maps.example.org/?q={City} ')" \
    "$(lines_of 'url|setting' | grep -Ev $'^setting\t(Close|Left|Top|Country|Zoom)\t')"
else
  fail "$name" "$out"
fi

e2e_summary
