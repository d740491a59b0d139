# The host's notifications raised while a window of the program is open
# (--event-in): a modal window, or the restart prompt. Part of press.sh.

press_restart_title='Brivane!'

# A notification (A or B) the host raises while the restart prompt shows,
# once, before the prompt is answered; empty for none.
press_event_at_prompt=

# When the restart prompt shows: the host raises the notification, and the
# prompt waits until the main window has gone (at most 3 s).
_press_event_at_prompt() {
  local out i
  out=$(press_uidriver msgbox --timeout "$press_poll_ms" "$@") || return 0
  [[ $(sed -n 's/^title\t//p' <<<"$out") == "$press_restart_title" ]] || return 0
  press_host raise "$press_event_at_prompt"
  press_event_at_prompt=
  for ((i = 0; i < 3; i++)); do
    press_uidriver wait --gone --window "$press_main_caption" --pid "$press_window_pid" --timeout 1000 \
      >/dev/null && break
  done
}

# press_event_in prefs|about|integrate EVENT: opens that window from the
# main window's menu and has the host raise the notification once it shows.
# Waits until the main window has gone (at most 3 s), answering message
# boxes; prints "open CAPTION" for each window of the program still shown
# then, and closes them by their close boxes, the main window last.
press_event_in() {
  local caption i
  press_open_modal "$1"
  press_host raise "$2"
  for ((i = 0; i < 6; i++)); do
    press_uidriver wait --gone --window "$press_main_caption" --pid "$press_window_pid" --timeout 500 \
      >/dev/null && break
    press_answer_box --pid "$press_window_pid" || true
  done
  local open
  open=$(press_print_open_windows)
  [[ -z $open ]] || printf '%s\n' "$open"
  local captions=()
  while IFS=$'\t' read -r _ caption; do
    [[ -z $caption || $caption == "$press_main_caption" ]] || captions+=("$caption")
  done <<<"$open"
  grep -qx $'open\t'"$press_main_caption" <<<"$open" && captions+=("$press_main_caption")
  for caption in "${captions[@]}"; do
    press_uidriver close --window "$caption" --pid "$press_window_pid" >/dev/null || continue
    press_await_gone "$caption" || brivane_die "the $caption window did not close"
  done
}
