# The stand-in host (tools/hostsim): its registration and fresh state, its
# commands, its call log and its state after the run. Part of press.sh.

# press_words VAR TEXT: TEXT split into words as a shell splits them (blanks
# part them, quotes group them, a backslash escapes), nothing expanded.
# Returns 1 for an unmatched quote.
press_words() {
  local -n _words=$1
  _words=()
  [[ $2 == *[![:space:]]* ]] || return 0
  printf '%s\n' "$2" | xargs printf '' 2>/dev/null || return 1
  mapfile -d '' _words < <(printf '%s\n' "$2" | xargs printf '%s\0')
}

# press_host_start INIT_ARGS...: registers the stand-in host in the prefix
# and gives it a fresh state file in the staging folder.
press_host_start() {
  "$BRIVANE_ROOT/tools/hostsim/register" "$WINEPREFIX" "$press_build" \
    >>"$press_stage/register.log" 2>&1 ||
    { brivane_show_log "$press_stage/register.log"; brivane_die "the stand-in host could not be registered"; }
  BRIVANE_HOSTSIM_STATE=$(brivane_winpath "$press_stage/host-state.txt")
  export BRIVANE_HOSTSIM_STATE
  press_wine hostsim "$press_hostsim" init "$@" ||
    { brivane_show_log "$press_stage/hostsim.log"; brivane_die "the stand-in host could not be set up"; }
}

# press_host ARGS...: one command of the stand-in host.
press_host() {
  press_wine hostsim "$press_hostsim" "$@" ||
    { brivane_show_log "$press_stage/hostsim.log"; brivane_die "hostsim $1 failed"; }
}

# The calls the stand-in host received and the events it raised, as its log
# prints them ("call ...", "event N begin|end").
press_host_log() {
  wine "$press_hostsim" log </dev/null 2>>"$press_stage/hostsim.log" ||
    brivane_die "the stand-in host's log could not be read"
}

# The faults the stand-in host logged ("fault OBJECT WHAT"), read from its
# log file as the log command prints them: none is the only good outcome.
press_host_faults() {
  local log="$press_stage/host-state.txt.log"
  [[ -f $log ]] || return 0
  grep $'^fault\t' "$log" || true
}

# Prints the host's placements of the command ("placement toolbar|menu
# VIEW") and whether it runs ("host running yes|no"). A restart reaches the
# host through the shell a moment after the program asked for it, so a host
# that is not running is looked at again for up to 3 s.
press_host_placements() {
  local state deadline=$((SECONDS + 3))
  while :; do
    state=$(wine "$press_hostsim" show </dev/null 2>>"$press_stage/hostsim.log" | tr -d '\r') ||
      brivane_die "the stand-in host's state could not be read"
    grep -q $'^running\tyes' <<<"$state" || ((SECONDS >= deadline)) || { sleep 0.3; continue; }
    break
  done
  grep $'^placement\t' <<<"$state" || true
  printf 'host\trunning\t%s\n' "$(sed -n 's/^running\t//p' <<<"$state" | head -n 1)"
}

