#!/usr/bin/env bash
# End-to-end tests of the map request: the real program under Wine
# presses its button against the registered stand-in host, and the URL is
# checked exactly as the browser received it (the raw command line of the
# URL recorder that tools/press-button registers for http and https).
# Each case's expected lines are in map_request/CASE.expected.
#   map_request.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
# Wine's shell breaks on command lines of about 1,000 characters, so every
# URL here stays well below that; longer ones are the builder's unit tests.
set -euo pipefail
BRIVANE_TOOL=map_request
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

mapquest=http://www.mapquest.com/maps/map.adp?
yahoo=http://maps.yahoo.com/py/maps.py?

# ---- the two parameter sets ------------------------------------------------------------

# A second press finds no window: the unticked box closed it after the first.
expect_shown mapquest-accents "mapquest: accents folded, country coded; the press closes the window" url \
  --press 2 --street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France

# What the host receives for them: the contact view made with the 16-bit 1,
# each of the five fields read by its 16-bit id.
expect_shown host-calls "the contact view made with a 16-bit 1, the five fields read by 16-bit ids" \
  $'call\t(views\tCreate|contact view\tGetField)' \
  --street '1 Main Street' --city Springfield --country France --press --host-log

expect_shown yahoo-uk "yahoo: postal code for a UK address, spaces as +" url \
  --setting "MapURL=$yahoo" \
  --street '3 Wheelwright Lane' --city 'Lower Bramblecombe' --zip 'ZZ1 4QX' --country 'United Kingdom' --press

expect_shown yahoo-elsewhere "yahoo: city and state elsewhere, the street keeps its accents, stored zoom" url \
  --setting "MapURL=$yahoo" --setting Zoom=4 \
  --street 'Am Rübenfeld 3' --city Fabelstadt --state Bayern --zip 99999 --country Germany --press

expect_shown other-site "a map page without a site keyword is opened as stored" url \
  --setting 'MapURL=https://maps.example.org/view?from=brivane' \
  --street '1 Main Street' --city Springfield --country 'United States' --press

printf '[Countries]\nFreedonia=fd\n' >"$work/Countries_mapquest.txt"
expect_shown countries-file "another countries file for the site: its code, as written" url \
  --countries "mapquest=$work/Countries_mapquest.txt" \
  --street '7 Duck Row' --city Fredonia --country Freedonia --press

# Short names are often off on data volumes: the file is read by its own
# name, whatever the program's folder is called.
expect_shown far-folder "a program folder named in letters outside the code page finds its countries file" url \
  --program-folder 'Karten Карты Χάρτες 地图 & #1 (Ω)' \
  --street 'Am Rübenfeld 3' --city Fabelstadt --zip 99999 --country Germany --press

# ---- templates -----------------------------------------------------------------------------

expect_shown template "a template gets each placeholder UTF-8 percent-encoded and no parameter set" url \
  --setting 'MapURL=https://maps.example.org/?s={street}&c={CITY}&z={zip}&co={country}&zoom={Zoom}&mq=mapquest' \
  --setting Zoom=3 --street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France --press

# Raw, these would add or end a parameter, break out of the browser's
# quoted argument, or be replaced by the user's name on the way.
expect_shown template-hostile "template values: quotes, #, &, =, ?, %NAME%, line breaks and far letters cannot change the query" url \
  --setting 'MapURL=https://maps.example.org/search?q={address}#map' --setting Country=Belgique \
  --street $' Flat "B" #4 & x=1?\r\nBack door ' --city '%USERNAME%' --state 'Łódź 𠮷' --press

expect_shown legacy-braces "a legacy map URL with text in braces keeps its parameter set" url \
  --setting "MapURL=${mapquest}{x}" --street '1 Main Street' --city Springfield --country 'United States' --press

# ---- the box ticked: the window stays ---------------------------------------------------

expect box-ticked "box ticked: two presses, two whole URLs, the window stays until closed" \
  --setting Close=1 --street '5 Quay Street' --city Harbourtown --zip 1234 --country France --press 2

# ---- text that must reach the browser intact ----------------------------------------------

expect_shown far-letters "letters outside the Western code page arrive intact" url \
  --street 'ul. Świętokrzyska 5 / Dlouhá 7 / Οδός Ερμού 12 / 北京市朝阳区 𠮷' \
  --city Łódź --state Śląskie --zip 90-001 --country Poland --press

# Raw, these would break out of the browser's quoted argument, cut the
# query, or be replaced by the user's name on the way.
expect_shown quotes-encoded "quotes, #, %NAME% and line breaks are encoded, never expanded" url \
  --street $'Flat "B" #4\r\nBack door' --city '%USERNAME%' --state $'100% \non' --press

e2e_summary
