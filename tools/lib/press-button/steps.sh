# press-button's steps from the program's start to its end: the main
# window awaited, the steps the options ask for in it and its other windows,
# the presses, the close, and what is printed after the end. Part of
# press-button.

# The Linux pids of the first copy and of a second one, and when the run
# is out of time.
first_pid=
second_pid=
deadline=

step_start() {
  brivane_on_exit 'press_stop "$second_pid"; press_stop "$first_pid"'
  # Each window opened and each step in it costs a few driver runs.
  deadline=$((SECONDS + run_seconds + 2 * presses))
  ((${#prefs[@]} == 0)) || deadline=$((deadline + 10))
  ((${#integrate[@]} == 0)) || deadline=$((deadline + 10 + 3 * ${#integrate[@]}))
  ((${#about[@]} == 0)) || deadline=$((deadline + 10 + 3 * ${#about[@]}))
  [[ -z $instructions ]] || deadline=$((deadline + 10))
  [[ -z $event_in ]] || deadline=$((deadline + 10))
  [[ -z $end_session ]] || deadline=$((deadline + 10))
  ((${#route_adds[@]} == 0)) || deadline=$((deadline + 3 * ${#route_adds[@]}))
  ((${#route[@]} == 0)) || deadline=$((deadline + 10 + 3 * ${#route[@]}))
  deadline=$((deadline + 2 * ${#host_after[@]}))
  press_start first_pid
  press_main_pid=$first_pid
}

# Message boxes are answered until the main window shows; false when the
# program ended (or ran out of time) before it did. A copy that Wine failed
# to start at all is started again.
step_main_window() {
  local rc=0 attempt
  for attempt in 1 2 3; do
    rc=0
    press_await_window "$first_pid" "$deadline" || rc=$?
    ((rc == 1)) && press_start_failed || break
    press_start first_pid
    press_main_pid=$first_pid
  done
  ((rc == 2)) && step_timeout
  ((rc == 0))
}

step_screenshot() {
  [[ -n $screenshot ]] || return 0
  mkdir -p "$(dirname "$screenshot")"
  press_screenshot "$screenshot"
}

# A second copy started beside the first: its message boxes are answered
# until it ends.
step_second_copy() {
  press_start second_pid
  local rc=0
  press_await_end "$second_pid" "$deadline" || rc=$?
  ((rc == 2)) && step_timeout
  second_pid=
  return 0
}

# The host's commands once the main window shows.
step_host_after() {
  local command words
  for command in "${host_after[@]}"; do
    press_words words "$command"
    press_host "${words[@]}"
  done
}

step_event() {
  case $event_in in
    '') press_host raise "$event" ;;
    prompt | restart) ;;  # raised by step_integrate
    *) press_event_in "$event_in" "$event" ;;
  esac
}

step_prefs() {
  ((${#prefs[@]})) || return 0
  press_running "$first_pid" || return 0
  if [[ -n $prefs_site ]]; then
    press_preferences_site "$prefs_site"
  else
    press_preferences "${prefs[@]}"
  fi
}

# Each address becomes the stand-in's current contact and is added to the
# route from the Map menu.
step_route_adds() {
  local address fields rest i
  for address in "${route_adds[@]}"; do
    press_running "$first_pid" || return 0
    # Five fields at the four bars (a field may hold a line break).
    fields=()
    rest=$address
    for i in 1 2 3 4; do
      fields+=("${rest%%|*}")
      rest=${rest#*|}
    done
    press_route_add "${fields[@]}" "$rest"
  done
}

step_route() {
  ((${#route[@]})) || return 0
  press_running "$first_pid" || return 0
  local steps=("${route[@]}")
  [[ ${steps[0]} == none ]] && steps=()
  press_route "${steps[@]}"
}

step_integrate() {
  ((${#integrate[@]})) || return 0
  press_running "$first_pid" || return 0
  local steps=("${integrate[@]}")
  [[ ${steps[0]} == none ]] && steps=()
  [[ $event_in != prompt ]] || press_event_at_prompt=$event
  press_integrate "${steps[@]}"
  [[ $event_in != restart ]] || press_host raise "$event"
}

step_about() {
  ((${#about[@]})) || return 0
  press_running "$first_pid" || return 0
  local steps=("${about[@]}")
  [[ ${steps[0]} == none ]] && steps=()
  press_about "${steps[@]}"
}

step_instructions() {
  [[ -n $instructions ]] || return 0
  press_running "$first_pid" || return 0
  press_instructions "$instructions"
}

# As the user closes it after pressing, if a press did not close it already
# (then it is gone or going, and is looked for only briefly).
step_close_after_presses() {
  press_running "$first_pid" || return 0
  if ((${#integrate[@]})); then
    # After a restart the main window is hidden and the program ends by
    # itself: there is nothing to close.
    press_close_main "$press_window_pid" 500 || true
  elif ((presses == 0)); then
    step_close
  else
    press_close_main "$press_window_pid" 500 || true
  fi
}

# Each press waits for its URL, so the lines come in the order of the presses.
# A press the program cannot take any more (its window closed) ends them.
step_presses() {
  local i
  for ((i = 1; i <= presses; i++)); do
    if ! press_running "$first_pid" || ! press_click_button "$press_window_pid"; then
      brivane_say "press $i of $presses: the button is gone" >&2
      break
    fi
    press_await_url ||
      brivane_say "press $i of $presses: no URL reached the browser" >&2
    press_print_urls
  done
}

# The session ends instead of the window being closed, with a window
# opened first when --end-session names one.
step_end_session() {
  press_running "$first_pid" || return 0
  press_end_session "$end_session_in"
}

# As the user closes it: by its close box.
step_close() { press_close_main "$press_window_pid" || true; }

# The first copy's end, and its exit code (press_exit_code), even when it
# ended before.
step_await_end() {
  local rc=0
  [[ -n $first_pid ]] || return 0
  press_await_end "$first_pid" "$deadline" "$press_window_pid" || rc=$?
  ((rc == 2)) && step_timeout
  return 0
}

# Out of time: every copy still running is ended.
step_timeout() {
  printf 'timeout\n'
  press_stop "$second_pid"
  press_stop "$first_pid"
  second_pid=
  first_pid=
}

step_report() {
  # A URL that came late, after its press's wait or the program's end.
  press_print_urls
  ((${#integrate[@]} == 0)) || press_host_placements
  [[ ${press_exit_code:-0} == 0 ]] || printf 'exit\t%s\n' "$press_exit_code"
  press_settings_print
  [[ -z $host_log ]] || press_host_log
}
