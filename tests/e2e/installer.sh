#!/usr/bin/env bash
# End-to-end tests of the Windows Installer package, with Wine's own
# msiexec in the win32 build's Wine prefix: a silent install puts the files,
# the shortcuts and the Programs and Features entry in place, and the
# installed program runs against the stand-in host; a later version's
# package replaces it in place, an older one is refused; removal leaves
# nothing of it but the user's settings.
#   installer.sh [win32|win64]   (default: win32; the package installs the
#                                 32-bit program, so for win64 nothing runs)
# The Start menu's shortcuts and the installed program's URL are in
# installer/CASE.expected; the entries of Programs and Features hold the
# version of the build and the later one made here, so they are written
# out below. Inside tools/test it uses that run's X display and Wine
# session; alone it starts its own. Ends with "N passed, N failed";
# non-zero on failure.
#   BRIVANE_E2E_RELEASE=DIR: the cases run on the release in DIR, as
#   tools/sign writes it (DIR/PACKAGE.msi and the folder it was made from),
#   instead of the build's own.
set -euo pipefail
BRIVANE_TOOL=installer
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"
source "$BRIVANE_ROOT/installer/facts.sh"

e2e_only_on win32 "the package installs the win32 program"

brivane_read_facts "$build/release.facts" version package release
version=${facts[version]}
later=${version%.*}.$((${version##*.} + 1))
if [[ -n ${BRIVANE_E2E_RELEASE:-} ]]; then
  package=$BRIVANE_E2E_RELEASE/${facts[package]}
  release=$BRIVANE_E2E_RELEASE/${facts[release]}
else
  package=$build/${facts[package]}
  release=$build/release/${facts[release]}
fi
[[ -f $package && -d $release ]] || brivane_die "no package $package: build win32 first"
installed=$WINEPREFIX/drive_c/Program\ Files\ \(x86\)/Brivane
files=(brivane.exe instructions.txt Countries_mapquest.txt Countries_yahoo.txt brivane.ico brivane32.ico)
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
settings_key='HKCU\Software\VB and VBA Program Settings\brivane\Settings'

# The later version's package: the same files, its instructions marked.
mkdir "$work/later"
cp "$release"/* "$work/later/"
printf 'Version %s\r\n' "$later" >>"$work/later/instructions.txt"
later_code=$(cat /proc/sys/kernel/random/uuid)
later_code=${later_code^^}
later_package=$work/brivane-$later.msi
sed -e "s/^version=.*/version=$later/" -e "s/^product_code=.*/product_code=$later_code/" "$build/release.facts" \
  >"$work/later.facts"
"$BRIVANE_ROOT/installer/build-package" "$work/later.facts" "$later_package" "$work/later" >"$work/build-package.log" 2>&1 ||
  { brivane_show_log "$work/build-package.log"; brivane_die "the later package could not be built"; }

# msiexec ARGS...: Wine's msiexec to its end, silently, with a log; its exit
# code in $rc (Wine gives the low byte: 1603, a fatal error, is 67). No
# desktop entries of the host system are made for the shortcuts.
msi_log=$work/msiexec.log
msiexec() {
  rc=0
  WINEDLLOVERRIDES=winemenubuilder.exe=d wine msiexec "$@" /qn /l*v "$(brivane_winpath "$msi_log")" \
    </dev/null >>"$work/wine.log" 2>&1 || rc=$?
}
# Whatever a failed case left installed goes, so the prefix stays the
# other scripts' own.
cleanup() {
  local p
  for p in "$later_package" "$package"; do
    WINEDLLOVERRIDES=winemenubuilder.exe=d wine msiexec /x "$(brivane_winpath "$p")" /qn </dev/null >/dev/null 2>&1 || true
  done
}
brivane_on_exit cleanup

# The Programs and Features entries of the program in the 32-bit view, a
# line each: DisplayVersion, Publisher, URLInfoAbout, InstallLocation and
# the buttons it leaves out (NoModify, NoRepair, NoRemove).
entries() {
  local log=$work/query.log
  rm -f "$log"
  brivane_reg win32 "$log" query "$uninstall_key" /s || true
  tr -d '\r' <"$log" | awk '
    /^HKEY_/ { if (name == "Brivane!") print version "\t" publisher "\t" url "\t" location "\t" without
               name = version = publisher = url = location = without = ""; next }
    $1 == "DisplayName" { sub(/^ *DisplayName +REG_SZ +/, ""); name = $0 }
    $1 == "DisplayVersion" { version = $3 }
    $1 == "Publisher" { publisher = $3 }
    $1 == "URLInfoAbout" { url = $3 }
    $1 == "InstallLocation" { sub(/^ *InstallLocation +REG_SZ +/, ""); location = $0 }
    $1 ~ /^No(Modify|Repair|Remove)$/ { without = without (without == "" ? "" : " ") $1 "=" $3 }
    END { if (name == "Brivane!") print version "\t" publisher "\t" url "\t" location "\t" without }'
}
# Nothing to choose when installing, so no Modify; Repair and Uninstall stay.
entry() { printf '%s\tExample\thttp://www.example.com\tC:\\Program Files (x86)\\Brivane\\\tNoModify=0x1' "$1"; }

# The Start menu's shortcuts of the program (Wine puts the machine's ones in
# the user's menu), each with the path it leads to.
shortcuts() {
  local link
  while IFS= read -r -d '' link; do
    printf '%s\t%s\n' "${link##*/}" "$(strings "$link" | grep -m 1 '^C:\\')"
  done < <(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/*' -name 'Brivane!*.lnk' -print0 | sort -z)
}

# ---- installing ---------------------------------------------------------------------------

msiexec /i "$(brivane_winpath "$package")"
name="a silent install succeeds and puts every file in place, as built"
missing=
for f in "${files[@]}"; do cmp -s "$release/$f" "$installed/$f" || missing+=" $f"; done
if ((rc == 0)) && [[ -z $missing ]]; then pass "$name"; else fail "$name" "msiexec exit $rc; not as built:$missing"; fi
check_expected shortcuts "the Start menu holds the program and the instructions" "$(shortcuts)"
check "Programs and Features lists it once, with version, maker and web page, and no Modify" \
  "$(entry "$version")" "$(entries)"
product_code=$(sed -nE 's/.*ProductCode = (\{[0-9A-F-]+\}).*/\1/p' "$msi_log" | head -n 1 | tr -d '\r')
name="the program's icon is kept for Programs and Features"
if [[ -n $product_code && -f $WINEPREFIX/drive_c/windows/Installer/$product_code/brivane.ico ]]; then
  pass "$name"
else
  fail "$name" "no icon for product $product_code"
fi

expect_shown installed-press "the installed program runs where it is, with its countries file" url \
  --installed "$installed" --street '12 Allée des Hérons' --city Montvérac --zip 99120 --country France --press

msiexec /i "$(brivane_winpath "$package")"
name="the same package again leaves one installation"
if ((rc == 0)) && [[ $(entries) == "$(entry "$version")" ]]; then pass "$name"; else fail "$name" "exit $rc; $(entries)"; fi

# ---- upgrading and downgrading ---------------------------------------------------------------

msiexec /i "$(brivane_winpath "$later_package")"
name="a later version replaces it in place: one entry, the files of the later version"
if ((rc == 0)) && [[ $(entries) == "$(entry "$later")" ]] && cmp -s "$work/later/instructions.txt" "$installed/instructions.txt"; then
  pass "$name"
else
  fail "$name" "exit $rc; entries: $(entries)"
fi
check_expected shortcuts "the shortcuts stay after the upgrade" "$(shortcuts)"

msiexec /i "$(brivane_winpath "$package")"
name="an older version is refused over the newer one and changes nothing"
if ((rc != 0)) && grep -q 'WIX_DOWNGRADE_DETECTED = {' "$msi_log" && [[ $(entries) == "$(entry "$later")" ]] &&
  cmp -s "$work/later/instructions.txt" "$installed/instructions.txt"; then
  pass "$name"
else
  fail "$name" "exit $rc; entries: $(entries)"
fi

# ---- removing ---------------------------------------------------------------------------------

msiexec /x "$(brivane_winpath "$later_package")"
name="removal takes the files, the folder, the shortcuts and the entry"
if ((rc == 0)) && [[ ! -e $installed && -z $(shortcuts) && -z $(entries) ]]; then
  pass "$name"
else
  fail "$name" "exit $rc; folder: $(ls -A "$installed" 2>&1 | tr '\n' ' '); shortcuts: $(shortcuts); entries: $(entries)"
fi
log=$work/settings.log
brivane_reg win32 "$log" query "$settings_key" || true
name="the settings the program stored stay"
if grep -qE '^ +Left +REG_SZ' "$log" && grep -qE '^ +Close +REG_SZ +0' "$log"; then pass "$name"; else fail "$name" "$(cat "$log")"; fi

e2e_summary
