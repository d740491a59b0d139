# The day's route (--route-add, --route): contacts added from the main
# window's Map menu, and the steps in the Route window. Part of press.sh.

press_route_caption='Route'

# The number of fields the stand-in host has been asked for so far.
_press_field_reads() {
  { wine "$press_hostsim" log </dev/null 2>>"$press_stage/hostsim.log" || true; } | grep -c $'\tGetField\t' || true
}

# press_route_add STREET CITY STATE ZIP COUNTRY: the stand-in's current
# contact gets this address, then Map > Add this contact to the route is
# chosen. Returns once the program has read the contact (the address is
# never changed under it), with the message boxes shown meanwhile printed
# and answered.
press_route_add() {
  local before deadline=$((SECONDS + 10))
  press_host set-field 27 "$1" 30 "$2" 31 "$3" 32 "$4" 33 "$5"
  before=$(_press_field_reads)
  press_uidriver menu --window "$press_main_caption" --pid "$press_window_pid" \
    "Map/Add this contact to the route" >/dev/null ||
    brivane_die "Map > Add this contact to the route could not be chosen: $(_press_driver_said)"
  while (($(_press_field_reads) < before + 5)); do
    ((SECONDS < deadline)) && press_running "$press_main_pid" ||
      brivane_die "the program did not read the contact to add it to the route"
    sleep 0.1
  done
  press_answer_boxes
}

# _press_route_list: the Route window's stops (_press_route_stops) and the
# selected one (_press_route_selected, from 0; -1 for none), as the list
# shows them.
_press_route_list() {
  local out
  out=$(press_uidriver entries --window "$press_route_caption" --pid "$press_window_pid" listbox:0) ||
    brivane_die "the Route window's stops could not be read: $(_press_driver_said)"
  mapfile -t _press_route_stops < <(sed -n 's/^entry\t[0-9]*\t//p' <<<"$out" | tr -d '\r')
  _press_route_selected=$(sed -n 's/^selected\t//p' <<<"$out" | tr -d '\r')
}

# _press_route_await WHAT TEST [ARGS...]: reads the list until the command
# TEST holds on it (the program has done the step), for up to 10 s.
_press_route_await() {
  local what=$1 deadline=$((SECONDS + 10))
  shift
  while :; do
    _press_route_list
    "$@" && return 0
    ((SECONDS < deadline)) || brivane_die "$what did not happen in the Route window"
    sleep 0.1
  done
}

_press_route_selected_is() { ((_press_route_selected == $1)); }
_press_route_count_is() { ((${#_press_route_stops[@]} == $1)); }

# Whether Up, Down and Remove are enabled as they are for stop N (from 0)
# selected: the program has taken the selection.
_press_route_buttons_for() {
  local dump want
  dump=$(press_uidriver dump --window "$press_route_caption" --pid "$press_window_pid") || return 1
  want="$(($1 > 0)) $(($1 + 1 < ${#_press_route_stops[@]})) 1"
  [[ $(awk -F'\t' '$1 == "control" {
      text = ""; on = ""
      for (i = 2; i <= NF; i++) {
        if ($i ~ /^text=/) text = substr($i, 6)
        else if ($i ~ /^enabled=/) on = substr($i, 9)
      }
      if (text == "&Up") up = on; else if (text == "&Down") down = on; else if (text == "&Remove") rm = on
    } END { printf "%s %s %s", up, down, rm }' <<<"$dump") == "$want" ]]
}

# _press_route_click CAPTION: presses a button of the Route window.
_press_route_click() {
  press_uidriver click --window "$press_route_caption" --pid "$press_window_pid" "$1" >/dev/null ||
    brivane_die "$1 could not be pressed: $(_press_driver_said)"
}

# Open: the URL the browser received, or the message box that came instead.
_press_route_open() {
  local deadline=$((SECONDS + press_url_seconds))
  _press_route_click "&Open"
  while ((SECONDS < deadline)); do
    if (($(press_urls_logged) > _press_urls_shown)); then
      press_print_urls
      return 0
    fi
    press_answer_box --pid "$press_window_pid" && return 0
  done
  brivane_say "route open: neither a URL nor a message came within $press_url_seconds s" >&2
}

# press_route STEPS...: opens Map > Show route..., prints "stop N TEXT" for
# each stop as the list shows it, then runs the steps: select N, up, down,
# remove, clear (its question answered by the next --answer, else Yes),
# start TEXT, back on|off, mode driving|walking|bicycling, open, close. Each
# step waits until the program has done it. The window is closed by its
# close box if the steps left it open.
press_route() {
  local caption=$press_route_caption target step i n mode answer
  target=(--window "$caption" --pid "$press_window_pid")
  press_open_window "Map/Show route..." "$caption" || brivane_die "the Route window did not show"
  _press_route_list
  for ((i = 0; i < ${#_press_route_stops[@]}; i++)); do
    printf 'stop\t%d\t%s\n' $((i + 1)) "${_press_route_stops[i]}"
  done
  for step in "$@"; do
    n=${#_press_route_stops[@]}
    case $step in
      select\ *)
        i=$((${step#select } - 1))
        press_uidriver select "${target[@]}" listbox:0 "$i" >/dev/null ||
          brivane_die "stop $((i + 1)) could not be selected: $(_press_driver_said)"
        _press_route_await "selecting stop $((i + 1))" _press_route_buttons_for "$i" ;;
      up | down)
        i=$_press_route_selected
        _press_route_click "&${step^}"
        [[ $step == up ]] && i=$((i - 1)) || i=$((i + 1))
        _press_route_await "moving the stop $step" _press_route_selected_is "$i" ;;
      remove)
        _press_route_click "&Remove"
        _press_route_await "removing the stop" _press_route_count_is $((n - 1)) ;;
      clear)
        _press_route_click "&Clear"
        ((_press_answered < ${#press_answers[@]})) || press_answers+=(YES)
        answer=$(_press_next_answer)
        press_answer_box --pid "$press_window_pid" || brivane_die "Clear asked nothing"
        if [[ $answer == YES ]]; then
          _press_route_await "clearing the route" _press_route_count_is 0
        fi ;;
      start\ *)
        press_uidriver type "${target[@]}" edit:0 "${step#start }" >/dev/null ||
          brivane_die "the start address could not be typed: $(_press_driver_said)" ;;
      back\ *)
        [[ $step == 'back on' ]] && i=1 || i=0
        press_uidriver check "${target[@]}" checkbox:0 "$i" >/dev/null ||
          brivane_die "\"Back to the start\" could not be set: $(_press_driver_said)" ;;
      mode\ *)
        mode=${step#mode }
        press_uidriver choose "${target[@]}" combobox:0 "${mode^}" >/dev/null ||
          brivane_die "the travel mode $mode could not be chosen: $(_press_driver_said)" ;;
      open) _press_route_open ;;
      close)
        _press_leave "$caption" Close click "${target[@]}" Close
        return 0 ;;
    esac
  done
  _press_close_if_open "$caption"
}
