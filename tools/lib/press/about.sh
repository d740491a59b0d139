# The About window's steps (--about). Part of press.sh.

# press_about STEP...: opens Help > About and runs the steps: link and mail
# click the web address and the e-mail address, each waiting for the
# browser's stand-in to receive the URL and printing it as a url line; tab,
# shift+tab, enter and space press that key (press_keys); ok (the OK
# button), cancel (Esc). Message boxes shown meanwhile are printed and
# answered. The window is closed by its close box if the steps left it open.
press_about() {
  local caption=$press_about_caption target step label
  target=(--window "$caption" --pid "$press_window_pid")
  press_open_window "Help/About" "$caption" || brivane_die "the About window did not show"
  for step in "$@"; do
    case $step in
      link | mail)
        label=www.example.com
        [[ $step == mail ]] && label=support@example.com
        press_uidriver label "${target[@]}" "$label" >/dev/null || brivane_die "the $step label could not be clicked"
        press_await_url || brivane_say "about $step: no URL reached the browser within $press_url_seconds s" >&2
        press_print_urls ;;
      tab | shift+tab | enter | space) press_keys "$caption" "$step" ;;
      ok | cancel)
        if [[ $step == ok ]]; then
          _press_leave "$caption" OK click "${target[@]}" "OK"
        else
          _press_leave "$caption" Esc key "${target[@]}" escape
        fi
        return 0 ;;
    esac
    press_answer_boxes
  done
  _press_close_if_open "$caption"
}
