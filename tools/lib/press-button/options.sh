# press-button's options: what each one leaves in the variables the steps
# read (its default first), and which of them go together. Part of
# press-button, which holds their help and usage_error.

host=ready
contact=()
settings=()
second_copy=
event=
presses=0
countries=()
screenshot=
host_log=
run_seconds=15
target=$brivane_default_target
build_dir=
session=
keep=
prefs=()
prefs_site=
installed=
integrate=()
about=()
host_scripts=()
host_after=()
removals=()
instructions=
event_in=
no_browser=
no_text_viewer=
lock_settings=
end_session=
end_session_in=
route_settings=()
route_adds=()
route=()

# The stand-in host's field ids of the contact's address.
declare -A contact_field=([--street]=27 [--city]=30 [--state]=31 [--zip]=32 [--country]=33)

need_value() { (($# >= 2)) || usage_error "$1 needs a value"; }

# _options_folder_name NAME: whether Windows gives a folder this name: UTF-8
# text without control characters and \ / : * ? " < > |, not ending in a
# blank or a dot, no device name (CON, NUL, COM1...) with or without an
# extension, at most 255 UTF-16 units.
_options_folder_name() {
  local name=$1 units
  [[ -n $name && $name != . && $name != .. ]] || return 1
  iconv -f UTF-8 -t UTF-8 <<<"$name" >/dev/null 2>&1 || return 1
  [[ $name != *[[:cntrl:]]* && $name != *[\\/:*?\"\<\>\|]* ]] || return 1
  [[ $name != *[\ .] ]] || return 1
  [[ ! ${name%%.*} =~ ^([Cc][Oo][Nn]|[Pp][Rr][Nn]|[Aa][Uu][Xx]|[Nn][Uu][Ll]|([Cc][Oo][Mm]|[Ll][Pp][Tt])[1-9])\ *$ ]] || return 1
  units=$(printf '%s' "$name" | iconv -f UTF-8 -t UTF-16LE | wc -c)
  ((units / 2 <= 255))
}

# _options_steps NAME STEPS: the steps of --NAME (integrate or about),
# separated by ";", each checked by _options_NAME_step, into the array
# NAME ("none" for no step).
_options_steps() {
  local -n _steps=$1
  local raw_steps step words
  _steps=()
  IFS=';' read -r -a raw_steps <<<"$2"
  for step in "${raw_steps[@]}"; do
    read -r -a words <<<"$step"
    ((${#words[@]})) || continue
    "_options_${1}_step" "$step" "${words[@]}"
  done
  ((${#_steps[@]})) || _steps=(none)
}

# _options_integrate_step STEP WORD [NUMBER...]: one step of --integrate.
_options_integrate_step() {
  case ${2,,} in
    tick | untick | label)
      (($# == 3)) && [[ $3 =~ ^([0-9]|1[01])$ ]] ||
        usage_error "--integrate: $2 needs a box from 0 to 11"
      integrate+=("${2,,} $3") ;;
    close | cancel)
      (($# == 2)) || usage_error "--integrate: $2 takes no number"
      integrate+=("${2,,}") ;;
    *) usage_error "--integrate: unknown step \"$1\" (tick N, untick N, label N, close, cancel)" ;;
  esac
}

# _options_about_step STEP WORD [ARGUMENT...]: one step of --about.
_options_about_step() {
  case ${2,,} in
    link | mail | ok | cancel) (($# == 2)) && about+=("${2,,}") || usage_error "--about: $2 takes no argument" ;;
    *) usage_error "--about: unknown step \"$1\" (link, mail, ok, cancel)" ;;
  esac
}

# _options_route_step STEP WORD [ARGUMENT...]: one step of --route.
_options_route_step() {
  case ${2,,} in
    select)
      (($# == 3)) && [[ $3 =~ ^[1-9][0-9]{0,2}$ ]] || usage_error "--route: select needs a stop's number, from 1"
      route+=("select $3") ;;
    up | down | remove | clear | open | close)
      (($# == 2)) || usage_error "--route: $2 takes no argument"
      route+=("${2,,}") ;;
    start)
      # The text as written after the word and one blank, blanks kept.
      local text=${1#"${1%%[![:space:]]*}"}
      text=${text:5}
      route+=("start ${text# }") ;;
    back)
      (($# == 3)) && [[ ${3,,} == on || ${3,,} == off ]] || usage_error "--route: back is on or off"
      route+=("back ${3,,}") ;;
    mode)
      (($# == 3)) && [[ ${3,,} =~ ^(driving|walking|bicycling)$ ]] ||
        usage_error "--route: mode is driving, walking or bicycling"
      route+=("mode ${3,,}") ;;
    *) usage_error "--route: unknown step \"$1\" (select N, up, down, remove, clear, start TEXT, back on|off, mode M, open, close)" ;;
  esac
}

# press_button_options ARGS...: the command line, checked as a whole.
press_button_options() {
  local words
  while (($#)); do
    case $1 in
      -h | --help) usage ;;
      --host)
        need_value "$@"
        case $2 in ready | no-database | unreachable) host=$2 ;; *) usage_error "--host is ready, no-database or unreachable" ;; esac
        shift 2 ;;
      --street | --city | --state | --zip | --country)
        need_value "$@"
        contact+=(--field "${contact_field[$1]}=$2")
        shift 2 ;;
      --setting)
        need_value "$@"
        [[ $2 == ?*=* ]] || usage_error "--setting needs KEY=VALUE"
        settings+=("$2")
        shift 2 ;;
      --answer)
        need_value "$@"
        case ${2^^} in OK | YES | NO | CANCEL) press_answers+=("${2^^}") ;; *) usage_error "--answer is OK, YES, NO or CANCEL" ;; esac
        shift 2 ;;
      --host-script | --host-after)
        need_value "$@"
        [[ $2 == *[![:space:]]* ]] || usage_error "$1 needs a hostsim command"
        press_words words "$2" || usage_error "$1: unmatched quote in $2"
        if [[ $1 == --host-script ]]; then host_scripts+=("$2"); else host_after+=("$2"); fi
        shift 2 ;;
      --installed)
        need_value "$@"
        [[ -f $2/brivane.exe ]] || usage_error "--installed: no brivane.exe in $2"
        installed=$(realpath -- "$2")
        shift 2 ;;
      --program-folder)
        need_value "$@"
        _options_folder_name "$2" ||
          usage_error "--program-folder needs a name Windows gives a folder: no \\ / : * ? \" < > |, no control character, no device name, no blank or dot at the end"
        # Apart from the run's own files beside the program's folder.
        press_program_folder=named/$2
        shift 2 ;;
      --program-name)
        need_value "$@"
        [[ $2 =~ ^[A-Za-z0-9_-][A-Za-z0-9\ _-]*$ ]] || usage_error "--program-name needs letters, digits, blanks, - and _"
        press_program_name=$2
        shift 2 ;;
      --remove)
        need_value "$@"
        [[ $2 =~ ^[^/]+$ && -f $BRIVANE_ROOT/data/$2 ]] || usage_error "--remove needs the name of a file of data/"
        removals+=("$2")
        shift 2 ;;
      --instructions)
        need_value "$@"
        case $2 in menu | prefs) instructions=$2 ;; *) usage_error "--instructions is menu or prefs" ;; esac
        shift 2 ;;
      --event-in)
        need_value "$@"
        case $2 in prefs | about | integrate | prompt | restart) event_in=$2 ;;
          *) usage_error "--event-in is prefs, about, integrate, prompt or restart" ;; esac
        shift 2 ;;
      --no-browser) no_browser=1; shift ;;
      --no-text-viewer) no_text_viewer=1; shift ;;
      --lock-settings) lock_settings=1; shift ;;
      --prefs | --prefs-cancel)
        need_value "$@"
        [[ $2 =~ ^(.*),([^,]*),([0-9]{1,9})$ ]] || usage_error "$1 needs URL,COUNTRY,ZOOM (ZOOM a whole number)"
        prefs=("${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}" ok)
        [[ $1 == --prefs-cancel ]] && prefs[3]=cancel
        shift 2 ;;
      --start-address)
        need_value "$@"
        settings+=("StartAddress=$2")
        shift 2 ;;
      --route-setting)
        need_value "$@"
        [[ $2 == ?*=* ]] || usage_error "--route-setting needs KEY=VALUE"
        route_settings+=("$2")
        shift 2 ;;
      --route-add)
        need_value "$@"
        [[ $2 =~ ^[^|]*\|[^|]*\|[^|]*\|[^|]*\|[^|]*$ ]] ||
          usage_error "--route-add needs STREET|CITY|STATE|ZIP|COUNTRY (five fields, none holding a |)"
        route_adds+=("$2")
        shift 2 ;;
      --route)
        need_value "$@"
        _options_steps route "$2"
        shift 2 ;;
      --prefs-site)
        need_value "$@"
        prefs_site=$2
        shift 2 ;;
      --integrate)
        need_value "$@"
        _options_steps integrate "$2"
        shift 2 ;;
      --about)
        need_value "$@"
        _options_steps about "$2"
        shift 2 ;;
      --countries)
        need_value "$@"
        [[ $2 =~ ^[A-Za-z0-9_-]*=. ]] || usage_error "--countries needs SITE=FILE (SITE of letters, digits, - and _)"
        [[ -f ${2#*=} && -r ${2#*=} ]] || usage_error "--countries: no readable file ${2#*=}"
        countries+=("${2%%=*}" "$(realpath -- "${2#*=}")")
        shift 2 ;;
      --press)
        if (($# >= 2)) && [[ $2 =~ ^[0-9]+$ ]]; then
          [[ $2 =~ ^[1-9][0-9]{0,2}$ ]] || usage_error "--press needs a number of presses from 1 to 999"
          presses=$2
          shift 2
        else
          presses=1
          shift
        fi ;;
      --second-copy) second_copy=1; shift ;;
      --end-session)
        end_session=1
        if (($# >= 2)) && [[ $2 == prefs || $2 == about || $2 == integrate ]]; then
          end_session_in=$2
          shift
        fi
        shift ;;
      --event)
        need_value "$@"
        case ${2^^} in A | B) event=${2^^} ;; *) usage_error "--event is A or B" ;; esac
        shift 2 ;;
      --screenshot)
        need_value "$@"
        screenshot=$(realpath -m -- "$2")
        shift 2 ;;
      --host-log) host_log=1; shift ;;
      --timeout)
        need_value "$@"
        [[ $2 =~ ^[1-9][0-9]*$ ]] || usage_error "--timeout needs a number of seconds"
        run_seconds=$2
        shift 2 ;;
      --target)
        need_value "$@"
        brivane_is_target "$2" || usage_error "--target is one of: ${brivane_targets[*]}"
        target=$2
        shift 2 ;;
      --build)
        need_value "$@"
        build_dir=$(realpath -m -- "$2")
        shift 2 ;;
      --session) session=1; shift ;;
      --keep) keep=1; shift ;;
      *) usage_error "unknown option: $1" ;;
    esac
  done
  _options_check
}

