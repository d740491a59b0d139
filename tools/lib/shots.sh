# Pictures of the program's windows for tools/screenshots: the screen taken
# once a window shows, cut to the window (with its drop-down list, when one
# is open). Needs press.sh and a run set up by it (press_stage,
# press_window_pid).

# The rectangle "L,T,R,B" of a driver record.
_shots_rect() { _press_field "$1" rect; }

# _shots_union "L,T,R,B" "L,T,R,B": the smallest rectangle holding both.
_shots_union() {
  local a b
  IFS=, read -r -a a <<<"$1"
  IFS=, read -r -a b <<<"$2"
  printf '%s,%s,%s,%s' "$((a[0] < b[0] ? a[0] : b[0]))" "$((a[1] < b[1] ? a[1] : b[1]))" \
    "$((a[2] > b[2] ? a[2] : b[2]))" "$((a[3] > b[3] ? a[3] : b[3]))"
}

# shots_cut RECT FILE: the screen now, cut to RECT ("L,T,R,B"), as FILE.
shots_cut() { press_screen_cut "$@"; }

# shots_window CAPTION FILE: the program's window with this caption, and
# the list of a drop-down box of the program that is open over it.
shots_window() {
  local record rect list
  record=$(press_uidriver wait --window "$1" --pid "$press_window_pid") ||
    brivane_die "the window \"$1\" does not show"
  rect=$(_shots_rect "$record")
  while IFS= read -r list; do
    rect=$(_shots_union "$rect" "$(_shots_rect "$list")")
  done < <(press_uidriver dump --pid "$press_window_pid" | grep $'^window\t' | grep $'\tclass=ComboLBox\t' || true)
  shots_cut "$rect" "$2"
}

# shots_box FILE [DRIVER OPTIONS]: the message box that shows now (waited
# for), left unanswered.
shots_box() {
  local file=$1 record
  shift
  record=$(press_uidriver wait --class "$press_box_class" "$@") || brivane_die "no message box showed for $file"
  shots_cut "$(_shots_rect "$record")" "$file"
}
