# The program's windows as the driver finds them: the main window shown,
# pressed and closed, the other windows opened from its menu and left, and
# the copy awaited to its end. Part of press.sh.

press_main_caption='Brivane!'
press_main_class='brivane.Form'
press_prefs_caption='Preferences'
press_integrate_caption='Integrate with ACT!'
press_about_caption='About Brivane!'

# press_await_window PID DEADLINE: answers the copy's message boxes until its
# main window shows (prints "window X,Y,W,H topmost|normal" and sets
# press_window_pid, its Windows process id), the copy ends (returns 1) or
# the deadline passes (returns 2).
press_await_window() {
  local pid=$1 deadline=$2 record class title
  press_window_pid=
  while press_running "$pid"; do
    ((SECONDS < deadline)) || return 2
    record=$(press_uidriver wait --timeout "$press_wait_ms") || continue
    class=$(_press_field "$record" class)
    title=$(_press_field "$record" title)
    if [[ $class == "$press_box_class" ]]; then
      press_answer_box --pid "$(_press_field "$record" pid)" || true
    elif [[ $class == "$press_main_class" && $title == "$press_main_caption" ]]; then
      press_window_pid=$(_press_field "$record" pid)
      local topmost=normal
      [[ $(_press_field "$record" topmost) == 1 ]] && topmost=topmost
      printf 'window\t%s\t%s\n' "$(_press_rect_xywh "$(_press_field "$record" rect)")" "$topmost"
      return 0
    else
      brivane_die "another program's window is in the way: $record"
    fi
  done
  return 1
}

# press_await_end PID DEADLINE [WINDOWS_PID]: answers message boxes until
# the copy ends (returns 0; its exit code in press_exit_code) or the
# deadline passes (returns 2).
press_exit_code=
press_await_end() {
  local pid=$1 deadline=$2 only=() i
  [[ -n ${3:-} ]] && only=(--pid "$3")
  while press_running "$pid"; do
    ((SECONDS < deadline)) || return 2
    # Most ends come at once: look for a message box only after a moment.
    for ((i = 0; i < 10; i++)); do
      press_running "$pid" || break 2
      sleep 0.1
    done
    press_answer_box "${only[@]}" || true
  done
  press_exit_code=0
  wait "$pid" 2>/dev/null || press_exit_code=$?
  return 0
}

# press_close_main WINDOWS_PID [LOOK_MS]: asks the main window to close, as
# its close box does. Returns 1 when there is no window to close (looked for
# LOOK_MS, by default the driver's 2 s).
press_close_main() {
  local look=()
  [[ -n ${2:-} ]] && look=(--timeout "$2")
  press_uidriver close --window "$press_main_caption" --pid "$1" "${look[@]}" >/dev/null
}

# press_click_button WINDOWS_PID: presses the main window's button, as a
# click does. Returns 1 when there is no window or button to press.
press_click_button() {
  press_uidriver click --window "$press_main_caption" --pid "$1" "$press_main_caption" >/dev/null
}

# press_screenshot FILE: the whole screen.
press_screenshot() {
  import -display "$DISPLAY" -window root "$1" 2>>"$press_stage/screenshot.log" ||
    { brivane_show_log "$press_stage/screenshot.log"; brivane_die "the screenshot failed"; }
}

# press_open_window MENU_PATH CAPTION: chooses the main window's menu item
# and waits until the window it opens shows, answering the message boxes
# shown meanwhile. Returns 1 when the window did not show.
press_open_window() {
  local i
  press_uidriver menu --window "$press_main_caption" --pid "$press_window_pid" "$1" >/dev/null || return 1
  for ((i = 0; i < 10; i++)); do
    press_uidriver wait --window "$2" --pid "$press_window_pid" --timeout "$press_poll_ms" >/dev/null && return 0
    press_answer_box --pid "$press_window_pid" || true
  done
  return 1
}

# press_open_modal prefs|about|integrate: opens that window from the main
# window's menu and answers the message boxes its opening shows; sets
# press_modal_caption to its caption.
press_modal_caption=
press_open_modal() {
  local menu
  case $1 in
    prefs) press_modal_caption=$press_prefs_caption menu="Options/Preferences" ;;
    about) press_modal_caption=$press_about_caption menu="Help/About" ;;
    integrate) press_modal_caption=$press_integrate_caption menu="Options/Integrate with ACT!" ;;
    *) brivane_die "press_open_modal: no window $1" ;;
  esac
  press_open_window "$menu" "$press_modal_caption" || brivane_die "the $press_modal_caption window did not show"
  press_answer_boxes
}

# press_window_open CAPTION: whether a window of the program with this
# caption shows (looked for briefly).
press_window_open() {
  press_uidriver wait --window "$1" --pid "$press_window_pid" --timeout 200 >/dev/null
}

# press_await_gone CAPTION: answers message boxes until the window with this
# caption has closed. Returns 1 when it is still open after 10 s.
press_await_gone() {
  local i
  for ((i = 0; i < 20; i++)); do
    press_uidriver wait --gone --window "$1" --pid "$press_window_pid" --timeout 200 >/dev/null && return 0
    press_answer_box --pid "$press_window_pid" || true
  done
  return 1
}

# _press_leave CAPTION WHAT UIDRIVER_ARGS...: presses what closes the window
# with this caption (a button, a key; WHAT names it) and waits until it
# closed.
_press_leave() {
  local caption=$1 what=$2
  shift 2
  press_uidriver "$@" >/dev/null || brivane_die "$what could not be pressed: $(_press_driver_said)"
  press_await_gone "$caption" || brivane_die "the window \"$caption\" did not close"
}

# _press_close_if_open CAPTION: closes the window by its close box, as a user
# would, if it is still open.
_press_close_if_open() {
  press_window_open "$1" || return 0
  press_uidriver close --window "$1" --pid "$press_window_pid" >/dev/null || true
  press_await_gone "$1" || brivane_die "the window \"$1\" did not close"
}

# press_preferences URL COUNTRY ZOOM OK|CANCEL: opens the Preferences

# Prints "open CAPTION" for each window the program shows now, in the
# order of the screen, the topmost first.
press_print_open_windows() {
  local dump
  dump=$(press_uidriver dump --pid "$press_window_pid" --timeout 200) || return 0
  awk -F'\t' '$1 == "window" {
    for (i = 2; i <= NF; i++) if ($i ~ /^title=/) printf "open\t%s\n", substr($i, 7) }' <<<"$dump"
}

