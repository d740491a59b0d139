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

e2e_summary
