#!/usr/bin/env bash
# End-to-end tests of the Integrate window: the real program under
# Wine ticks boxes through tools/press-button against the registered
# stand-in host, and the host's placements, its call log, the restart and
# the message boxes are checked.
#   integrate.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=integrate
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"


prompt=$'msgbox\tBrivane!\tYou need to re-start ACT! for the changes to take effect!\\r\\nDo you want to re-start it now?'
notice=$'msgbox\tbrivane\tCan\'t add icon or menu item automatically. You will need to proceed manually.'
saved=$'setting\tClose\t0\nsetting\tLeft\t105\nsetting\tTop\t105'

name="No: the prompt, the placements made; the main window stays until closed"
if run --integrate 'tick 0; tick 8; close' --answer NO --host-log; then
  check "$name" "$(printf '%s\n' "$prompt" $'placement\ttoolbar\t1' $'placement\tmenu\t3' \
    $'host\trunning\tyes' "$saved" 'restarted: no')" \
    "$(lines_of 'msgbox|placement|host|setting|timeout'
      grep -q $'\tCommand\t' <<<"$out" && echo 'restarted: yes' || echo 'restarted: no')"
else
  fail "$name" "$out"
fi

name="Yes: the host quits and reopens its database; the program ends by itself"
if run --integrate 'label 3; close' --answer YES --host-log; then
  check "$name" "$(printf '%s\n' "$prompt" $'placement\ttoolbar\t4' $'host\trunning\tyes' "$saved" \
    $'call\tapplication\tCommand\tI2:150\t=> Empty:' 'call host Open of the database')" \
    "$(lines_of 'msgbox|placement|host|setting|timeout'
      grep -F $'\tCommand\t' <<<"$out"
      grep -q $'^call\thost\tOpen\tText:.*contacts\\.dbf\t' <<<"$out" && echo 'call host Open of the database')"
else
  fail "$name" "$out"
fi

name="a refused add: the failure notice, no prompt"
if run --host-script 'AddAuxCommandToToolbar --result I4:1' --integrate 'tick 1; close'; then
  check "$name" "$(printf '%s\n' "$notice" $'host\trunning\tyes' "$saved")" \
    "$(lines_of 'msgbox|placement|host|setting|timeout')"
else
  fail "$name" "$out"
fi

# The launch command's definition as the host receives it, in the program's
# folder (Z:\...\program under Wine), after the base name of the file the
# program runs from; the command's name stays the program's title.
definition() { # FOLDER BASE
  printf 'call\taux commands\tAddAuxCommand\tText:brivane\tText:%s\\%s.EXE\tText:%s\tText:Brivane!' "$1" "$2" "$1"
  printf '\tText:click to launch Brivane!\tText:%s\\%s.ico\tText:%s\\%s32.ico\tI2:1\t=> I4:0\n' "$1" "$2" "$1" "$2"
}
for base in brivane 'Map Helper'; do
  name="the launch command's definition from a program file named $base.exe"
  if run --program-name "$base" --integrate 'tick 0; cancel' --host-log; then
    line=$(grep $'^call\taux commands\tAddAuxCommand\t' <<<"$out" || true)
    folder=$(cut -f6 <<<"$line")
    folder=${folder#Text:}
    [[ $folder == Z:\\*\\program ]] || folder="not the program's folder: $folder"
    check "$name" "$(definition "$folder" "$base")" "$line"
  else
    fail "$name" "$out"
  fi
done

name="ticked and unticked: nothing placed, still the prompt; a menu label toggles its box"
if run --integrate 'tick 5; untick 5; label 11; label 11; close' --answer NO; then
  check "$name" "$(printf '%s\n' "$prompt" $'host\trunning\tyes')" "$(lines_of 'msgbox|placement|host|timeout')"
else
  fail "$name" "$out"
fi

name="Cancel after a tick: no prompt, the placement stays"
if run --integrate 'tick 10; cancel'; then
  check "$name" "$(printf '%s\n' $'placement\tmenu\t5' $'host\trunning\tyes')" "$(lines_of 'msgbox|placement|host|timeout')"
else
  fail "$name" "$out"
fi

e2e_summary
