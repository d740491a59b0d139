# Reads a release's facts (release.facts of a Windows build, written by
# cmake/release.cmake: one "name=value" a line) into the associative array
# facts. Source it from a bash script.
#   brivane_read_facts FILE NAME...: fails, naming what is missing, unless
#   FILE holds each NAME.
declare -A facts=()
brivane_read_facts() {
  local file=$1 name value
  shift
  [[ -f $file ]] || { echo "${0##*/}: no release facts $file (configure the build first)" >&2; return 1; }
  while IFS='=' read -r name value; do
    [[ -n $name ]] && facts[$name]=$value
  done <"$file"
  for name in "$@"; do
    [[ -n ${facts[$name]:-} ]] || { echo "${0##*/}: $file names no $name" >&2; return 1; }
  done
}
