#!/usr/bin/env bash
# Self-test of tools/uidriver: drives uidriver_testapp.exe through every
# command under Wine and a private X server, checking the driver's output
# and what the test program logged it received.
#   uidriver_selftest.sh [win32|win64]   (default: win32)
# The driver and the test program of that target's build folder, both of
# its bitness. Inside tools/test it uses that run's X display and Wine
# session; alone it starts Xvfb and a wineserver for a prefix inside the
# build folder.
set -uo pipefail
BRIVANE_TOOL=uidriver_selftest
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/common.sh"
source "$BRIVANE_ROOT/tools/lib/xvfb.sh"
source "$BRIVANE_ROOT/tools/lib/wine.sh"
source "$BRIVANE_ROOT/tools/lib/build.sh"

target=$(brivane_target_arg "${1:-}") || exit 2
build=$(cd "$(brivane_build_dir "$target")" && pwd) || exit 2
bin=$build/tools/uidriver
work=$build/uidriver-selftest
for f in uidriver.exe uidriver_menus.dll uidriver_testapp.exe; do
  [[ -f $bin/$f ]] || { echo "missing $bin/$f: build uidriver, uidriver_menus and uidriver_testapp" >&2; exit 2; }
done
mkdir -p "$work"

# tools/test hands over its display and Wine session (already warmed up, so
# the test program is not the one starting Wine's services); alone, the
# self-test makes its own.
if [[ -z ${BRIVANE_BUILD:-} || -z ${DISPLAY:-} || -z ${WINEPREFIX:-} ]]; then
  brivane_xvfb_start "$work"
  brivane_wine_start "$work/prefix" "$work"
fi

log=$work/app.log
app_pid=
# A test program left by a failure must not stay in a shared session.
brivane_on_exit '[[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null'

# Starts the test program and waits for its "ready"; Wine's loader has been
# seen failing to start a program now and then, so a start that never gets
# there is tried once more, with what Wine printed shown.
start_app() {
  local attempt
  for attempt in 1 2; do
    rm -f "$log"
    wine "$bin/uidriver_testapp.exe" "$(brivane_winpath "$log")" >"$work/app.out" 2>&1 &
    app_pid=$!
    for _ in $(seq 200); do
      grep -qx ready "$log" 2>/dev/null && return 0
      kill -0 "$app_pid" 2>/dev/null || break
      sleep 0.1
    done
    echo "the test program did not start (attempt $attempt); Wine printed:"
    sed 's/^/     /' "$work/app.out"
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
  done
  return 1
}
start_app || { echo "uidriver self-test: the test program never started"; exit 1; }

failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

# u ARGS...: runs the driver; its stdout in $out, stderr in $err, code in $rc.
u() {
  out=$(wine "$bin/uidriver.exe" "$@" 2>"$work/err")
  rc=$?
  err=$(<"$work/err")
}
W=(--window "UiDriver Test")

# expect NAME CODE: the last driver run exited with CODE.
expect_rc() {
  if [[ $rc == "$2" ]]; then pass "$1"; else fail "$1 (exit $rc, expected $2: $err)"; fi
}
# expect_out NAME TEXT: the last run printed a line containing TEXT.
expect_out() {
  if grep -qF -- "$2" <<<"$out"; then pass "$1"; else fail "$1 (no \"$2\" in: $out $err)"; fi
}
expect_err() {
  if [[ $rc == 1 ]] && grep -qF -- "$2" <<<"$err"; then pass "$1"; else fail "$1 (exit $rc, stderr: $err)"; fi
}
# Actions are queued: the test program logs their effect a little later.
mark() { seen=$(wc -l <"$log" 2>/dev/null || echo 0); }
# expect_log NAME LINE: LINE is logged after the last one expected.
expect_log() {
  local at
  for _ in $(seq 100); do
    at=$(tail -n "+$((seen + 1))" "$log" 2>/dev/null | grep -nxF -m1 -- "$2" | cut -d: -f1)
    if [[ -n $at ]]; then pass "$1"; seen=$((seen + at)); return; fi
    sleep 0.05
  done
  fail "$1 (log has no \"$2\" after line $seen)"
  mark
}
expect_quiet_log() {
  sleep 0.3
  local fresh
  fresh=$(tail -n "+$((seen + 1))" "$log")
  if [[ -z $fresh ]]; then pass "$1"; else fail "$1 (logged: $fresh)"; fi
}
control_line() { grep -P "^control\t$1\t" <<<"$out"; }

# --- finding windows ---------------------------------------------------------
u wait "${W[@]}" --timeout 20000
expect_rc "wait finds the window" 0
expect_out "wait prints the window record" $'window\ttitle=UiDriver Test\tclass=UiDriverTestMain'
expect_out "topmost flag" $'topmost=1'
mark
u wait --window "No Such Window" --timeout 300
expect_err "wait fails on a missing window" "no visible top-level window titled \"No Such Window\""
u pos "${W[@]}"
expect_out "pos gives the outer size" $'size=420x280'
import -window root "$work/screen.png" 2>/dev/null || true

