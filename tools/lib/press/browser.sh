# The stand-ins for the browser and the text viewer: the URL recorder,
# registered for http, https, mailto and .txt, and what it logged. Part of
# press.sh.

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
