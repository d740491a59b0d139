#!/usr/bin/env bash
# End-to-end tests of the main window: the real program under Wine
# against the registered stand-in host, run through tools/press-button, with
# the exact lines of each run checked: the start-up refusals, the window's
# place and its fall-backs, what closing saves, the host's notifications.
#   main_window.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=main_window
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

# Lines as the harness prints them.
msgbox() { printf 'msgbox\tbrivane\t%s' "$1"; }
window() { printf 'window\t%s\ttopmost' "$1"; }
settings() { printf 'setting\tClose\t%s\nsetting\tLeft\t%s\nsetting\tTop\t%s' "$1" "$2" "$3"; }

# ---- refused starts: a message, and nothing saved ---------------------------------

expect "no database open: refused, stored settings untouched" \
  "$(lines "$(msgbox 'Please open an ACT database prior to running Brivane!')" \
    $'setting\tLeft\t1440')" \
  --host no-database --setting Left=1440

expect "host unreachable: the two-line message, nothing saved" \
  "$(lines "$(msgbox 'Unable to communicate with ACT!\rPlease run actreg.exe located in the ACT folder and try again')")" \
  --host unreachable

# Nothing is stored beforehand, so the settings afterwards come from the
# first copy's close.
expect "second copy refused while the first runs on and saves at its close" \
  "$(lines "$(window 7,7,233,140)" "$(msgbox 'An instance of this program is already open!')" \
    "$(settings 0 105 105)")" \
  --second-copy

# ---- the window's place --------------------------------------------------------------

expect "first start: 100 twips from the corner, closing saves the place and the box" \
  "$(lines "$(window 7,7,233,140)" "$(settings 0 105 105)")"

expect "stored place and ticked box come back and are saved again" \
  "$(lines "$(window 96,192,233,140)" "$(settings 1 1440 2880)")" \
  --setting Left=1440 --setting Top=2880 --setting Close=1

expect "a stored Left that is not a number falls back without a message" \
  "$(lines "$(window 7,7,233,140)" "$(settings 0 105 105)")" \
  --setting Left=abc

expect "each corrupt value falls back alone" \
  "$(lines "$(window 7,192,233,140)" "$(settings 0 105 2880)")" \
  --setting Close=3 --setting Left= --setting Top=2880

expect "a place off every monitor falls back to the default" \
  "$(lines "$(window 7,7,233,140)" "$(settings 0 105 105)")" \
  --setting Left=30000 --setting Top=1440

# ---- the host's notifications close the window -----------------------------------------

# Each is handled inside the host's raise: the acknowledgement (#2) comes
# between the raise's begin and its end. A is event 2, B event 14.
for event in A:2 B:14; do
  IFS=: read -r event id <<<"$event"
  name="host notification $event (event $id) is acknowledged inside its raise and closes the window, which saves"
  if ! run --event "$event" --host-log --setting Left=1440 --setting Top=2880 --setting Close=1; then
    fail "$name" "$out"
    continue
  fi
  shown=$(grep -Ev $'^(call|event)\t' <<<"$out" || true)
  expected=$(lines "$(window 96,192,233,140)" "$(settings 1 1440 2880)")
  raise=$(grep -E $'^(event\t|call\tevent control\t#2\t)' <<<"$out" || true)
  check "$name" "$(lines "$expected" $'event\t'"$id"$'\tbegin' $'call\tevent control\t#2\t=> Empty:' \
    $'event\t'"$id"$'\tend')" "$(lines "$shown" "$raise")"
done

e2e_summary
