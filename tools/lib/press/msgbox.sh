# The program's message boxes: printed as msgbox lines and answered as
# --answer says. Part of press.sh.

press_box_class='#32770'

# The answers given to message boxes, in order; OK when none is left.
press_answers=()
_press_answered=0
_press_next_answer() {
  if ((_press_answered < ${#press_answers[@]})); then
    printf '%s' "${press_answers[_press_answered]}"
  else
    printf 'OK'
  fi
}

# press_answer_box [DRIVER OPTIONS]: if a message box shows within the
# poll time, prints "msgbox TITLE TEXT" and answers it. Returns 1 when none
# showed.
press_answer_box() {
  local answer out rc=0 title text
  [[ -z $press_event_at_prompt ]] || _press_event_at_prompt "$@"
  answer=$(_press_next_answer)
  out=$(press_uidriver msgbox --timeout "$press_poll_ms" --answer "$answer" "$@") || rc=$?
  title=$(sed -n 's/^title\t//p' <<<"$out")
  [[ -n $out ]] || return 1
  text=$(sed -n 's/^text\t//p' <<<"$out")
  printf 'msgbox\t%s\t%s\n' "$title" "$text"
  if ((rc != 0)); then
    brivane_show_log "$press_stage/uidriver.log"
    brivane_die "the message box \"$title\" could not be answered $answer (see --answer)"
  fi
  _press_answered=$((_press_answered + 1))
  _press_event_after_prompt "$title"
}

# press_answer_boxes: answers the message boxes that show now, one after
# the other, until none is left.
press_answer_boxes() {
  while press_answer_box --pid "$press_window_pid"; do :; done
}

