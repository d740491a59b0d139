#!/usr/bin/env bash
# End-to-end tests of the Integrate window: the real program under
# Wine ticks boxes through tools/press-button against the registered
# stand-in host, and the host's placements, its call log, the restart and
# the message boxes are checked. Each case's expected lines are in
# integrate/CASE.expected; the staging folder of the run is written {stage}.
#   integrate.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=integrate
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

# What the user sees of the window and the host afterwards, and the host's
# restart: its quit command and its reopening of the database.
shown=$'msgbox|placement|host|setting|timeout|call\tapplication\tCommand|call\thost\tOpen'

expect_shown no-restart "No: the prompt, the placements made; the main window stays until closed" "$shown" \
  --integrate 'tick 0; tick 8; close' --answer NO --host-log

expect_shown restart "Yes: the host quits and reopens its database; the program ends by itself" "$shown" \
  --integrate 'label 3; close' --answer YES --host-log

expect_shown refused-add "a refused add: the failure notice, no prompt" "$shown" \
  --host-script 'AddAuxCommandToToolbar --result I4:1' --integrate 'tick 1; close'

# The launch command's definition as the host receives it, in the program's
# folder, after the base name of the file the program runs from; the
# command's name stays the program's title.
for base in brivane 'Map Helper'; do
  case=$(tr ' A-Z' '-a-z' <<<"$base")
  expect_shown "definition-$case" "the launch command's definition from a program file named $base.exe" \
    $'call\taux commands\tAddAuxCommand' --program-name "$base" --integrate 'tick 0; cancel' --host-log
done

expect_shown tick-untick "ticked and unticked: nothing placed, still the prompt; a menu label toggles its box" "$shown" \
  --integrate 'tick 5; untick 5; label 11; label 11; close' --answer NO

expect_shown cancel "Cancel after a tick: no prompt, the placement stays" "$shown" \
  --integrate 'tick 10; cancel'

e2e_summary
