# Send to phone and the clipboard (--send-to-phone, --copy, and the Route
# window's phone and copy steps): the window of the QR code, saved as a
# picture and closed with Close, and the text a copy put on the clipboard
# of the run's Wine session. Part of press.sh.

press_phone_caption='Send to phone'
# press_screen_dpi DPI: the screen of the programs started from now on has
# DPI dots per inch; the prefix's own comes back when the run ends.
press_screen_dpi() {
  local made
  made=$(sed -n 's/^dpi //p' "$WINEPREFIX/.brivane-ready" 2>/dev/null || true)
  _press_dpi_store "$1"
  brivane_on_exit "_press_dpi_store ${made:-96}"
}

_press_dpi_store() {
  _press_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null ||
    { brivane_show_log "$press_stage/registry.log"; brivane_die "the screen's dpi could not be set to $1"; }
}

# _press_phone_shown FILE: the Send to phone window shows: prints "phone
# X,Y,W,H" (its outer pixels), saves its picture as FILE and closes it with
# Close.
_press_phone_shown() {
  local record target=(--window "$press_phone_caption" --pid "$press_window_pid")
  record=$(press_uidriver wait "${target[@]}") || brivane_die "the $press_phone_caption window went"
  printf 'phone\t%s\n' "$(_press_rect_xywh "$(_press_field "$record" rect)")"
  press_screen_cut "$(_press_field "$record" rect)" "$1"
  _press_leave "$press_phone_caption" Close click "${target[@]}" Close
}

# _press_phone_await FILE: after Send to phone was asked for: the window
# (_press_phone_shown), or the message boxes that came instead, printed and
# answered.
_press_phone_await() {
  local i
  for ((i = 0; i < 10; i++)); do
    if press_uidriver wait --window "$press_phone_caption" --pid "$press_window_pid" \
      --timeout "$press_poll_ms" >/dev/null; then
      _press_phone_shown "$1"
      return 0
    fi
    if press_answer_box --pid "$press_window_pid"; then
      press_answer_boxes
      press_window_open "$press_phone_caption" && _press_phone_shown "$1"
      return 0
    fi
  done
  brivane_say "send to phone: neither the window nor a message came" >&2
}

# press_send_to_phone FILE: Map > Send to phone... in the main window.
press_send_to_phone() {
  press_uidriver menu --window "$press_main_caption" --pid "$press_window_pid" "Map/Send to phone..." >/dev/null ||
    brivane_die "Map > Send to phone... could not be chosen: $(_press_driver_said)"
  _press_phone_await "$1"
}

# press_route_phone FILE: the Route window's Send to phone... button.
press_route_phone() {
  press_uidriver click --window "$press_route_caption" --pid "$press_window_pid" "Send to &phone..." >/dev/null ||
    brivane_die "Send to phone... could not be pressed: $(_press_driver_said)"
  _press_phone_await "$1"
}

# _press_copied WHAT UIDRIVER_ARGS...: empties the clipboard, does what
# copies (a menu item, a button), then prints "clipboard TEXT" once text
# arrives there, or the message box that came instead.
_press_copied() {
  local what=$1 out deadline=$((SECONDS + 10))
  shift
  press_uidriver clipboard empty >/dev/null || brivane_die "the clipboard could not be emptied: $(_press_driver_said)"
  press_uidriver "$@" >/dev/null || brivane_die "$what could not be chosen: $(_press_driver_said)"
  while ((SECONDS < deadline)); do
    out=$(press_uidriver clipboard) || brivane_die "the clipboard could not be read: $(_press_driver_said)"
    out=${out%$'\r'}
    if [[ $out == text$'\t'* ]]; then
      printf 'clipboard\t%s\n' "${out#text$'\t'}"
      return 0
    fi
    press_answer_box --pid "$press_window_pid" && return 0
  done
  brivane_say "$what: neither text on the clipboard nor a message came" >&2
}

# press_copy address|link: Map > Copy address, or Map > Copy map link.
press_copy() {
  local item="Map/Copy address"
  [[ $1 == link ]] && item="Map/Copy map link"
  _press_copied "$item" menu --window "$press_main_caption" --pid "$press_window_pid" "$item"
}

# press_route_copy: the Route window's Copy link button.
press_route_copy() {
  _press_copied "Copy link" click --window "$press_route_caption" --pid "$press_window_pid" "Copy &link"
}