# --- dump --------------------------------------------------------------------
u dump "${W[@]}"
expect_rc "dump" 0
[[ $(control_line '#1') == *$'kind=pushbutton\tid=100\ttext=&Ask\t'*default=1* ]] && pass "dump: default push button" || fail "dump: default push button: $(control_line '#1')"
[[ $(control_line '#1') == *$'parent=window\tgroup=#0\t'* ]] && pass "dump: sibling inside group box" || fail "dump: group: $(control_line '#1')"
[[ $(control_line '#3') == *$'kind=checkbox'*$'check=0' ]] && pass "dump: check box state" || fail "dump: check box: $(control_line '#3')"
[[ $(control_line '#5') == *$'text=Manual box'*notify=1 ]] && pass "dump: notifying label" || fail "dump: label: $(control_line '#5')"
[[ $(control_line '#7') == *notify=0 ]] && pass "dump: plain label" || fail "dump: plain label: $(control_line '#7')"
[[ $(control_line '#8') == *$'text=start\t'*focus=1* ]] && pass "dump: edit text and focus" || fail "dump: edit: $(control_line '#8')"
expect_out "dump: trackbar" $'pos=5\tmin=1\tmax=10\tline=1\tpage=5\tvertical=0'
[[ $(control_line '#10') == *$'enabled=0'* ]] && pass "dump: disabled button" || fail "dump: disabled: $(control_line '#10')"
expect_out "dump: menu popup" $'menu\tpath=&File\tkind=popup'
expect_out "dump: menu item" $'menu\tpath=&File/&Dialog...\tkind=command\tid=200\tenabled=1\tchecked=0'
expect_out "dump: separator" $'menu\tpath=&File/-\tkind=separator'
expect_out "dump: accelerator text escaped" $'path=&File/E&xit\\tAlt+F4'
expect_out "dump: greyed item" $'path=&Options/&Greyed\tkind=command\tid=203\tenabled=0'
expect_out "dump: ticked item" $'path=&Options/&Ticked\tkind=command\tid=204\tenabled=1\tchecked=1'

# --- buttons and message boxes -----------------------------------------------
u click "${W[@]}" Ask
expect_rc "click returns while the message box is open" 0
u msgbox
expect_out "msgbox title" $'title\tTest Question'
expect_out "msgbox text with CR LF" $'text\tProceed?\\r\\nSecond line'
expect_out "msgbox without icon" $'icon\t0'
expect_out "msgbox owner" $'owner\tUiDriver Test'
expect_out "msgbox yes button" $'button\tYES\t&Yes\tdefault=1'
expect_out "msgbox no button" $'button\tNO\t&No\tdefault=0'
u click "${W[@]}" Info
expect_err "click refused while a message box is open" "is disabled: a modal window or message box"
u msgbox --answer NO
expect_rc "msgbox --answer" 0
expect_log "the program got No" "ask answer=7"
u click "${W[@]}" "&Info"
u msgbox --answer ok
expect_out "msgbox with icon" $'icon\t1'
expect_log "the program got OK" "info answer=1"
u msgbox --timeout 300
expect_err "msgbox fails when none opens" "no visible top-level window of class \"#32770\""
u click "${W[@]}" Disabled
expect_err "click refused on a disabled button" "is disabled"
u click "${W[@]}" "Open link"
expect_err "click refused on a label" "not a button"

# --- check boxes ---------------------------------------------------------------
u check "${W[@]}" Remember 1
expect_rc "check ticks" 0
expect_log "automatic check box clicked" "remember=1"
u check "${W[@]}" Remember 1
expect_rc "check in the wanted state" 0
expect_quiet_log "no click when already ticked"
u check "${W[@]}" checkbox:1 1
expect_log "manual check box clicked" "box manual=1"
u check "${W[@]}" "Open link" 1
expect_err "check refused on a label" "not a checkbox"

# --- labels and control names ---------------------------------------------------
u label "${W[@]}" "Manual box"
expect_log "label click reaches the parent" "label manual=0"
u label "${W[@]}" Plain
expect_err "label without SS_NOTIFY refused" "no SS_NOTIFY"
for spec in "Open link" "#6" "id:105" "Static:1" "label:1" "Open link@0"; do
  u label "${W[@]}" "$spec"
  expect_log "control named $spec" "link clicked"
done
u label "${W[@]}" "Open link@1" --timeout 200
expect_err "second control of a caption missing" "no control \"Open link@1\""

