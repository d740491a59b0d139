# The expected outputs of a test script, checked in beside it: the cases of
# tests/e2e/NAME.sh compare with tests/e2e/NAME/CASE.expected, one file a
# case. Text of the run that differs from run to run (a folder of this
# machine, a random name) is written as a placeholder, {NAME}, on both
# sides. With BRIVANE_E2E_UPDATE=1 a case whose text differs writes the
# file anew instead of failing, for a change made on purpose (read the
# diff before committing it). Needs tally.sh.

expected_dir=$(cd "$(dirname "${BASH_SOURCE[-1]}")" && pwd)/$(basename "${BASH_SOURCE[-1]}" .sh)
# The cases' files read so far, for the check that none is left over.
_expected_read=()
_expected_placeholders=()

# expected_placeholder NAME TEXT [PATTERN]: TEXT, followed by what the
# glob PATTERN matches (nothing when there is none), is written {NAME}.
expected_placeholder() { _expected_placeholders+=("$1" "$2" "${3:-}"); }

# The text with its placeholders written in.
_expected_generalize() {
  local text=$1 i
  for ((i = 0; i < ${#_expected_placeholders[@]}; i += 3)); do
    # shellcheck disable=SC2295
    text=${text//"${_expected_placeholders[i + 1]}"${_expected_placeholders[i + 2]}/"{${_expected_placeholders[i]}}"}
  done
  printf '%s' "$text"
}

# A file's name as it shows in messages: from the repository root.
_expected_shown() { printf '%s' "${1#"$BRIVANE_ROOT"/}"; }

# check_expected CASE NAME ACTUAL: ACTUAL is the expected output of CASE
# (several cases may share one).
check_expected() {
  local file=$expected_dir/$1.expected name=$2 actual expected=
  actual=$(_expected_generalize "$3")
  _expected_read+=("$1")
  [[ ! -f $file ]] || expected=$(<"$file")
  if [[ -f $file && $actual == "$expected" ]]; then
    pass "$name"
  elif [[ -n ${BRIVANE_E2E_UPDATE:-} ]]; then
    mkdir -p "$expected_dir"
    if [[ -n $actual ]]; then printf '%s\n' "$actual" >"$file"; else : >"$file"; fi
    pass "$name (written: $(_expected_shown "$file"))"
  elif [[ ! -f $file ]]; then
    fail "$name" "$(printf 'no %s (BRIVANE_E2E_UPDATE=1 writes it); the case printed:\n%s' \
      "$(_expected_shown "$file")" "$actual")"
  else
    fail "$name" "$(diff -u --label "$(_expected_shown "$file")" --label "this run" "$file" \
      <(printf '%s\n' "$actual") || true)"
  fi
}

# skip CASE NAME WHY: the case does not apply here; its file stays.
skip() {
  _expected_read+=("$1")
  echo "skip $2 ($3)"
}

# Fails for each file of the script's folder that no case read (a case
# renamed or removed), once any case read one.
expected_check_left_over() {
  ((${#_expected_read[@]})) || return 0
  local file case read
  for file in "$expected_dir"/*.expected; do
    [[ -f $file ]] || continue
    case=$(basename "$file" .expected)
    for read in "${_expected_read[@]}"; do
      [[ $read == "$case" ]] && continue 2
    done
    fail "no case reads $(_expected_shown "$file")" "remove it, or name its case again"
  done
}
