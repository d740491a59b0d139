#!/usr/bin/env bash
# End-to-end tests of the Preferences window: the real win64 program under
# Wine fills it in through tools/press-button (OK or Cancel), then presses
# its button; the URL the browser receives and the stored settings show
# what was kept.
#   preferences.sh [WIN64_BUILD_DIR]   (default: the build root's win64)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=preferences
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/common.sh"
source "$BRIVANE_ROOT/tools/lib/xvfb.sh"
source "$BRIVANE_ROOT/tools/lib/wine.sh"
source "$BRIVANE_ROOT/tools/lib/build.sh"

press=$BRIVANE_ROOT/tools/press-button
build=${1:-$(brivane_build_dir win64)}
logs=$(brivane_build_root)/logs

if [[ ! -f $build/brivane.exe && -z ${1:-} ]]; then
  brivane_build win64 "$logs" || brivane_die "the win64 build failed"
fi
build=$(cd "$build" && pwd) || brivane_die "no build folder $build"

# tools/test hands over its display and Wine session (and names the build in
# BRIVANE_BUILD); alone, the tests get a display and session of their own.
if [[ -z ${BRIVANE_BUILD:-} || -z ${DISPLAY:-} || -z ${WINEPREFIX:-} ]]; then
  brivane_xvfb_start "$logs"
  brivane_wine_start "$build/wineprefix" "$logs"
fi

work=$(mktemp -d)
brivane_on_exit 'rm -rf "$work"'
passed=0
failed=0

# run OPTIONS...: one run of the program; its lines in $out.
run() {
  local rc=0
  out=$("$press" --session --build "$build" "$@" 2>"$work/stderr") || rc=$?
  if ((rc != 0)); then
    out="press-button failed (exit $rc): $(<"$work/stderr")"
    return 1
  fi
}

pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() {
  echo "FAIL $1"
  sed 's/^/     /' <<<"$2"
  failed=$((failed + 1))
}

# check NAME EXPECTED ACTUAL
check() {
  if [[ $3 == "$2" ]]; then
    pass "$1"
  else
    fail "$1" "$(diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") || true)"
  fi
}

# lines_of KINDS: the lines of $out of these kinds (a regular expression).
lines_of() { grep -E "^($1)"$'\t' <<<"$out" || true; }

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

echo "$passed passed, $failed failed"
((failed == 0))
