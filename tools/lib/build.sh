# Configures and builds one CMake preset (native, win64, win32) quietly,
# into the build root (see brivane_build_root). Needs common.sh.

brivane_build_dir() { printf '%s/%s\n' "$(brivane_build_root)" "$1"; }

# brivane_build PRESET LOGDIR [TARGET...]: builds the preset's targets, or
# only these; returns non-zero, with the log shown, when configuring or
# building fails.
brivane_build() {
  local preset=$1 logdir=$2 dir log start=$SECONDS
  local targets=("${@:3}")
  dir=$(brivane_build_dir "$preset")
  mkdir -p "$logdir"
  log=$logdir/configure-$preset.log
  if ! (cd "$BRIVANE_ROOT" && cmake --preset "$preset" -B "$dir") </dev/null >"$log" 2>&1; then
    brivane_say "configuring $preset failed (log: $log)"
    brivane_show_log "$log"
    return 1
  fi
  log=$logdir/build-$preset.log
  local rc=0
  if ((${#targets[@]})); then
    cmake --build "$dir" --target "${targets[@]}" </dev/null >"$log" 2>&1 || rc=$?
  elif [[ $dir == "$BRIVANE_ROOT/build/$preset" ]]; then
    (cd "$BRIVANE_ROOT" && cmake --build --preset "$preset") </dev/null >"$log" 2>&1 || rc=$?
  else
    cmake --build "$dir" </dev/null >"$log" 2>&1 || rc=$?
  fi
  if ((rc != 0)); then
    brivane_say "building $preset failed (log: $log)"
    brivane_show_log "$log"
    return 1
  fi
  brivane_say "built $preset ($((SECONDS - start)) s)"
}
