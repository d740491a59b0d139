# The Integrate window's steps (--integrate). Part of press.sh.

# The Integrate window's boxes are numbered as the program numbers them:
# 0-5 the toolbar of views 1-6, 6-11 the Tools menu of views 1-6. The
# window's check boxes come in tab order, toolbar 0..5, then the menu boxes
# from 11 down to 6; the labels in the same order, named by their caption.
press_view_names=("Contacts" "Contact List" "Groups" "Task List" "Calendars" "E-mail")
_press_box_control() {
  local i=$1
  if ((i < 6)); then printf 'checkbox:%d' "$i"; else printf 'checkbox:%d' $((17 - i)); fi
}
_press_label_control() {
  local i=$1
  if ((i < 6)); then
    printf '%s@0' "${press_view_names[i]}"
  else
    printf '%s@1' "${press_view_names[i - 6]}"
  fi
}

# press_integrate STEPS...: opens the Integrate window and runs the steps
# (tick N, untick N, label N, close, cancel), answering the message boxes
# each one brings. The window is closed by its close box if the steps left
# it open.
press_integrate() {
  local caption=$press_integrate_caption target step word n
  target=(--window "$caption" --pid "$press_window_pid")
  press_open_window "Options/Integrate with ACT!" "$caption" || brivane_die "the Integrate window did not show"
  press_answer_boxes
  for step in "$@"; do
    read -r word n <<<"$step"
    case $word in
      tick) press_uidriver check "${target[@]}" "$(_press_box_control "$n")" 1 >/dev/null ||
        brivane_die "box $n could not be ticked: $(_press_driver_said)" ;;
      untick) press_uidriver check "${target[@]}" "$(_press_box_control "$n")" 0 >/dev/null ||
        brivane_die "box $n could not be unticked: $(_press_driver_said)" ;;
      label) press_uidriver label "${target[@]}" "$(_press_label_control "$n")" >/dev/null ||
        brivane_die "label $n could not be clicked: $(_press_driver_said)" ;;
      close | cancel)
        local button='&Close'
        [[ $word == cancel ]] && button='&Cancel'
        _press_leave "$caption" "$button" click "${target[@]}" "$button"
        # A restart's failure is reported after the window closed.
        press_answer_boxes
        return 0 ;;
    esac
    press_answer_boxes
  done
  _press_close_if_open "$caption"
}

# press_about STEPS...: opens the About window from the Help menu and runs
# the steps: link (the web address), mail (the e-mail address), each
