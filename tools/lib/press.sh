# The pieces of tools/press-button: a clean folder for one run of the real
# program, its stored settings in the Wine registry, the browser that stands
# in for the real one (a URL recorder), the program's processes,
# and what it shows (its message boxes, its main window). Outcome lines go
# to stdout, one a line, tab-separated; the harness's own words to stderr.
# Needs common.sh, an X display and a running Wine session (WINEPREFIX).

press_settings_key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\brivane\Settings'
press_main_caption='Brivane!'
press_main_class='brivane.Form'
press_box_class='#32770'
# How long one look for a window lasts: a look returns as soon as one shows,
# but a program that ends without one is noticed only after it.
press_poll_ms=500
press_wait_ms=1500

# The name of the program's file in the staging folder, without ".exe" (a
# user may rename the file).
press_program_name=brivane

# press_setup BUILD_DIR STAGE_PARENT: makes a fresh staging folder for one
# run: program/ holds the program (as press_program_name) and its data
# files and nothing else; the
# stand-in host's state, the settings files and the logs lie beside it.
# Sets press_build, press_target (win32 or win64, as its brivane.exe was
# built), press_stage, press_program, press_uidriver, press_hostsim,
# press_recorder, press_keylock. The helpers are the build's own, of the
# program's bitness: the driver can only read the menus of a program of its
# own.
press_setup() {
  press_build=$1
  press_target=$(brivane_pe_target "$press_build/brivane.exe") ||
    brivane_die "$press_build/brivane.exe is no program of win32 or win64"
  mkdir -p "$2"
  press_stage=$(mktemp -d "$2/run.XXXXXX")
  press_program=$press_stage/program
  press_uidriver=$press_build/tools/uidriver/uidriver.exe
  press_hostsim=$press_build/hostsim.exe
  press_recorder=$press_build/tools/urlrecorder/urlrecorder.exe
  press_keylock=$press_build/tools/keylock/keylock.exe
  mkdir "$press_program"
  cp "$press_build/brivane.exe" "$press_program/$press_program_name.exe"
  local data name
  for data in "$BRIVANE_ROOT"/data/*; do
    name=${data##*/}
    [[ -f $press_build/$name ]] && cp "$press_build/$name" "$press_program/"
  done
  return 0
}

# press_countries SITE FILE: the countries file of that site in the program's
# folder is this one.
press_countries() { cp -- "$2" "$press_program/Countries_$1.txt"; }

