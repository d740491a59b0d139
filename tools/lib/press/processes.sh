# The program's processes: copies started from the staging folder, looked
# at and ended. Part of press.sh.

# The Linux pid of the copy of the program whose windows are driven; while
# it is set, waits for the browser answer that copy's message boxes.
press_main_pid=

# press_start VAR: starts a copy of the program from its staging folder and
# stores the pid in VAR (the Windows program runs in that very process).
press_start() {
  local -n _pid=$1
  local log=$press_stage/brivane.log
  _press_start_lines=$(brivane_log_lines "$log")
  (cd "$press_program" && exec wine "./$press_program_name.exe") </dev/null >>"$log" 2>&1 &
  _pid=$!
}

# Whether the last copy started never ran because Wine's loader failed to
# start it: worth one more go.
press_start_failed() { brivane_wine_start_failed "$press_stage/brivane.log" "${_press_start_lines:-0}"; }

press_running() { [[ -n ${1:-} ]] && kill -0 "$1" 2>/dev/null; }

# press_stop PID: ends a copy that did not end by itself.
press_stop() {
  local pid=$1 i
  press_running "$pid" || return 0
  kill "$pid" 2>/dev/null || true
  for ((i = 0; i < 20; i++)); do
    press_running "$pid" || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
