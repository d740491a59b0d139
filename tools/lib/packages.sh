# The Debian packages the builds, tests and demo need, each with a file or
# command that shows it is there, so that a second run checks in an instant.
# As root, missing packages are installed; otherwise they are named.
# The upstream sources the Windows builds compile come after them
# (sources.sh). Needs common.sh.
source "$BRIVANE_ROOT/tools/lib/sources.sh"

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
  # The 32-bit Wine beside it runs the win32 build, the one users install
  # (a package of the i386 architecture, added first).
  "wine32:i386                file:/usr/lib/wine/wine"
  # Wine recommends these; without them windows lose their text and
  # extensions, and the installs here skip recommendations. The 32-bit Wine
  # draws through the 32-bit ones.
  "fonts-wine                 file:/usr/share/wine/fonts/tahoma.ttf"
  "libxrender1                lib:libXrender.so.1"
  "libxrandr2                 lib:libXrandr.so.2"
  "libxcursor1                lib:libXcursor.so.1"
  "libxi6                     lib:libXi.so.6"
  "libxcomposite1             lib:libXcomposite.so.1"
  "libxinerama1               lib:libXinerama.so.1"
  "libxfixes3                 lib:libXfixes.so.3"
  "libxrender1:i386           file:/usr/lib/i386-linux-gnu/libXrender.so.1"
  "libxrandr2:i386            file:/usr/lib/i386-linux-gnu/libXrandr.so.2"
  "libxcursor1:i386           file:/usr/lib/i386-linux-gnu/libXcursor.so.1"
  "libxi6:i386                file:/usr/lib/i386-linux-gnu/libXi.so.6"
  "libxcomposite1:i386        file:/usr/lib/i386-linux-gnu/libXcomposite.so.1"
  "libxinerama1:i386          file:/usr/lib/i386-linux-gnu/libXinerama.so.1"
  "libxfixes3:i386            file:/usr/lib/i386-linux-gnu/libXfixes.so.3"
  "xvfb                       cmd:Xvfb"
  "x11-utils                  cmd:xdpyinfo"
  "x11-apps                   cmd:xwd"
  "xdotool                    cmd:xdotool"
  "imagemagick                file:/usr/bin/import"
  "procps                     cmd:pgrep"
  # The Windows Installer package: built by wixl, read back by msiinfo.
  "wixl                       cmd:wixl"
  "msitools                   cmd:msiinfo"
  # tools/lint: the code's layout and its static analysis.
  "clang-format               cmd:clang-format"
  "cppcheck                   cmd:cppcheck"
  # tools/fuzz and the native-fuzz build: clang with libFuzzer and the
  # sanitizers' runtimes, which clang only recommends.
  "clang-14                   cmd:clang++-14"
  "libclang-rt-14-dev         file:/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a"
  # Code signing (installer/sign-file, tools/sign) and its test: a key in a
  # file or on a PKCS#11 token, a stand-in token, a throwaway certificate
  # authority and time-stamp server; the winget manifests read back.
  "osslsigncode               cmd:osslsigncode"
  "libengine-pkcs11-openssl   file:/usr/lib/x86_64-linux-gnu/engines-3/pkcs11.so"
  "softhsm2                   cmd:softhsm2-util"
  "openssl                    cmd:openssl"
  "python3-yaml               file:/usr/lib/python3/dist-packages/yaml/__init__.py"
  # The QR code of Send to phone: the encoder's C library for the native
  # build (the Windows builds compile its upstream source, fetched below
  # with apt through the archive's keyring), and a real decoder that reads
  # the codes back in the end-to-end tests.
  "libqrcodegen-dev           file:/usr/include/qrcodegen/qrcodegen.h"
  "debian-archive-keyring     file:/usr/share/keyrings/debian-archive-keyring.gpg"
  "zbar-tools                 cmd:zbarimg"
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

# The foreign architectures (i386) that missing packages need and dpkg does
# not know yet, one a line.
_brivane_missing_architectures() {
  local known
  known=" $(dpkg --print-architecture 2>/dev/null) $(dpkg --print-foreign-architectures 2>/dev/null | tr '\n' ' ') "
  printf '%s\n' "$@" | sed -n 's/^[^:]*:\(.*\)$/\1/p' | sort -u | while read -r arch; do
    [[ $known == *" $arch "* ]] || printf '%s\n' "$arch"
  done
}

brivane_require_packages() {
  _brivane_install_packages
  brivane_require_sources
}

_brivane_install_packages() {
  local missing=() architectures=() arch
  mapfile -t missing < <(brivane_missing_packages)
  ((${#missing[@]})) || return 0
  mapfile -t architectures < <(_brivane_missing_architectures "${missing[@]}")
  if [[ $(id -u) -ne 0 ]]; then
    local first=
    for arch in "${architectures[@]}"; do first+="dpkg --add-architecture $arch && "; done
    ((${#architectures[@]} == 0)) || first+="apt-get update && "
    brivane_die "missing Debian packages: ${missing[*]} (run this as root to install them, or: ${first}apt-get install ${missing[*]})"
  fi
  brivane_say "installing: ${missing[*]}"
  local log
  log=$(mktemp)
  export DEBIAN_FRONTEND=noninteractive
  # A new architecture's packages are known after the next update.
  for arch in "${architectures[@]}"; do
    brivane_say "adding the $arch architecture"
    dpkg --add-architecture "$arch" </dev/null >>"$log" 2>&1 ||
      { brivane_show_log "$log"; rm -f "$log"; brivane_die "adding the $arch architecture failed"; }
  done
  if ! { apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; } \
      </dev/null >>"$log" 2>&1; then
    brivane_show_log "$log"
    rm -f "$log"
    brivane_die "installing packages failed"
  fi
  rm -f "$log"
  mapfile -t missing < <(brivane_missing_packages)
  ((${#missing[@]} == 0)) || brivane_die "still missing after install: ${missing[*]}"
}
