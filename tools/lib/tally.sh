# The pass/fail tally of a test script: "ok NAME" or "FAIL NAME" and what
# differed, a line per case, and a closing line that test runners read.
# Cases may compare with expected outputs in files (expected.sh).

passed=0
failed=0

pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() {
  echo "FAIL $1"
  sed 's/^/     /' <<<"$2"
  failed=$((failed + 1))
}

# check NAME EXPECTED ACTUAL
check() {
  if [[ $3 == "$2" ]]; then
    pass "$1"
  else
    fail "$1" "$(diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") || true)"
  fi
}

# The closing line that test runners read; non-zero on any failure.
e2e_summary() {
  expected_check_left_over
  echo "$passed passed, $failed failed"
  ((failed == 0))
}

source "$BRIVANE_ROOT/tools/lib/expected.sh"
