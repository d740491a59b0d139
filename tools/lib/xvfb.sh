# A private X display for the Windows programs, stopped when the script ends.
# Needs common.sh.

# Starts Xvfb on the first free display of :90..:120 and exports DISPLAY.
# Logs go to the folder given (default: a temporary file).
brivane_xvfb_start() {
  local logdir=${1:-${TMPDIR:-/tmp}} n pid i
  mkdir -p "$logdir"
  for n in $(seq 90 120); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset \
      </dev/null >"$logdir/xvfb.log" 2>&1 &
    pid=$!
    for ((i = 0; i < 100; i++)); do
      if ! kill -0 "$pid" 2>/dev/null; then
        # Another run took this display first; try the next one.
        wait "$pid" 2>/dev/null || true
        pid=
        break
      fi
      # The display answers, and it is ours: when another run started its
      # server there first, ours is about to give up, and the display that
      # answers is the other run's (its lock names its server).
      if xdpyinfo -display ":$n" >/dev/null 2>&1 && [[ $(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null) == "$pid" ]]; then
        export DISPLAY=:$n
        _brivane_xvfb_pid=$pid
        brivane_on_exit brivane_xvfb_stop
        return 0
      fi
      sleep 0.1
    done
    [[ -n $pid ]] && { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }
  done
  brivane_show_log "$logdir/xvfb.log"
  brivane_die "no X display could be started on :90..:120"
}

brivane_xvfb_stop() {
  [[ -n ${_brivane_xvfb_pid:-} ]] || return 0
  kill "$_brivane_xvfb_pid" 2>/dev/null || true
  wait "$_brivane_xvfb_pid" 2>/dev/null || true
  _brivane_xvfb_pid=
}
