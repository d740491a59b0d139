# The user's session ends while the program runs, as at logging off or
# shutting down (--end-session). Part of press.sh.

# press_end_session [prefs|about|integrate]: opens that window from the
# main window's menu first when one is named, then ends the Wine session of
# the run's prefix: wineboot --end-session sends every top-level window
# WM_QUERYENDSESSION and WM_ENDSESSION, then ends each process that has one.
press_end_session() {
  [[ -z ${1:-} ]] || press_open_modal "$1"
  press_wine wineboot wineboot --end-session || {
    brivane_show_log "$press_stage/wineboot.log"
    brivane_die "wineboot --end-session failed"
  }
}
