# Shared by the end-to-end scripts in tests/e2e: the build, the X display and
# Wine session, one run of tools/press-button, and the pass/fail tally
# (tally.sh).
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

# lines LINE...: lines as the harness prints them, one per argument.
lines() { printf '%s\n' "$@"; }

# lines_of KINDS: the lines of $out of these kinds (a regular expression).
lines_of() { grep -E "^($1)"$'\t' <<<"$out" || true; }

# expect NAME EXPECTED_LINES OPTIONS...: the run prints exactly these lines.
expect() {
  local name=$1 expected=$2
  shift 2
  if run "$@"; then
    check "$name" "$expected" "$out"
  else
    fail "$name" "$out"
  fi
}

# expect_shown NAME KINDS EXPECTED_LINES OPTIONS...: of the run's lines, those
# of these kinds (a regular expression) are exactly these.
expect_shown() {
  local name=$1 kinds=$2 expected=$3
  shift 3
  if run "$@"; then
    check "$name" "$expected" "$(lines_of "$kinds")"
  else
    fail "$name" "$out"
  fi
}
