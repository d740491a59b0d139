#!/usr/bin/env bash
# End-to-end tests of the map request: the real program under Wine
# presses its button against the registered stand-in host, and the URL is
# checked exactly as the browser received it (the raw command line of the
# URL recorder that tools/press-button registers for http and https).
#   map_request.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
# Wine's shell breaks on command lines of about 1,000 characters, so every
# URL here stays well below that; longer ones are the builder's unit tests.
set -euo pipefail
BRIVANE_TOOL=map_request
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

url() { printf 'url\t%s' "$1"; }

mapquest=http://www.mapquest.com/maps/map.adp?
yahoo=http://maps.yahoo.com/py/maps.py?

# ---- the two parameter sets ------------------------------------------------------------

# A second press finds no window: the unticked box closed it after the first.
expect_shown "mapquest: accents folded, country coded; the press closes the window" url \
  "$(url "${mapquest}size=big&address=12 Allee des Herons&city=Montverac&state=&zip=99120&country=FR&zoom=8")" \
  --press 2 --street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France

# What the host receives for them: the contact view made with the 16-bit 1,
# each of the five fields read by its 16-bit id.
name="the contact view made with a 16-bit 1, the five fields read by 16-bit ids"
if run --street '1 Main Street' --city Springfield --country France --press --host-log; then
  check "$name" "$(lines $'call\tviews\tCreate\tI2:1\tText:CV\t=> Object:contact view' \
    $'call\tcontact view\tGetField\tI2:27\t=> Text:1 Main Street' \
    $'call\tcontact view\tGetField\tI2:30\t=> Text:Springfield' \
    $'call\tcontact view\tGetField\tI2:31\t=> Text:' $'call\tcontact view\tGetField\tI2:32\t=> Text:' \
    $'call\tcontact view\tGetField\tI2:33\t=> Text:France')" \
    "$(grep -E $'^call\t(views\tCreate|contact view\tGetField)\t' <<<"$out" || true)"
else
  fail "$name" "$out"
fi

expect_shown "yahoo: postal code for a UK address, spaces as +" url \
  "$(url "${yahoo}addr=3 Wheelwright Lane&country=UK&csz=ZZ1+4QX&newmag=8")" \
  --setting "MapURL=$yahoo" \
  --street '3 Wheelwright Lane' --city 'Lower Bramblecombe' --zip 'ZZ1 4QX' --country 'United Kingdom' --press

expect_shown "yahoo: city and state elsewhere, the street keeps its accents, stored zoom" url \
  "$(url "${yahoo}addr=Am Rübenfeld 3&country=DE&csz=Fabelstadt,Bayern&newmag=4")" \
  --setting "MapURL=$yahoo" --setting Zoom=4 \
  --street 'Am Rübenfeld 3' --city Fabelstadt --state Bayern --zip 99999 --country Germany --press

expect_shown "a map page without a site keyword is opened as stored" url \
  "$(url 'https://maps.example.org/view?from=brivane')" \
  --setting 'MapURL=https://maps.example.org/view?from=brivane' \
  --street '1 Main Street' --city Springfield --country 'United States' --press

printf '[Countries]\nFreedonia=fd\n' >"$work/Countries_mapquest.txt"
expect_shown "another countries file for the site: its code, as written" url \
  "$(url "${mapquest}size=big&address=7 Duck Row&city=Fredonia&state=&zip=&country=fd&zoom=8")" \
  --countries "mapquest=$work/Countries_mapquest.txt" \
  --street '7 Duck Row' --city Fredonia --country Freedonia --press

# ---- templates -----------------------------------------------------------------------------

expect_shown "a template gets each placeholder UTF-8 percent-encoded and no parameter set" url \
  "$(url 'https://maps.example.org/?s=12%20All%C3%A9e%20des%20H%C3%A9rons&c=Montv%C3%A9rac&z=99120&co=France&zoom=3&mq=mapquest')" \
  --setting 'MapURL=https://maps.example.org/?s={street}&c={CITY}&z={zip}&co={country}&zoom={Zoom}&mq=mapquest' \
  --setting Zoom=3 --street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France --press

# Raw, these would add or end a parameter, break out of the browser's
# quoted argument, or be replaced by the user's name on the way.
expect_shown "template values: quotes, #, &, =, ?, %NAME%, line breaks and far letters cannot change the query" url \
  "$(url 'https://maps.example.org/search?q=Flat%20%22B%22%20%234%20%26%20x%3D1%3F%2C%20Back%20door%2C%20%25USERNAME%25%2C%20%C5%81%C3%B3d%C5%BA%20%F0%A0%AE%B7%2C%20Belgique#map')" \
  --setting 'MapURL=https://maps.example.org/search?q={address}#map' --setting Country=Belgique \
  --street $' Flat "B" #4 & x=1?\r\nBack door ' --city '%USERNAME%' --state 'Łódź 𠮷' --press

expect_shown "a legacy map URL with text in braces keeps its parameter set" url \
  "$(url "${mapquest}{x}size=big&address=1 Main Street&city=Springfield&state=&zip=&country=US&zoom=8")" \
  --setting "MapURL=${mapquest}{x}" --street '1 Main Street' --city Springfield --country 'United States' --press

# ---- the box ticked: the window stays ---------------------------------------------------

name="box ticked: two presses, two whole URLs, the window stays until closed"
first="${mapquest}size=big&address=5 Quay Street&city=Harbourtown&state=&zip=1234&country=FR&zoom=8"
if run --setting Close=1 --street '5 Quay Street' --city Harbourtown --zip 1234 --country France --press 2; then
  check "$name" "$(lines $'window\t7,7,233,140\ttopmost' "$(url "$first")" "$(url "$first")" \
    $'setting\tClose\t1' $'setting\tLeft\t105' $'setting\tTop\t105')" "$out"
else
  fail "$name" "$out"
fi

# ---- text that must reach the browser intact ----------------------------------------------

expect_shown "letters outside the Western code page arrive intact" url \
  "$(url "${mapquest}size=big&address=ul. Świętokrzyska 5 / Dlouhá 7 / Οδός Ερμού 12 / 北京市朝阳区 𠮷&city=Łódź&state=Śląskie&zip=90-001&country=PL&zoom=8")" \
  --street 'ul. Świętokrzyska 5 / Dlouhá 7 / Οδός Ερμού 12 / 北京市朝阳区 𠮷' \
  --city Łódź --state Śląskie --zip 90-001 --country Poland --press

# Raw, these would break out of the browser's quoted argument, cut the
# query, or be replaced by the user's name on the way.
expect_shown "quotes, #, %NAME% and line breaks are encoded, never expanded" url \
  "$(url "${mapquest}size=big&address=Flat %22B%22 %234%0D%0ABack door&city=%25USERNAME%25&state=100%25 %0Aon&zip=&country=US&zoom=8")" \
  --street $'Flat "B" #4\r\nBack door' --city '%USERNAME%' --state $'100% \non' --press

e2e_summary
