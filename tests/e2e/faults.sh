#!/usr/bin/env bash
# End-to-end fault tests: the real program under Wine against the
# registered stand-in host, run through tools/press-button, with faults
# injected from outside: the host vanishing after start-up, automation
# errors and answers of the wrong type from the members the program calls,
# notifications while a modal window is open, the host restarts or the
# program is inside a call of the host, a settings store full of corrupt
# and hostile values, a settings key the user may not write, and a shell
# without a browser, without a viewer for text files or without the
# instructions file. Each case checks the exact
# lines of its run: what the program showed, how it ended, and that no
# stored value was lost. Each case's expected lines are in
# faults/CASE.expected.
#
# Tally: 26 runs, about 3 minutes.
#   host gone after start-up (3): a press ends with the standard message
#     (462) and every stored value stays; closing saves as always; in the
#     Integrate window each failure is reported and the restart refused
#   automation errors (4): #1 and Views at start-up, GetField in a press,
#     #2 on a notification: the standard message, nothing saved
#   wrong types (4): GetField answers numbers or nothing, #1 text or nothing
#   notifications (8): while Preferences, About or Integrate is open, while
#     the restart prompt shows (then Yes), A and B during the restart, and
#     from inside the program's own calls of the host (Advise at start-up,
#     GetField in a press); every one raised by an event control that holds
#     no reference to itself while it raises, with no fault in its log
#   stored values (2): Close, Left, Top, Zoom unconvertible, MapURL and
#     Country with quotes, tabs, line breaks, %NAME%, #, backslashes and a
#     letter outside the BMP: defaults for the numbers, the texts kept
#     exactly; a press with them encodes what must not reach the shell raw
#   a settings key nobody may write (1): closing reports the failed write
#   shell (4): no browser, no viewer for .txt, no instructions file, and the
#     document opened when all is there
# The program never hung or crashed, and no stored value was lost: when a
# notification closes the main window while the restart prompt shows, Yes
# restarts the host and keeps what that close saved.
#
#   faults.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=faults
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

mapquest=http://www.mapquest.com/maps/map.adp?
yahoo=http://maps.yahoo.com/py/maps.py?

# Settings a user had before the fault: after it, they must all be there.
stored=(--setting Close=1 --setting Left=1440 --setting Top=2880
  --setting "MapURL=$yahoo" --setting Country=France --setting Zoom=4)

# ---- the host vanishes after start-up ---------------------------------------------------

expect gone-press "host gone, then a press: the standard message ends the program, nothing is saved" \
  "${stored[@]}" --host-after vanish --press

expect gone-close "host gone, then closed: the close handling calls no host and saves as always" \
  --host-after vanish

# The Integrate window traps: each failing procedure reports and the window
# goes on. The restart fails on the cut-off application object after the
# settings were saved; the main window stays until the user closes it.
expect_shown gone-integrate \
  "host gone, then Integrate and Yes: every failure reported, the restart refused, the settings saved" \
  'msgbox|setting|timeout' \
  --setting Left=1440 --host-after vanish --integrate 'tick 0; close' --answer OK --answer OK --answer YES

# ---- automation errors from the members start-up and the press use ---------------------

for member in '#1' Views; do
  expect "start-error-$(tr -d "#" <<<"${member,,}")" "$member raises at start-up: the standard message, no window, stored settings untouched" \
    --setting Left=1440 --host-script "$member --error 440 '$member failed'"
done

expect getfield-raises "GetField raises during a press: the standard message, nothing is saved" \
  "${stored[@]}" --host-script "GetField --error 440 'The host is busy'" --press

expect acknowledgement-raises "the acknowledgement (#2) of a notification raises: the standard message, nothing is saved" \
  "${stored[@]}" --host-script "#2 --error 440 Busy" --event A

# ---- answers of the wrong type ------------------------------------------------------------

expect_shown getfield-numbers "GetField answers numbers: they go into the URL as their digits" 'url|msgbox' \
  --host-script 'GetField --result I4:42 --times 3' --zip 99120 --country France --press

expect_shown getfield-nothing "GetField answers nothing: empty fields, the stored fallback country" 'url|msgbox' \
  --host-script 'GetField --result Empty:' --street '1 Main Street' --setting Country=France --press

expect readiness-text "the readiness (#1) answers text: a type mismatch ends the start" \
  --host-script '#1 --result Text:ready'

expect readiness-nothing "the readiness (#1) answers nothing: taken as 0, the no-database refusal" \
  --host-script '#1 --result Empty:'

# ---- notifications while a modal window is open, and during the restart --------------------

