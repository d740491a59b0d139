#!/usr/bin/env bash
# End-to-end tests of the private X displays (tools/lib/xvfb.sh): runs that
# start their displays at the same moment, as tools/test starts the two
# targets' tests, each get a display of their own, served by their own X
# server. (Two runs on one display take the keyboard focus from each other.)
#   xvfb_displays.sh [win32|win64]   (the target does not matter here)
# Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=xvfb_displays
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/common.sh"
source "$BRIVANE_ROOT/tools/lib/build.sh"
source "$BRIVANE_ROOT/tools/lib/xvfb.sh"
source "$BRIVANE_ROOT/tools/lib/tally.sh"
brivane_target_arg "${1:-}" >/dev/null || exit 2

work=$(mktemp -d)
brivane_on_exit "rm -rf $(printf '%q' "$work")"

# One run: its display and its server's pid, then it holds the display
# until told to let go.
hold_display() {
  brivane_subshell
  brivane_xvfb_start "$work/log-$1" >/dev/null
  printf '%s %s\n' "$DISPLAY" "$_brivane_xvfb_pid" >"$work/got-$1"
  while [[ ! -e $work/done ]]; do sleep 0.1; done
}

runs=4
for round in 1 2 3; do
  rm -f "$work"/got-* "$work/done"
  pids=()
  for ((i = 1; i <= runs; i++)); do
    hold_display "$i" </dev/null >/dev/null 2>&1 &
    pids+=($!)
  done
  for ((t = 0; t < 200; t++)); do
    (($(find "$work" -name 'got-*' | wc -l) == runs)) && break
    sleep 0.1
  done
  # Each display's lock names the server of the run that got it.
  seen=$(cat "$work"/got-* 2>/dev/null | sort || true)
  owned=0
  while read -r display pid; do
    [[ -n $display && $(tr -d ' \n' <"/tmp/.X${display#:}-lock" 2>/dev/null) == "$pid" ]] && owned=$((owned + 1))
  done <<<"$seen"
  distinct=$(cut -d' ' -f1 <<<"$seen" | sort -u | grep -c . || true)
  touch "$work/done"
  for pid in "${pids[@]}"; do wait "$pid" || true; done
  name="round $round: $runs runs started at once, $runs displays, each served by its run's own server"
  if ((distinct == runs && owned == runs)); then
    pass "$name"
  else
    fail "$name" "${seen:-(no display)}"
  fi
done

e2e_summary
