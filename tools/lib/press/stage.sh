# The staging folder of one run: a fresh copy of the program and its data
# files, as a user's folder holds them, with the run's logs and state files
# beside it. Part of press.sh.

# The name of the program's file in the staging folder, without ".exe" (a
# user may rename the file), and of the folder it lies in (a user installs
# it in a folder of any name).
press_program_name=brivane
press_program_folder=program

# press_setup BUILD_DIR STAGE_PARENT: makes a fresh staging folder for one
# run: a folder named press_program_folder holds the program (as
# press_program_name) and its data files and nothing else; the stand-in host's state, the settings files and
# the logs lie beside it.
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
  press_program=$press_stage/$press_program_folder
  press_uidriver=$press_build/tools/uidriver/uidriver.exe
  press_hostsim=$press_build/hostsim.exe
  press_recorder=$press_build/tools/urlrecorder/urlrecorder.exe
  press_keylock=$press_build/tools/keylock/keylock.exe
  mkdir -p "$press_program"
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

# press_wine LOGNAME PROGRAM ARGS...: runs a Windows program to its end, its
# output in a log of the staging folder (files, not pipes: see WINE-NOTES).
press_wine() { brivane_wine_run "$press_stage/$1.log" "${@:2}"; }
