#!/usr/bin/env bash
# End-to-end tests of the main window: the real program under Wine
# against the registered stand-in host, run through tools/press-button, with
# the exact lines of each run checked: the start-up refusals, the window's
# place and its fall-backs, what closing saves, the host's notifications.
# Each case's expected lines are in main_window/CASE.expected.
#   main_window.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=main_window
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

# ---- refused starts: a message, and nothing saved ---------------------------------

expect no-database "no database open: refused, stored settings untouched" \
  --host no-database --setting Left=1440

expect unreachable "host unreachable: the two-line message, nothing saved" \
  --host unreachable

# Nothing is stored beforehand, so the settings afterwards come from the
# first copy's close.
expect second-copy "second copy refused while the first runs on and saves at its close" \
  --second-copy

# ---- the window's place --------------------------------------------------------------

expect first-start "first start: 100 twips from the corner, closing saves the place and the box"

expect stored-place "stored place and ticked box come back and are saved again" \
  --setting Left=1440 --setting Top=2880 --setting Close=1

expect left-not-a-number "a stored Left that is not a number falls back without a message" \
  --setting Left=abc

expect corrupt-values "each corrupt value falls back alone" \
  --setting Close=3 --setting Left= --setting Top=2880

expect off-monitor "a place off every monitor falls back to the default" \
  --setting Left=30000 --setting Top=1440

# ---- the host's notifications close the window -----------------------------------------

# What the user sees, then the notification's raise with the program's
# calls inside it.
shown_then_raise() {
  grep -Ev $'^(call|event)\t' <<<"$out" || true
  grep -E $'^(event\t|call\tevent control\t#2\t)' <<<"$out" || true
}

# Each is handled inside the host's raise: the acknowledgement (#2) comes
# between the raise's begin and its end. A is event 2, B event 14.
for event in A:2 B:14; do
  IFS=: read -r event id <<<"$event"
  expect_picked "notification-$event" \
    "host notification $event (event $id) is acknowledged inside its raise and closes the window, which saves" \
    shown_then_raise --event "$event" --host-log --setting Left=1440 --setting Top=2880 --setting Close=1
done

# ---- the session ends: what closing saves is saved ------------------------------------

# Logging off or shutting down sends the program WM_QUERYENDSESSION and
# WM_ENDSESSION, then ends it: nothing is stored beforehand, so each
# setting printed was saved at the session's end.
expect session-end "the session ends on a first run: the window's place and box are saved" \
  --end-session

for window in prefs about integrate; do
  expect "session-end-in-$window" \
    "the session ends while the $window window is open: the main window's place and box are saved too" \
    --end-session "$window"
done

e2e_summary