# press_remove NAME: the program's folder lacks this file (a data file that
# was deleted or never installed). Returns 1 when there is no such file.
press_remove() {
  [[ $1 != */* && -f $press_program/$1 ]] || return 1
  rm -f -- "$press_program/$1"
}

# press_words VAR TEXT: TEXT split into words as a shell splits them (blanks
# part them, quotes group them, a backslash escapes), nothing expanded.
# Returns 1 for an unmatched quote.
press_words() {
  local -n _words=$1
  _words=()
  [[ $2 == *[![:space:]]* ]] || return 0
  printf '%s\n' "$2" | xargs printf '' 2>/dev/null || return 1
  mapfile -d '' _words < <(printf '%s\n' "$2" | xargs printf '%s\0')
}

# press_wine LOGNAME PROGRAM ARGS...: runs a Windows program to its end, its
# output in a log of the staging folder (files, not pipes: see WINE-NOTES).
press_wine() { brivane_wine_run "$press_stage/$1.log" "${@:2}"; }

# press_uidriver ARGS...: the driver's stdout; its complaints go to a log.
press_uidriver() { wine "$press_uidriver" "$@" </dev/null 2>>"$press_stage/uidriver.log"; }
# What the driver said last (its reason, after a failure), for messages.
_press_driver_said() { tail -n 1 "$press_stage/uidriver.log" 2>/dev/null | tr -d '\r'; }

# ---- the stand-in host ----------------------------------------------------

# press_host_start INIT_ARGS...: registers the stand-in host in the prefix
# and gives it a fresh state file in the staging folder.
press_host_start() {
  "$BRIVANE_ROOT/tools/hostsim/register" "$WINEPREFIX" "$press_build" \
    >>"$press_stage/register.log" 2>&1 ||
    { brivane_show_log "$press_stage/register.log"; brivane_die "the stand-in host could not be registered"; }
  BRIVANE_HOSTSIM_STATE=$(brivane_winpath "$press_stage/host-state.txt")
  export BRIVANE_HOSTSIM_STATE
  press_wine hostsim "$press_hostsim" init "$@" ||
    { brivane_show_log "$press_stage/hostsim.log"; brivane_die "the stand-in host could not be set up"; }
}

# press_host ARGS...: one command of the stand-in host.
press_host() {
  press_wine hostsim "$press_hostsim" "$@" ||
    { brivane_show_log "$press_stage/hostsim.log"; brivane_die "hostsim $1 failed"; }
}

# The calls the stand-in host received and the events it raised, as its log
# prints them ("call ...", "event N begin|end").
press_host_log() {
  wine "$press_hostsim" log </dev/null 2>>"$press_stage/hostsim.log" ||
    brivane_die "the stand-in host's log could not be read"
}

# ---- settings in the registry -----------------------------------------------

# A quoted string of a .reg file.
_press_reg_string() {
  local s=$1
  s=${s//\\/\\\\}
  s=${s//\"/\\\"}
  s=${s//$'\r'/\\r}
  s=${s//$'\n'/\\n}
  printf '"%s"' "$s"
}

# _press_reg_import NAME WHAT: imports the .reg text on stdin (UTF-8) as
# UTF-16 with a byte-order mark, so any text survives; WHAT names it when
# the import fails.
_press_reg_import() {
  local reg=$press_stage/$1.reg
  { printf '\xff\xfe'; sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  _press_reg import "$(brivane_winpath "$reg")" && return 0
  brivane_show_log "$press_stage/registry.log"
  brivane_die "$2 could not be stored"
}

# _press_reg ARGS...: Wine's reg.exe on the registry as the program sees it.
_press_reg() { brivane_reg "$press_target" "$press_stage/registry.log" "$@"; }

# press_settings_replace [KEY=VALUE...]: the program's settings key deleted,
# then these values stored, in one registry import.
press_settings_replace() {
  local assignment
  {
    printf 'Windows Registry Editor Version 5.00\n\n[-%s]\n' "$press_settings_key"
    if (($#)); then
      printf '[%s]\n' "$press_settings_key"
      for assignment in "$@"; do
        printf '%s=%s\n' "$(_press_reg_string "${assignment%%=*}")" "$(_press_reg_string "${assignment#*=}")"
      done
    fi
  } | _press_reg_import settings "the settings"
}

# press_settings_lock: nobody may write the program's settings key any more
# (it is created when missing) until press_settings_unlock; reading and
# deleting it stay allowed. Prints "locked yes", or "locked no" when the
# system lets a writer in all the same.
press_settings_lock() {
  local rc=0
  printf 'Windows Registry Editor Version 5.00\n\n[%s]\n' "$press_settings_key" |
    _press_reg_import settings-key "the settings key"
  press_wine keylock "$press_keylock" lock "${press_settings_key#HKEY_CURRENT_USER\\}" || rc=$?
  case $rc in
    0) printf 'locked\tyes\n' ;;
    3) printf 'locked\tno\n' ;;
    *) brivane_show_log "$press_stage/keylock.log"; brivane_die "the settings key could not be locked" ;;
  esac
}

press_settings_unlock() {
  press_wine keylock "$press_keylock" unlock "${press_settings_key#HKEY_CURRENT_USER\\}" || true
}

# Prints "setting KEY VALUE" for each value under the settings key, sorted by
# key, text escaped as the driver escapes it (\\ \t \r \n). Nothing when the
# key does not exist.
press_settings_print() {
  local reg=$press_stage/settings-after.reg
  rm -f "$reg"
  _press_reg export "$press_settings_key" "$(brivane_winpath "$reg")" /y || true
  [[ -s $reg ]] || return 0
  # The export escapes \ " CR LF inside a quoted string and leaves tabs raw;
  # values of other types (dword:, hex(N):) are printed as exported.
  iconv -f UTF-16LE -t UTF-8 "$reg" | sed 's/^\xEF\xBB\xBF//; s/\r$//' | awk '
    function unquote(s,    out, c, n, i) {
      out = ""
      n = length(s)
      for (i = 1; i <= n; i++) {
        c = substr(s, i, 1)
        if (c == "\\" && i < n) {
          c = substr(s, ++i, 1)
          if (c == "\\") out = out "\\\\"
          else if (c == "\"") out = out "\""
          else out = out "\\" c
        } else if (c == "\t") {
          out = out "\\t"
        } else {
          out = out c
        }
      }
      return out
    }
    # The end of a quoted string starting at position 1: the next " not
    # escaped.
    function closing(s,    i, n) {
      n = length(s)
      for (i = 2; i <= n; i++) {
        if (substr(s, i, 1) == "\\") { i++; continue }
        if (substr(s, i, 1) == "\"") return i
      }
      return 0
    }
    # A long value goes on over lines ending in a backslash (a quoted
    # string always ends in a quote).
    { sub(/^ +/, "") }
    /\\$/ { pending = pending substr($0, 1, length($0) - 1); next }
    {
      current = pending $0
      pending = ""
      if (substr(current, 1, 1) != "\"") next
      end = closing(current)
      if (!end) next
      name = unquote(substr(current, 2, end - 2))
      rest = substr(current, end + 2)
      if (substr(rest, 1, 1) == "\"" && substr(rest, length(rest), 1) == "\"")
        value = unquote(substr(rest, 2, length(rest) - 2))
      else
        value = rest
      printf "setting\t%s\t%s\n", name, value
    }
  ' | LC_ALL=C sort
}

# ---- the browser ----------------------------------------------------------------

# The schemes whose opening the recorder stands in for. A fresh prefix hands
# them to Wine's own browser launcher, so they are always taken over.
press_recorder_schemes=(http https mailto)
# How long a press may take to reach the browser.
press_url_seconds=10
_press_urls_shown=0

# press_recorder_register: the URL recorder becomes the handler of the
# schemes, "RECORDER" "%1", and of text documents (.txt), "RECORDER"
# document "%1", in one registry import; it logs the command line the shell
# starts it with to urls.log of the staging folder, named in
# BRIVANE_URL_LOG, which the program passes on to what it starts.
press_recorder_register() {
  local scheme command document
  command=$(_press_reg_string "\"$(brivane_winpath "$press_recorder")\" \"%1\"")
  document=$(_press_reg_string "\"$(brivane_winpath "$press_recorder")\" document \"%1\"")
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    for scheme in "${press_recorder_schemes[@]}"; do
      # Removed first: no other verb or DDE conversation of the old handler
      # may take the URL.
      printf '[-HKEY_CLASSES_ROOT\\%s]\n' "$scheme"
      printf '[HKEY_CLASSES_ROOT\\%s]\n@="URL:%s"\n"URL Protocol"=""\n' "$scheme" "$scheme"
      printf '[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\n@=%s\n' "$scheme" "$command"
    done
    printf '[-HKEY_CLASSES_ROOT\\txtfile]\n[HKEY_CLASSES_ROOT\\.txt]\n@="txtfile"\n'
    printf '[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]\n@=%s\n' "$document"
  } | _press_reg_import recorder "the URL recorder"
  press_url_log=$press_stage/urls.log
  : >"$press_url_log"
  BRIVANE_URL_LOG=$(brivane_winpath "$press_url_log")
  export BRIVANE_URL_LOG
  _press_urls_shown=0
}

# press_browser_remove: nothing is registered for http, https and mailto
# in this run (the next registration brings the recorder back).
press_browser_remove() {
  local scheme
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    for scheme in "${press_recorder_schemes[@]}"; do printf '[-HKEY_CLASSES_ROOT\\%s]\n' "$scheme"; done
  } | _press_reg_import no-browser "the removal of the browser"
}

# press_text_viewer_remove: nothing is registered for .txt files in this run.
press_text_viewer_remove() {
  printf 'Windows Registry Editor Version 5.00\n\n[-HKEY_CLASSES_ROOT\\.txt]\n[-HKEY_CLASSES_ROOT\\txtfile]\n' |
    _press_reg_import no-text-viewer "the removal of the text viewer"
}

# The number of URLs the recorder logged so far (complete lines).
press_urls_logged() { wc -l <"$press_url_log"; }

# The Linux pid of the copy of the program whose windows are driven; while
# it is set, waits for the browser answer that copy's message boxes.
press_main_pid=

# press_await_url [SECONDS]: waits until the recorder logged a URL not shown
# yet; returns 1 when none came in time (by default press_url_seconds).
# With press_main_pid set, the message boxes of that copy are printed and
# answered meanwhile, and once the copy ended the wait lasts 3 s at most
# (the shell starts the browser after the program asked, and the program
# may end at once).
press_await_url() {
  local deadline=$((SECONDS + ${1:-$press_url_seconds})) looks=0 ended=
  while (($(press_urls_logged) <= _press_urls_shown)); do
    ((SECONDS < deadline)) || return 1
    if [[ -n $press_main_pid && -z $ended ]]; then
      if ! press_running "$press_main_pid"; then
        ended=1
        ((deadline < SECONDS + 3)) || deadline=$((SECONDS + 3))
        continue
      fi
      # A URL comes within a moment; only a slower one is watched for boxes.
      if ((++looks > 20)); then
        press_answer_box --pid "$press_window_pid" || true
        continue
      fi
    fi
    sleep 0.05
  done
}

# The argument part of a logged command line, that is what the template
# "RECORDER" "%1" made of the URL: the program's path (up to its closing
# quote, or the first blank when unquoted) and the blank after it go, then
# the template's quotes when the rest starts and ends with one. Any other
# quote stays, so a URL that broke out of its quotes shows.
_press_url_argument() {
  local line=$1 rest
  if [[ $line == \"* ]]; then
    rest=${line#\"*\"}
  elif [[ $line == *" "* ]]; then
    rest=${line#* }
  else
    rest=
  fi
  rest=${rest# }
  if ((${#rest} >= 2)) && [[ $rest == \"*\" ]]; then
    rest=${rest:1:${#rest}-2}
  fi
  printf '%s' "$rest"
}

# Prints "url URL" for each URL the recorder logged since the last call, in
# order, and "document FILE" for each text document it was asked to open
# (FILE without the program's folder when it lies there).
# The log is escaped as the driver escapes (\\ \t \r \n).
press_print_urls() {
  local line n=0 argument folder
  while IFS= read -r line; do
    n=$((n + 1))
    ((n > _press_urls_shown)) || continue
    argument=$(_press_url_argument "$line")
    if [[ $argument == 'document "'*'"' ]]; then
      argument=${argument#document \"}
      argument=${argument%\"}
      # The shell names the document by its full path: shown inside the
      # program's folder (the log doubles each backslash).
      folder=$(brivane_winpath "$press_program")
      folder=${folder//\\/\\\\}\\\\
      printf 'document\t%s\n' "${argument#"$folder"}"
    else
      printf 'url\t%s\n' "$argument"
    fi
    _press_urls_shown=$n
  done <"$press_url_log"
}

# ---- the program's processes ------------------------------------------------

# press_start VAR: starts a copy of the program from its staging folder and
# stores the pid in VAR (the Windows program runs in that very process).
press_start() {
  local -n _pid=$1
  local log=$press_stage/brivane.log
  _press_start_lines=$(brivane_log_lines "$log")
  (cd "$press_program" && exec wine "./$press_program_name.exe") </dev/null >>"$log" 2>&1 &
  _pid=$!
}

# Whether the last copy started never ran because Wine's loader failed to
# start it: worth one more go.
press_start_failed() { brivane_wine_start_failed "$press_stage/brivane.log" "${_press_start_lines:-0}"; }

press_running() { [[ -n ${1:-} ]] && kill -0 "$1" 2>/dev/null; }

# press_stop PID: ends a copy that did not end by itself.
press_stop() {
  local pid=$1 i
  press_running "$pid" || return 0
  kill "$pid" 2>/dev/null || true
  for ((i = 0; i < 20; i++)); do
    press_running "$pid" || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# ---- what the program shows -------------------------------------------------

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

# A field of a driver record: "key=value" among tab-separated fields.
_press_field() { tr '\t' '\n' <<<"$1" | sed -n "s/^$2=//p" | head -n 1; }

# A notification (A or B) the host raises while the restart prompt shows,
# once, before the prompt is answered; empty for none.
press_event_at_prompt=

# When the restart prompt shows: the host raises the notification, and the
# prompt waits until the main window has gone (at most 3 s).
_press_event_at_prompt() {
  local out i
  out=$(press_uidriver msgbox --timeout "$press_poll_ms" "$@") || return 0
  [[ $(sed -n 's/^title\t//p' <<<"$out") == "$press_restart_title" ]] || return 0
  press_host raise "$press_event_at_prompt"
  press_event_at_prompt=
  for ((i = 0; i < 3; i++)); do
    press_uidriver wait --gone --window "$press_main_caption" --pid "$press_window_pid" --timeout 1000 \
      >/dev/null && break
  done
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
}

# The rectangle of a driver record ("L,T,R,B") as "X,Y,W,H".
_press_rect_xywh() {
  local l t r b
  IFS=, read -r l t r b <<<"$1"
  printf '%s,%s,%s,%s' "$l" "$t" "$((r - l))" "$((b - t))"
}

# press_await_window PID DEADLINE: answers the copy's message boxes until its
# main window shows (prints "window X,Y,W,H topmost|normal" and sets
# press_window_pid, its Windows process id), the copy ends (returns 1) or
# the deadline passes (returns 2).
press_await_window() {
  local pid=$1 deadline=$2 record class title
  press_window_pid=
  while press_running "$pid"; do
    ((SECONDS < deadline)) || return 2
    record=$(press_uidriver wait --timeout "$press_wait_ms") || continue
    class=$(_press_field "$record" class)
    title=$(_press_field "$record" title)
    if [[ $class == "$press_box_class" ]]; then
      press_answer_box --pid "$(_press_field "$record" pid)" || true
    elif [[ $class == "$press_main_class" && $title == "$press_main_caption" ]]; then
      press_window_pid=$(_press_field "$record" pid)
      local topmost=normal
      [[ $(_press_field "$record" topmost) == 1 ]] && topmost=topmost
      printf 'window\t%s\t%s\n' "$(_press_rect_xywh "$(_press_field "$record" rect)")" "$topmost"
      return 0
    else
      brivane_die "another program's window is in the way: $record"
    fi
  done
  return 1
}

# press_await_end PID DEADLINE [WINDOWS_PID]: answers message boxes until
# the copy ends (returns 0) or the deadline passes (returns 2).
press_await_end() {
  local pid=$1 deadline=$2 only=() i
  [[ -n ${3:-} ]] && only=(--pid "$3")
  while press_running "$pid"; do
    ((SECONDS < deadline)) || return 2
    # Most ends come at once: look for a message box only after a moment.
    for ((i = 0; i < 10; i++)); do
      press_running "$pid" || break 2
      sleep 0.1
    done
    press_answer_box "${only[@]}" || true
  done
  wait "$pid" 2>/dev/null || true
  return 0
}

# press_close_main WINDOWS_PID [LOOK_MS]: asks the main window to close, as
# its close box does. Returns 1 when there is no window to close (looked for
# LOOK_MS, by default the driver's 2 s).
press_close_main() {
  local look=()
  [[ -n ${2:-} ]] && look=(--timeout "$2")
  press_uidriver close --window "$press_main_caption" --pid "$1" "${look[@]}" >/dev/null
}

# press_click_button WINDOWS_PID: presses the main window's button, as a
# click does. Returns 1 when there is no window or button to press.
press_click_button() {
  press_uidriver click --window "$press_main_caption" --pid "$1" "$press_main_caption" >/dev/null
}

# press_screenshot FILE: the whole screen.
press_screenshot() {
  import -display "$DISPLAY" -window root "$1" 2>>"$press_stage/screenshot.log" ||
    { brivane_show_log "$press_stage/screenshot.log"; brivane_die "the screenshot failed"; }
}

# ---- the program's other windows ----------------------------------------------

press_prefs_caption='Preferences'
press_integrate_caption='Integrate with ACT!'
press_restart_title='Brivane!'
press_about_caption='About Brivane!'

# press_open_window MENU_PATH CAPTION: chooses the main window's menu item
# and waits until the window it opens shows, answering the message boxes
# shown meanwhile. Returns 1 when the window did not show.
press_open_window() {
  local i
  press_uidriver menu --window "$press_main_caption" --pid "$press_window_pid" "$1" >/dev/null || return 1
  for ((i = 0; i < 10; i++)); do
    press_uidriver wait --window "$2" --pid "$press_window_pid" --timeout "$press_poll_ms" >/dev/null && return 0
    press_answer_box --pid "$press_window_pid" || true
  done
  return 1
}

# press_window_open CAPTION: whether a window of the program with this
# caption shows (looked for briefly).
press_window_open() {
  press_uidriver wait --window "$1" --pid "$press_window_pid" --timeout 200 >/dev/null
}

# press_await_gone CAPTION: answers message boxes until the window with this
# caption has closed. Returns 1 when it is still open after 10 s.
press_await_gone() {
  local i
  for ((i = 0; i < 20; i++)); do
    press_uidriver wait --gone --window "$1" --pid "$press_window_pid" --timeout 200 >/dev/null && return 0
    press_answer_box --pid "$press_window_pid" || true
  done
  return 1
}

# press_answer_boxes: answers the message boxes that show now, one after
# the other, until none is left.
press_answer_boxes() {
  while press_answer_box --pid "$press_window_pid"; do :; done
}

# _press_leave CAPTION WHAT UIDRIVER_ARGS...: presses what closes the window
# with this caption (a button, a key; WHAT names it) and waits until it
# closed.
_press_leave() {
  local caption=$1 what=$2
  shift 2
  press_uidriver "$@" >/dev/null || brivane_die "$what could not be pressed: $(_press_driver_said)"
  press_await_gone "$caption" || brivane_die "the window \"$caption\" did not close"
}

# _press_close_if_open CAPTION: closes the window by its close box, as a user
# would, if it is still open.
_press_close_if_open() {
  press_window_open "$1" || return 0
  press_uidriver close --window "$1" --pid "$press_window_pid" >/dev/null || true
  press_await_gone "$1" || brivane_die "the window \"$1\" did not close"
}

# press_preferences URL COUNTRY ZOOM OK|CANCEL: opens the Preferences
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
# waiting for the browser's stand-in to receive the URL and printing it as
# a url line; ok (the OK button), cancel (Esc). Message boxes shown
# meanwhile are printed and answered. The window is closed by its close box
# if the steps left it open.
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

# Prints the host's placements of the command ("placement toolbar|menu
# VIEW") and whether it runs ("host running yes|no"). A restart reaches the
# host through the shell a moment after the program asked for it, so a host
# that is not running is looked at again for up to 3 s.
press_host_placements() {
  local state deadline=$((SECONDS + 3))
  while :; do
    state=$(wine "$press_hostsim" show </dev/null 2>>"$press_stage/hostsim.log" | tr -d '\r') ||
      brivane_die "the stand-in host's state could not be read"
    grep -q $'^running\tyes' <<<"$state" || ((SECONDS >= deadline)) || { sleep 0.3; continue; }
    break
  done
  grep $'^placement\t' <<<"$state" || true
  printf 'host\trunning\t%s\n' "$(sed -n 's/^running\t//p' <<<"$state" | head -n 1)"
}

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

# Prints "open CAPTION" for each window the program shows now, in the
# order of the screen, the topmost first.
press_print_open_windows() {
  local dump
  dump=$(press_uidriver dump --pid "$press_window_pid" --timeout 200) || return 0
  awk -F'\t' '$1 == "window" {
    for (i = 2; i <= NF; i++) if ($i ~ /^title=/) printf "open\t%s\n", substr($i, 7) }' <<<"$dump"
}

# press_event_in prefs|about|integrate EVENT: opens that window from the
# main window's menu and has the host raise the notification once it shows.
# Waits until the main window has gone (at most 3 s), answering message
# boxes; prints "open CAPTION" for each window of the program still shown
# then, and closes them by their close boxes, the main window last.
press_event_in() {
  local caption menu i
  case $1 in
    prefs) caption=$press_prefs_caption menu="Options/Preferences" ;;
    about) caption=$press_about_caption menu="Help/About" ;;
    integrate) caption=$press_integrate_caption menu="Options/Integrate with ACT!" ;;
  esac
  press_open_window "$menu" "$caption" || brivane_die "the $caption window did not show"
  press_answer_boxes
  press_host raise "$2"
  for ((i = 0; i < 6; i++)); do
    press_uidriver wait --gone --window "$press_main_caption" --pid "$press_window_pid" --timeout 500 \
      >/dev/null && break
    press_answer_box --pid "$press_window_pid" || true
  done
  local open
  open=$(press_print_open_windows)
  [[ -z $open ]] || printf '%s\n' "$open"
  local captions=()
  while IFS=$'\t' read -r _ caption; do
    [[ -z $caption || $caption == "$press_main_caption" ]] || captions+=("$caption")
  done <<<"$open"
  grep -qx $'open\t'"$press_main_caption" <<<"$open" && captions+=("$press_main_caption")
  for caption in "${captions[@]}"; do
    press_uidriver close --window "$caption" --pid "$press_window_pid" >/dev/null || continue
    press_await_gone "$caption" || brivane_die "the $caption window did not close"
  done
}
