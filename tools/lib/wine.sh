# One Wine prefix per run with a persistent wineserver, so each program start
# costs a fraction of a second; the server is stopped when the script ends.
# Start the X display first: Wine's desktop process keeps the DISPLAY it
# was started with. Needs common.sh and build.sh.

# brivane_wine_start PREFIX [LOGDIR]: makes the prefix ready, exports
# WINEPREFIX and WINEDEBUG, and starts the server.
brivane_wine_start() {
  local prefix=$1 logdir=${2:-${TMPDIR:-/tmp}}
  mkdir -p "$logdir"
  export WINEPREFIX=$prefix
  export WINEDEBUG=${WINEDEBUG:--all}
  if ! "$BRIVANE_ROOT/tools/wine-prefix" "$prefix" >"$logdir/wine-prefix.log" 2>&1; then
    brivane_show_log "$logdir/wine-prefix.log"
    brivane_die "the Wine prefix $prefix could not be made"
  fi
  # Its own words (a prefix made again) are worth telling.
  grep '^wine-prefix: ' "$logdir/wine-prefix.log" >&2 || true
  _brivane_wine_owned=
  if ! wineserver -p </dev/null >/dev/null 2>&1; then
    # A server of this prefix is still running: if it is about to end
    # (it lingers a few seconds after its last program), start ours after it.
    timeout 10 wineserver -w >/dev/null 2>&1 || true
    if ! wineserver -p </dev/null >/dev/null 2>&1; then
      brivane_say "using the wineserver already running for $prefix"
      return 0
    fi
  fi
  _brivane_wine_owned=1
  brivane_on_exit brivane_wine_stop
  _brivane_wine_warm_up "$logdir"
}

# Wine's background services start with the first program of a session and
# stay as long as the server; they keep that program's output open. Started
# here, they hold a log file, not the pipe of a test harness that would then
# wait for them forever.
_brivane_wine_warm_up() {
  local logdir=$1
  if ! wine cmd /c exit 0 </dev/null >"$logdir/wine-session.log" 2>&1; then
    brivane_show_log "$logdir/wine-session.log"
    brivane_die "Wine does not start programs in $WINEPREFIX"
  fi
}

# Ends every Windows program of the prefix and the server (the registry is
# written to disk as it ends).
brivane_wine_stop() {
  [[ -n ${_brivane_wine_owned:-} ]] || return 0
  wineserver -k >/dev/null 2>&1 || true
  timeout 10 wineserver -w >/dev/null 2>&1 || true
  _brivane_wine_owned=
}

# ---- Windows programs of the two targets (see build.sh, which this part
# needs) --------------------------------------------------------------------

# The Windows name of an absolute Linux path: Wine's drive Z: is the root
# (winepath says the same, but costs a Wine start).
brivane_winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# brivane_pe_target FILE: the target a Windows program or DLL was built for,
# from its header's machine field (i386: win32, x86-64: win64); returns 1
# for any other file.
brivane_pe_target() {
  local header machine
  header=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
  [[ $header =~ ^[0-9]+$ ]] || return 1
  machine=$(od -An -t x2 -j $((header + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
  case $machine in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) return 1 ;;
  esac
}

# brivane_reg TARGET LOG ARGS...: Wine's reg.exe (import, export, add,
# query...) on the registry as the TARGET's programs see it, its output added
# to LOG. With 32-bit Wine installed, `wine` starts a built-in program as a
# 32-bit one, whatever folder names it, and a 32-bit program writes the
# 32-bit view (HKCR\CLSID becomes HKCR\Wow6432Node\CLSID): so the helper is
# always the 32-bit reg.exe, by its own folder, and the view is named on
# every call (/reg:32 for win32, /reg:64 for win64).
brivane_reg() {
  brivane_is_target "$1" || brivane_die "brivane_reg: no target $1"
  brivane_wine_run "$2" 'C:\windows\syswow64\reg.exe' "${@:3}" "/reg:$(brivane_target_bits "$1")"
}

# Wine's loader now and then fails to start a program at all ("ShellExecuteEx
# failed"); only then is a start worth trying again.
# brivane_log_lines LOG: how many lines LOG has (0 when there is none).
brivane_log_lines() { if [[ -f $1 ]]; then wc -l <"$1"; else echo 0; fi; }
# brivane_wine_start_failed LOG LINES: whether what LOG got after its first
# LINES lines tells of such a failure.
brivane_wine_start_failed() { tail -n +"$(($2 + 1))" "$1" 2>/dev/null | grep -q 'ShellExecuteEx failed'; }

# brivane_wine_run LOG ARGS...: `wine ARGS...` to its end, its output added
# to LOG; a start the loader failed is tried again, twice at most.
brivane_wine_run() {
  local log=$1 attempt lines
  shift
  for attempt in 1 2 3; do
    lines=$(brivane_log_lines "$log")
    wine "$@" </dev/null >>"$log" 2>&1 && return 0
    brivane_wine_start_failed "$log" "$lines" || return 1
    sleep 0.5
  done
  return 1
}
