# The Debian packages the builds, tests and demo need, each with a file or
# command that shows it is there, so that a second run checks in an instant.
# As root, missing packages are installed; otherwise they are named.
# Needs common.sh.

_brivane_packages=(
  "cmake                      cmd:cmake"
  "ninja-build                cmd:ninja"
  "g++                        cmd:g++"
  "g++-mingw-w64-x86-64-posix cmd:x86_64-w64-mingw32-g++-posix"
  "g++-mingw-w64-i686-posix   cmd:i686-w64-mingw32-g++-posix"
  "binutils-mingw-w64-x86-64  cmd:x86_64-w64-mingw32-windres"
  "binutils-mingw-w64-i686    cmd:i686-w64-mingw32-windres"
  "googletest                 file:/usr/src/googletest/CMakeLists.txt"
  "wine                       cmd:wineserver"
  "wine64                     file:/usr/lib/wine/wine64"
  # Wine recommends these; without them windows lose their text and
  # extensions, and the installs here skip recommendations.
  "fonts-wine                 file:/usr/share/wine/fonts/tahoma.ttf"
  "libxrender1                lib:libXrender.so.1"
  "libxrandr2                 lib:libXrandr.so.2"
  "libxcursor1                lib:libXcursor.so.1"
  "libxi6                     lib:libXi.so.6"
  "libxcomposite1             lib:libXcomposite.so.1"
  "libxinerama1               lib:libXinerama.so.1"
  "libxfixes3                 lib:libXfixes.so.3"
  "xvfb                       cmd:Xvfb"
  "x11-utils                  cmd:xdpyinfo"
  "x11-apps                   cmd:xwd"
  "xdotool                    cmd:xdotool"
  "imagemagick                file:/usr/bin/import"
  "procps                     cmd:pgrep"
  # The Windows Installer package: built by wixl, read back by msiinfo.
  "wixl                       cmd:wixl"
  "msitools                   cmd:msiinfo"
)

_brivane_has() {
  local check=$1
  case $check in
    cmd:*) command -v "${check#cmd:}" >/dev/null 2>&1 ;;
    file:*) [[ -e ${check#file:} ]] ;;
    lib:*) [[ -n ${_brivane_ldcache:=$(ldconfig -p 2>/dev/null || true)} ]] &&
             grep -qF "${check#lib:} " <<<"$_brivane_ldcache" ;;
    *) return 1 ;;
  esac
}

# Prints the packages whose check fails, one a line.
brivane_missing_packages() {
  local entry pkg check
  _brivane_ldcache=
  for entry in "${_brivane_packages[@]}"; do
    read -r pkg check <<<"$entry"
    _brivane_has "$check" || printf '%s\n' "$pkg"
  done
}

brivane_require_packages() {
  local missing=()
  mapfile -t missing < <(brivane_missing_packages)
  ((${#missing[@]})) || return 0
  if [[ $(id -u) -ne 0 ]]; then
    brivane_die "missing Debian packages: ${missing[*]} (run this as root to install them, or: apt-get install ${missing[*]})"
  fi
  brivane_say "installing: ${missing[*]}"
  local log
  log=$(mktemp)
  export DEBIAN_FRONTEND=noninteractive
  if ! { apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; } \
      </dev/null >"$log" 2>&1; then
    brivane_show_log "$log"
    rm -f "$log"
    brivane_die "installing packages failed"
  fi
  rm -f "$log"
  mapfile -t missing < <(brivane_missing_packages)
  ((${#missing[@]} == 0)) || brivane_die "still missing after install: ${missing[*]}"
}
