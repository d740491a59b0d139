# The instructions document asked for (--instructions). Part of press.sh.

# How long the text viewer's stand-in may take to be asked for a document.
press_document_seconds=3

# press_instructions menu|prefs: asks for the instructions document with the
# main window's Help > Instructions, or with the Preferences window's
# Instructions button (that window is then closed with Cancel); prints the
# document line of the viewer's stand-in, if it was asked, and the message
# boxes shown meanwhile.
press_instructions() {
  local caption=$press_prefs_caption target
  target=(--window "$caption" --pid "$press_window_pid")
  if [[ $1 == menu ]]; then
    press_uidriver menu --window "$press_main_caption" --pid "$press_window_pid" "Help/Instructions" >/dev/null ||
      brivane_die "Help > Instructions could not be chosen"
  else
    press_open_window "Options/Preferences" "$caption" || brivane_die "the Preferences window did not show"
    press_uidriver click "${target[@]}" "Instructions" >/dev/null || brivane_die "Instructions could not be pressed"
  fi
  press_await_url "$press_document_seconds" || true
  press_print_urls
  press_answer_boxes
  [[ $1 == prefs ]] || return 0
  _press_leave "$caption" Cancel click "${target[@]}" "&Cancel"
}