# --- edit and trackbar ------------------------------------------------------------
u type "${W[@]}" edit:0 "héllo wörld"
expect_rc "type" 0
expect_log "edit change notified" "edit=héllo wörld"
u dump "${W[@]}"
[[ $(control_line '#8') == *$'text=héllo wörld\t'* ]] && pass "dump shows typed text" || fail "typed text: $(control_line '#8')"
u slider "${W[@]}" trackbar:0 8
expect_log "slider final position" "hscroll code=4 pos=8 from-slider=1"
expect_log "slider end of tracking" "hscroll code=8 pos=8 from-slider=1"
u slider "${W[@]}" trackbar:0 11
expect_err "slider refuses a position out of range" "outside the slider's range 1 to 10"

# --- combo box ----------------------------------------------------------------------
u dump "${W[@]}"
expect_out "dump: combo box entries" $'selected=-1\tentries=Red|Green|Blue'
u choose "${W[@]}" combobox:0 Green
expect_log "choose tells the parent" "combo select=1"
u dump "${W[@]}"
expect_out "dump: chosen entry" $'selected=1\tentries=Red'
u choose "${W[@]}" combobox:0 green
expect_err "choose names entries exactly" 'has no entry "green" (it has "Red", "Green", "Blue")'
u type "${W[@]}" combobox:0 "teal blue"
expect_log "typing into a combo box is reported as typing" "combo edit=teal blue"

# --- list box ---------------------------------------------------------------------
u dump "${W[@]}"
expect_out "dump: list box entries" $'kind=listbox'
expect_out "dump: list box entries, none selected" $'selected=-1\tentries=Alpha|Beta | two|Gamma'
u entries "${W[@]}" listbox:0
expect_out "entries: one line each, numbered from 0" $'entry\t1\tBeta | two'
[[ $(grep -c $'^entry\t' <<<"$out") == 3 ]] && pass "entries: every entry" || fail "entries: $out"
expect_out "entries: none selected" $'selected\t-1'
u select "${W[@]}" listbox:0 2
expect_log "select tells the parent" "list select=2 focus=0"
u dump "${W[@]}"
expect_out "dump: selected entry" $'selected=2\tentries=Alpha'
u select "${W[@]}" listbox:0 3
expect_err "select refuses an entry the list lacks" 'has no entry 3 (it has 3, numbered from 0)'
u select "${W[@]}" combobox:0 1
expect_err "select is for list boxes" "not a listbox"
u select --mouse "${W[@]}" listbox:0 0
expect_log "a real click on an entry selects it and focuses the list" "list select=0 focus=1"

# --- menus ------------------------------------------------------------------------
u menu "${W[@]}" "Options/Preferences"
expect_log "menu item chosen" "menu preferences"
u menu "${W[@]}" "&Options/&Greyed"
expect_err "greyed menu item refused" "is greyed"
u menu "${W[@]}" "File/Nope"
expect_err "unknown menu item" "no menu item"

# --- keys -------------------------------------------------------------------------
u key "${W[@]}" escape
expect_log "escape reaches the window's loop" "escape"
u key "${W[@]}" alt+r
expect_log "alt+letter presses the control" "remember=0"
focused() { u dump "${W[@]}"; grep -P "\tfocus=1\t" <<<"$out" | cut -f2; }
[[ $(focused) == "#3" ]] && pass "alt+letter focuses the control" || fail "alt+letter focus: $(focused)"
u key "${W[@]}" tab
[[ $(focused) == "#4" ]] && pass "tab moves the focus" || fail "tab: $(focused)"
u key "${W[@]}" shift+tab
[[ $(focused) == "#3" ]] && pass "shift+tab moves it back" || fail "shift+tab: $(focused)"
u key "${W[@]}" enter
u msgbox --answer yes
expect_log "enter presses the default button" "ask answer=6"
u key --post "${W[@]}" escape
expect_log "posted key" "escape"
u key "${W[@]}" nokey
expect_rc "unknown key is a usage error" 2

# --- real mouse clicks ------------------------------------------------------------
u label --mouse "${W[@]}" "Open link"
expect_log "mouse click on a label" "link clicked"
u check --mouse "${W[@]}" Remember 1
expect_log "mouse click on a check box" "remember=1"

# --- a modal window of the program's own ------------------------------------------
u menu "${W[@]}" "File/Dialog..."
u wait --window "Second Window"
expect_out "modal window owned by the main window" $'owner=UiDriver Test'
u menu "${W[@]}" "Options/Preferences"
expect_err "menu refused under a modal window" "is disabled"
u type --window "Second Window" edit:0 "abc"
u key --window "Second Window" end x enter
u wait --gone --window "Second Window"
expect_rc "enter closes the modal window" 0
expect_log "modal window got its text" "dialog ok text=abcx"

# --- closing ------------------------------------------------------------------------
u bogus
expect_rc "unknown command is a usage error" 2
u close "${W[@]}"
u wait --gone "${W[@]}"
expect_rc "close" 0
expect_log "the program closed" "close"

echo
if ((failures)); then echo "uidriver self-test: $failures failure(s)"; exit 1; fi
echo "uidriver self-test: all passed"
