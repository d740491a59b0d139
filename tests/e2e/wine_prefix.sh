#!/usr/bin/env bash
# End-to-end tests of tools/wine-prefix: a prefix left by a machine that had
# only the 64-bit Wine (no 32-bit system in it, so no program starts once the
# 32-bit Wine is installed) is noticed and made again, and the target's
# programs start in the new one; a ready prefix is kept as it is.
#   wine_prefix.sh [win32|win64]   (default: win32, the build users install)
# Makes a prefix of its own in a temporary folder of the build, with a Wine
# session of its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=wine_prefix
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

# Beside the build: Wine needs its prefix on a disk it may own.
old=$(mktemp -d "$build/prefix-test.XXXXXX")
brivane_on_exit "WINEPREFIX=$(printf '%q' "$old") wineserver -k >/dev/null 2>&1; rm -rf $(printf '%q' "$old")"
# What a prefix made by the 64-bit Wine alone holds of what is looked at:
# its registry and the mark of a ready prefix, but no 32-bit system.
printf 'WINE REGISTRY Version 2\n' >"$old/system.reg"
touch "$old/.brivane-ready"

name="a prefix without the 32-bit system is made again, and says so"
rc=0
said=$("$BRIVANE_ROOT/tools/wine-prefix" "$old" 2>&1) || rc=$?
if ((rc == 0)) && grep -q 'made without the 32-bit Wine' <<<"$said" &&
  [[ -f $old/drive_c/windows/syswow64/kernel32.dll && -f $old/.brivane-ready ]]; then
  pass "$name"
else
  fail "$name" "exit $rc: $said"
fi

name="the $target stand-in host starts in the prefix made again"
state=$(brivane_winpath "$work/host-state.txt")
if shown=$(WINEPREFIX=$old wine "$build/hostsim.exe" --state "$state" init </dev/null 2>&1 &&
  WINEPREFIX=$old wine "$build/hostsim.exe" --state "$state" show </dev/null 2>&1); then
  check "$name" $'running\tyes' "$(tr -d '\r' <<<"$shown" | grep $'^running\t' || true)"
else
  fail "$name" "$shown"
fi

name="a ready prefix is kept as it is, without a word"
touch "$old/kept"
rc=0
said=$("$BRIVANE_ROOT/tools/wine-prefix" "$old" 2>&1) || rc=$?
if ((rc == 0)) && [[ -z $said && -f $old/kept ]]; then
  pass "$name"
else
  fail "$name" "exit $rc: $said"
fi

e2e_summary
