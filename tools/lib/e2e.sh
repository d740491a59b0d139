# Shared by the end-to-end scripts in tests/e2e: the build, the X display and
# Wine session, one run of tools/press-button, its lines compared with the
# case's expected output (expected.sh), and the pass/fail tally (tally.sh).
# Source it after setting BRIVANE_TOOL and E2E_TARGET (the script's first
# argument: win32 or win64; empty for win32, the build users install). End
# the script with e2e_summary.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$BRIVANE_ROOT/tools/lib/xvfb.sh"
source "$BRIVANE_ROOT/tools/lib/wine.sh"
source "$BRIVANE_ROOT/tools/lib/build.sh"
source "$BRIVANE_ROOT/tools/lib/tally.sh"

press=$BRIVANE_ROOT/tools/press-button
target=$(brivane_target_arg "${E2E_TARGET:-}") || exit 2
build=$(brivane_build_dir "$target")
logs=$(brivane_build_root)/logs

if [[ ! -f $build/brivane.exe ]]; then
  brivane_build "$target" "$logs" || brivane_die "the $target build failed"
fi

# tools/test hands over its display and Wine session (and names the build in
# BRIVANE_BUILD); alone, the tests get a display and session of their own.
if [[ -z ${BRIVANE_BUILD:-} || -z ${DISPLAY:-} || -z ${WINEPREFIX:-} ]]; then
  brivane_xvfb_start "$logs"
  brivane_wine_start "$(brivane_prefix_of "$target")" "$logs"
fi

work=$(mktemp -d)
brivane_on_exit 'rm -rf "$work"'
# run OPTIONS...: one run of the program; its lines in $out.
run() {
  local rc=0
  out=$("$press" --session --target "$target" --build "$build" "$@" 2>"$work/stderr") || rc=$?
  if ((rc != 0)); then
    out="press-button failed (exit $rc): $(<"$work/stderr")"
    return 1
  fi
}

# The run's staging folder, a new one each time, as expected files write it.
expected_placeholder stage "$(brivane_winpath "$(realpath -m -- "$build")/press")\\run." '??????'

# lines_of KINDS: the lines of $out of these kinds (a regular expression
# matched up to the tab after the kind: "url|msgbox", $'call\thost\tOpen').
lines_of() { grep -E "^($1)"$'\t' <<<"$out" || true; }

# expect_picked CASE NAME PICK OPTIONS...: one run; what the command PICK
# prints of its lines ($out) is exactly CASE's expected output.
expect_picked() {
  local case=$1 name=$2 pick=$3
  shift 3
  if run "$@"; then
    check_expected "$case" "$name" "$($pick)"
  else
    fail "$name" "$out"
  fi
}

# expect CASE NAME OPTIONS...: the run prints exactly CASE's expected lines.
_all_lines() { printf '%s\n' "$out"; }
expect() { expect_picked "$1" "$2" _all_lines "${@:3}"; }

# expect_shown CASE NAME KINDS OPTIONS...: of the run's lines, those of
# these kinds are exactly CASE's expected lines.
_shown_kinds=
_lines_of_shown_kinds() { lines_of "$_shown_kinds"; }
expect_shown() {
  _shown_kinds=$3
  expect_picked "$1" "$2" _lines_of_shown_kinds "${@:4}"
}

# e2e_only_on TARGET WHY: a script that tests one target's build ends here,
# with its tally, for the other targets.
e2e_only_on() {
  [[ $target != "$1" ]] || return 0
  echo "$2: nothing to test for $target"
  e2e_summary
  exit
}
