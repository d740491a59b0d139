# The program's stored settings in the registry: replaced before a run,
# locked against writing for a fault test, printed after it. Part of
# press.sh.

press_settings_key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\brivane\Settings'
# The day's route has a section of its own.
press_route_key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\brivane\Route'

# _press_key_replace KEY NAME [KEY=VALUE...]: the registry key deleted, then
# these values stored, in one registry import (NAME names it in messages).
_press_key_replace() {
  local key=$1 name=$2 assignment
  shift 2
  {
    printf 'Windows Registry Editor Version 5.00\n\n[-%s]\n' "$key"
    if (($#)); then
      printf '[%s]\n' "$key"
      for assignment in "$@"; do
        printf '%s=%s\n' "$(_press_reg_string "${assignment%%=*}")" "$(_press_reg_string "${assignment#*=}")"
      done
    fi
  } | _press_reg_import "${name// /-}" "$name"
}

# press_settings_replace [KEY=VALUE...]: the program's settings key deleted,
# then these values stored, in one registry import.
press_settings_replace() { _press_key_replace "$press_settings_key" "the settings" "$@"; }

# press_route_settings_replace [KEY=VALUE...]: the same for the route's key.
press_route_settings_replace() { _press_key_replace "$press_route_key" "the route" "$@"; }

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

# Prints "setting KEY VALUE" for each value under the settings key, then
# "route KEY VALUE" for each value of the route's key, each sorted by key,
# text escaped as the driver escapes it (\\ \t \r \n). Nothing for a key
# that does not exist.
press_settings_print() {
  _press_key_print "$press_settings_key" setting
  _press_key_print "$press_route_key" route
}

# _press_key_print KEY KIND: "KIND NAME VALUE" for each value under KEY.
_press_key_print() {
  local reg=$press_stage/$2-after.reg
  rm -f "$reg"
  _press_reg export "$1" "$(brivane_winpath "$reg")" /y || true
  [[ -s $reg ]] || return 0
  # The export escapes \ " CR LF inside a quoted string and leaves tabs raw;
  # values of other types (dword:, hex(N):) are printed as exported.
  iconv -f UTF-16LE -t UTF-8 "$reg" | sed 's/^\xEF\xBB\xBF//; s/\r$//' | awk -v kind="$2" '
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
      printf "%s\t%s\t%s\n", kind, name, value
    }
  ' | LC_ALL=C sort
}
