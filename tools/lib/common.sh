# Shared by the tools: messages, the build root, and clean-up on exit.
# Source it from a bash script after `set -euo pipefail`.

# The repository root, whatever folder the caller started in.
BRIVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export BRIVANE_ROOT

# Where the builds go; other folders keep parallel runs apart.
brivane_build_root() {
  local root=${BRIVANE_BUILD_ROOT:-build}
  [[ $root == /* ]] || root=$BRIVANE_ROOT/$root
  printf '%s\n' "$root"
}

# Wine turns command-line arguments into UTF-16 by the locale's character
# set: without UTF-8, accented letters in arguments would be lost.
export LC_ALL=C.UTF-8

brivane_say() { printf '%s: %s\n' "${BRIVANE_TOOL:-${0##*/}}" "$*"; }
brivane_die() { printf '%s: %s\n' "${BRIVANE_TOOL:-${0##*/}}" "$*" >&2; exit 1; }

# Shows a log after a failure: all of it in CI (nobody can open it later),
# its end otherwise.
brivane_show_log() {
  local log=$1
  [[ -s $log ]] || return 0
  echo "---- $log ----" >&2
  if [[ ${CI:-} == true ]]; then cat "$log" >&2; else tail -n 80 "$log" >&2; fi
  echo "---- end of $log ----" >&2
}

# Clean-up actions run once, last registered first, however the script ends.
_brivane_exit_actions=()
brivane_on_exit() { _brivane_exit_actions+=("$*"); }
_brivane_run_exit_actions() {
  local i
  for ((i = ${#_brivane_exit_actions[@]} - 1; i >= 0; i--)); do
    eval "${_brivane_exit_actions[i]}" || true
  done
  _brivane_exit_actions=()
}
brivane_traps() {
  trap _brivane_run_exit_actions EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}
brivane_traps

# brivane_subshell: first in a subshell started with ( ... ) &: its clean-up
# actions are its own (the copies of the parent's stay the parent's) and run
# when it ends.
brivane_subshell() {
  _brivane_exit_actions=()
  brivane_traps
}

# brivane_stop_tree PID: ends a process started here and every process it
# started, by their ids, the ones it started before itself.
brivane_stop_tree() {
  local child
  for child in $(pgrep -P "$1" 2>/dev/null); do brivane_stop_tree "$child"; done
  kill "$1" 2>/dev/null || true
}