# What goes together and what does not, once every option is read.
_options_check() {
  [[ -n $second_copy && -n $event ]] && usage_error "--second-copy and --event do not go together"
  if [[ -n $installed ]]; then
    ((${#countries[@]} + ${#removals[@]} == 0)) && [[ $press_program_name == brivane && $press_program_folder == program ]] ||
      usage_error "--installed goes with none of --countries, --remove, --program-name and --program-folder"
  fi
  [[ -z $prefs_site ]] || ((${#prefs[@]} == 0)) || usage_error "--prefs-site goes instead of --prefs and --prefs-cancel"
  # --prefs-site is a Preferences step as --prefs is.
  [[ -z $prefs_site ]] || prefs=(site "$prefs_site")
  [[ -z $event_in || -n $event ]] || usage_error "--event-in needs --event"
  if [[ $event_in == prompt || $event_in == restart ]]; then
    ((${#integrate[@]})) || usage_error "--event-in $event_in needs --integrate"
    ((presses + ${#prefs[@]} + ${#about[@]} == 0)) && [[ -z $instructions ]] ||
      usage_error "--event-in $event_in goes with --integrate only"
  elif [[ -n $event ]]; then
    ((presses + ${#prefs[@]} + ${#integrate[@]} + ${#about[@]} == 0)) && [[ -z $instructions ]] ||
      usage_error "of --press, --prefs, --integrate, --about and --instructions, --event goes with --integrate only, and only with --event-in prompt or restart"
  fi
  if [[ -n $second_copy ]]; then
    ((presses + ${#prefs[@]} + ${#integrate[@]} + ${#about[@]} == 0)) && [[ -z $instructions && -z $end_session ]] ||
      usage_error "--second-copy goes with no other step"
  fi
  [[ -z $end_session || -z $event ]] || usage_error "--end-session and --event do not go together"
  if [[ -n $second_copy || -n $event ]] && ((${#route_adds[@]} + ${#route[@]})); then
    usage_error "--route-add and --route go with neither --second-copy nor --event"
  fi
}
