# Configures and builds one CMake preset (native, win64, win32) quietly,
# into the build root (see brivane_build_root). Needs common.sh.

brivane_build_dir() { printf '%s/%s\n' "$(brivane_build_root)" "$1"; }

# The Windows targets: win32 (the build users install) and win64, each a
# preset and a build folder of that name with a Wine prefix of its own
# inside. Each prefix is made with the 64-bit and the 32-bit Wine both
# present and serves one target, so the two targets' runs can go on side by
# side.
brivane_targets=(win32 win64)
brivane_default_target=win32

# brivane_is_target NAME: whether NAME is one of the targets.
brivane_is_target() {
  local t
  for t in "${brivane_targets[@]}"; do [[ $1 == "$t" ]] && return 0; done
  return 1
}

# brivane_target_arg [ARG]: the target a script was given (the default when
# ARG is empty), or its usage and status 2.
brivane_target_arg() {
  local target=${1:-$brivane_default_target} IFS='|'
  brivane_is_target "$target" && { printf '%s\n' "$target"; return 0; }
  echo "usage: ${0##*/} [${brivane_targets[*]}]" >&2
  return 2
}

# brivane_target_bits TARGET: 32 or 64.
brivane_target_bits() { printf '%s\n' "${1#win}"; }

brivane_prefix_of() { printf '%s/wineprefix\n' "$(brivane_build_dir "$1")"; }

# brivane_build PRESET LOGDIR [CMAKE_TARGET...]: builds the preset's targets, or
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
