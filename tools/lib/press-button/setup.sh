# press-button's steps before the program starts: the build, the display
# and Wine session, the staging folder, the stand-in host, the stored
# settings and the browser's stand-in, as the options ask. Part of
# press-button.

logs=$(brivane_build_root)/logs

# The target's program, the stand-in host, the driver and the browser's
# stand-in; built when missing.
step_build() {
  local f missing= needed=(brivane.exe hostsim.exe hostsim.dll tools/uidriver/uidriver.exe
    tools/urlrecorder/urlrecorder.exe)
  [[ -z $lock_settings ]] || needed+=(tools/keylock/keylock.exe)
  if [[ -z $build_dir ]]; then
    build_dir=$(brivane_build_dir "$target")
    for f in "${needed[@]}"; do
      [[ -f $build_dir/$f ]] || missing=1
    done
    if [[ -n $missing ]]; then
      brivane_say "building $target first" >&2
      brivane_build "$target" "$logs" >&2 || brivane_die "the $target build failed"
    fi
  fi
  for f in "${needed[@]}"; do
    [[ -f $build_dir/$f ]] || brivane_die "$build_dir/$f is missing: build $target first"
  done
  local built
  built=$(brivane_pe_target "$build_dir/brivane.exe") || built=neither
  [[ $built == "$target" ]] || brivane_die "$build_dir/brivane.exe is not of $target (--target $target)"
}

# A private X display and Wine session, or the caller's.
step_session() {
  if [[ -n $session ]]; then
    [[ -n ${DISPLAY:-} && -n ${WINEPREFIX:-} ]] || brivane_die "--session needs DISPLAY and WINEPREFIX"
    export WINEDEBUG=${WINEDEBUG:--all}
    return 0
  fi
  brivane_xvfb_start "$logs" >&2
  brivane_wine_start "$build_dir/wineprefix" "$logs" >&2
}

step_stage() {
  local i
  press_setup "$build_dir" "$build_dir/press"
  [[ -z $installed ]] || press_program=$installed
  for ((i = 0; i < ${#countries[@]}; i += 2)); do
    press_countries "${countries[i]}" "${countries[i + 1]}"
  done
  for i in "${removals[@]}"; do
    press_remove "$i" || brivane_die "$i is not in the program's folder"
  done
  if [[ -n $keep ]]; then
    brivane_on_exit 'brivane_say "the run is kept in $press_stage" >&2'
  else
    brivane_on_exit 'rm -rf "$press_stage"'
  fi
}

step_host() {
  local init=()
  case $host in
    no-database) init+=(--no-database) ;;
    unreachable) init+=(--unreachable) ;;
  esac
  # A restart opens the database through the shell: it must be a file.
  if ((${#integrate[@]})); then
    : >"$press_stage/contacts.dbf"
    init+=(--db "$(brivane_winpath "$press_stage/contacts.dbf")")
  fi
  press_host_start "${init[@]}" "${contact[@]}"
  local script words
  for script in "${host_scripts[@]}"; do
    press_words words "$script"
    press_host script "${words[@]}"
  done
}

step_settings() {
  press_settings_replace "${settings[@]}"
  press_route_settings_replace "${route_settings[@]}"
  [[ -n $lock_settings ]] || return 0
  brivane_on_exit 'press_settings_unlock'
  press_settings_lock
}

step_browser() {
  press_recorder_register
  [[ -z $no_browser ]] || press_browser_remove
  [[ -z $no_text_viewer ]] || press_text_viewer_remove
  # Nothing comes without a browser: a press is not waited for long.
  [[ -z $no_browser ]] || press_url_seconds=3
}
