# Keys pressed in one of the program's windows as a user presses them (real
# input through the driver, which the window's own loop takes): tab and
# shift+tab print where the focus went, enter and space the URL the browser
# received. Part of press.sh.

# The text of the control of the window with this caption that has the
# keyboard focus (its edit field's, in a drop-down box); empty when none,
# or when the window is gone.
_press_focused_text() {
  press_uidriver dump --window "$1" --pid "$press_window_pid" --timeout 500 |
    awk -F'\t' '$1 == "control" {
      focused = 0; text = ""
      for (i = 2; i <= NF; i++) {
        if ($i == "focus=1") focused = 1
        if ($i ~ /^text=/) text = substr($i, 6)
      }
      if (focused) { print text; exit }
    }' || true
}

# press_keys CAPTION STEP...: each step a key: tab, shift+tab (then prints
# "focus TEXT", the text of the control the focus moved to; the driver's
# key returns before the window has taken it, so the focus is awaited),
# enter, space (then prints the url the browser received, as a link or a
# button opened it). Message boxes shown meanwhile are printed and answered.
press_keys() {
  local caption=$1 step before now i
  shift
  for step in "$@"; do
    before=$(_press_focused_text "$caption")
    press_uidriver key --window "$caption" --pid "$press_window_pid" "$step" >/dev/null ||
      brivane_die "$step could not be pressed in \"$caption\": $(_press_driver_said)"
    case $step in
      tab | shift+tab)
        now=$before
        for ((i = 0; i < 20; i++)); do
          now=$(_press_focused_text "$caption")
          [[ $now == "$before" ]] || break
          sleep 0.1
        done
        printf 'focus\t%s\n' "$now" ;;
      enter | space)
        press_await_url || brivane_say "$step in \"$caption\": no URL reached the browser within $press_url_seconds s" >&2
        press_print_urls
        press_answer_boxes ;;
    esac
  done
}
