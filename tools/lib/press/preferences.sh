# The Preferences window's steps (--prefs, --prefs-cancel, --prefs-site).
# Part of press.sh.

# window, prints "prefs URL COUNTRY ZOOM" as it showed them, types the two
# texts, moves the slider and presses the button.
press_preferences() {
  local caption=$press_prefs_caption target dump shown
  target=(--window "$caption" --pid "$press_window_pid")
  press_open_window "Options/Preferences" "$caption" || brivane_die "the Preferences window did not show"
  dump=$(press_uidriver dump "${target[@]}") || brivane_die "the Preferences window could not be read"
  # The two text boxes in tab order (site, country), then the slider.
  shown=$(awk -F'\t' '
    { kind = ""; text = ""; pos = "" }
    { for (i = 2; i <= NF; i++) {
        if ($i ~ /^kind=/) kind = substr($i, 6)
        else if ($i ~ /^text=/) text = substr($i, 6)
        else if ($i ~ /^pos=/) pos = substr($i, 5)
      } }
    $1 == "control" && kind == "edit" { edits[n++] = text }
    $1 == "control" && kind == "trackbar" { zoom = pos }
    END { printf "prefs\t%s\t%s\t%s\n", edits[0], edits[1], zoom }' <<<"$dump")
  printf '%s\n' "$shown"
  press_uidriver type "${target[@]}" edit:0 "$1" >/dev/null || brivane_die "the site could not be typed"
  press_uidriver type "${target[@]}" edit:1 "$2" >/dev/null || brivane_die "the country could not be typed"
  press_uidriver slider "${target[@]}" trackbar:0 "$3" >/dev/null || brivane_die "the slider could not be moved to $3"
  if [[ ${4^^} == OK ]]; then
    _press_leave "$caption" OK click "${target[@]}" "&OK"
  else
    _press_leave "$caption" Cancel click "${target[@]}" "&Cancel"
  fi
}

# press_preferences_site NAME: opens the Preferences window, chooses the map
# page NAME in the list of its URL field and presses OK.
press_preferences_site() {
  local caption=$press_prefs_caption target
  target=(--window "$caption" --pid "$press_window_pid")
  press_open_window "Options/Preferences" "$caption" || brivane_die "the Preferences window did not show"
  press_uidriver choose "${target[@]}" combobox:0 "$1" >/dev/null ||
    brivane_die "the map page \"$1\" could not be chosen: $(_press_driver_said)"
  _press_leave "$caption" OK click "${target[@]}" "&OK"
}

