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
twice=
harsh_host=
no_browser=
no_text_viewer=
lock_settings=

# The stand-in host's field ids of the contact's address.
declare -A contact_field=([--street]=27 [--city]=30 [--state]=31 [--zip]=32 [--country]=33)

need_value() { (($# >= 2)) || usage_error "$1 needs a value"; }

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
        case $2 in prefs | about | integrate | prompt | restart | start | press) event_in=$2 ;;
          *) usage_error "--event-in is prefs, about, integrate, prompt, restart, start or press" ;; esac
        shift 2 ;;
      --twice) twice=1; shift ;;
      --harsh-host) harsh_host=1; shift ;;
      --no-browser) no_browser=1; shift ;;
      --no-text-viewer) no_text_viewer=1; shift ;;
      --lock-settings) lock_settings=1; shift ;;
      --prefs | --prefs-cancel)
        need_value "$@"
        [[ $2 =~ ^(.*),([^,]*),([0-9]{1,9})$ ]] || usage_error "$1 needs URL,COUNTRY,ZOOM (ZOOM a whole number)"
        prefs=("${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}" ok)
        [[ $1 == --prefs-cancel ]] && prefs[3]=cancel
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
    ((${#countries[@]} + ${#removals[@]} == 0)) && [[ $press_program_name == brivane ]] ||
      usage_error "--installed goes with none of --countries, --remove and --program-name"
  fi
  [[ -z $prefs_site ]] || ((${#prefs[@]} == 0)) || usage_error "--prefs-site goes instead of --prefs and --prefs-cancel"
  # --prefs-site is a Preferences step as --prefs is.
  [[ -z $prefs_site ]] || prefs=(site "$prefs_site")
  [[ -z $event_in || -n $event ]] || usage_error "--event-in needs --event"
  [[ -z $twice || -n $event ]] || usage_error "--twice needs --event"
  if [[ $event_in == start ]]; then
    :  # raised before the window shows; the run goes on as without --event
  elif [[ $event_in == press ]]; then
    ((presses > 0 && ${#prefs[@]} + ${#integrate[@]} + ${#about[@]} == 0)) && [[ -z $instructions ]] ||
      usage_error "--event-in press needs --press and goes with no other step"
  elif [[ $event_in == prompt || $event_in == restart ]]; then
    ((${#integrate[@]})) || usage_error "--event-in $event_in needs --integrate"
    ((presses + ${#prefs[@]} + ${#about[@]} == 0)) && [[ -z $instructions ]] ||
      usage_error "--event-in $event_in goes with --integrate only"
  elif [[ -n $event ]]; then
    ((presses + ${#prefs[@]} + ${#integrate[@]} + ${#about[@]} == 0)) && [[ -z $instructions ]] ||
      usage_error "of --press, --prefs, --integrate, --about and --instructions, --event goes with --integrate only, and only with --event-in prompt or restart"
  fi
  if [[ -n $second_copy ]]; then
    ((presses + ${#prefs[@]} + ${#integrate[@]} + ${#about[@]} == 0)) && [[ -z $instructions ]] ||
      usage_error "--second-copy goes with no other step"
  fi
}