# The main window closes and saves; the modal window, shown without an
# owner, stays until the user closes it, and then the program ends.
for modal in prefs:A:Preferences about:B:'About Brivane!' integrate:A:'Integrate with ACT!'; do
  IFS=: read -r which event caption <<<"$modal"
  expect "notification-in-$which" \
    "notification $event while $caption is open: the main window closes and saves, the program ends after it" \
    --setting Close=1 --setting Left=1440 --setting Top=2880 --event "$event" --event-in "$which"
done

# Raised from inside the program's own calls of the host: inside Advise,
# while the program connects to the event control at its start, before
# anyone handles events (it is not handled, and the program starts as
# ever); inside GetField, while a press reads the contact (the window
# closes and saves at once, and the press still opens its map).
expect_picked notification-at-connect \
  "notification A from inside the event control's Advise at start-up: not handled, the window shows and closes as ever" \
  shown_then_raise --setting Left=1440 --setting Top=2880 --event A --event-in start --host-log

expect_picked notification-in-press \
  "notification A from inside a press's GetField: the window closes and saves, the press still opens its map" \
  shown_then_raise --setting Close=1 --setting Left=1440 --setting Top=2880 --street '1 Main Street' \
  --event A --event-in press --press --host-log

# The main window closes on the notification while the user still looks at
# the restart prompt; Yes then restarts the host, and what the close
# handling saved a moment before must stay.
expect_shown notification-at-prompt \
  "notification A while the restart prompt shows, then Yes: the host restarts, the saved settings stay" \
  'msgbox|placement|host|setting|timeout' \
  --setting Close=1 --setting Left=1440 --setting Top=2880 \
  --integrate 'tick 0; close' --answer YES --event A --event-in prompt

# What the user sees, then what the host saw after the quit command: the
# raise with only its acknowledgement inside, and last the host's restart
# by the shell, which may come before or after it.
shown_then_restart() {
  local after
  after=$(sed -n $'/^call\tapplication\tCommand\t/,$p' <<<"$out" | sed 1d | cut -f1-3)
  grep -Ev $'^(call|event|window)\t' <<<"$out"
  grep -vx $'call\thost\tOpen' <<<"$after"
  grep -x $'call\thost\tOpen' <<<"$after"
}

# After Yes the main window is hidden, the host quits and is started again,
# and the program waits for its end timer. Notification A ends it at once
# (its close handling saves nothing more and calls nothing); B is ignored.
for event in A:2 B:14; do
  IFS=: read -r event id <<<"$event"
  expect_picked "notification-in-restart-$event" \
    "notification $event during the restart: no second close handling, no call to the released host" \
    shown_then_restart --integrate 'tick 0; close' --answer YES --event "$event" --event-in restart --host-log
done

# ---- a settings store full of corrupt and hostile values ---------------------------------------

# Each number that no longer converts falls back to its default; the free
# texts show as stored, and what the program does not own it never writes.
hostile_url=$'  http://maps.example.org/find?q="Main St" #2\t100% \U0001F600 \\\\srv\\x\r\nnext  '
hostile_country=$' "Fr\u00e9nce"\t#1 %PATH% \r\n; [Settings] '
expect hostile-stored "every stored value corrupt or hostile: defaults for the numbers, the texts kept exactly" \
  --setting Close=yes --setting Left=1.5e400 --setting Top=-- --setting Zoom=ten \
  --setting "MapURL=$hostile_url" --setting "Country=$hostile_country" --setting "Note=not the program's" \
  --prefs-cancel ',,1'

# The blanks around the stored URL are ignored; quotes and control
# characters never reach the browser raw.
expect_shown hostile-press "a press with a hostile map URL, country and zoom: encoded, the fallback code" 'url|msgbox' \
  --setting $'MapURL=  '"$mapquest"$'q="x"\t&  ' --setting "Country=$hostile_country" --setting $'Zoom=1"0\t' \
  --street '1 Main Street' --press

# ---- a settings key the user may not write ------------------------------------------------------

name="a settings key nobody may write: closing shows the write failure, the stored values stay"
if run "${stored[@]}" --lock-settings; then
  if [[ $out == $'locked\tno'* ]]; then
    skip locked-key "$name" "this Wine does not enforce the key's access list"
  else
    check_expected locked-key "$name" "$out"
  fi
else
  fail "$name" "$out"
fi

# ---- the shell without a browser, a text viewer or the instructions file ------------------------

expect no-browser "no browser: a press shows nothing and closes the window as always" \
  --no-browser --street '1 Main Street' --press

expect instructions "a viewer for text files: Instructions opens the document beside the program" \
  --instructions menu

expect no-text-viewer "no viewer for text files: Instructions shows nothing" \
  --no-text-viewer --instructions menu

expect no-instructions-file "no instructions file: the Preferences window's Instructions shows nothing and stays" \
  --remove instructions.txt --instructions prefs

e2e_summary
