# Changes to the Wine registry as the program sees it (its bitness's
# view), made as .reg imports. Part of press.sh.

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
