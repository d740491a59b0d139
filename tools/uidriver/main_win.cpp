// uidriver: drives another program's real windows, one command per run.
#include <windows.h>

#include <string>

#include "tools/uidriver/commands_win.h"
#include "tools/uidriver/options_win.h"
#include "tools/uidriver/output_win.h"

namespace {

constexpr wchar_t kHelp[] =
    LR"(usage: uidriver COMMAND [OPTIONS] [WORDS...]

Drives the windows of another program: one command per run, results on
stdout (UTF-8, tab-separated, text escaped as \\ \t \r \n), exit 0 on
success, otherwise one error line on stderr and exit 1 (2: bad usage).

Commands
  wait                   wait until the window exists; prints its record
  wait --gone            wait until no such window is left
  dump                   every visible top-level window (or the one chosen)
                         with its controls and menu bar, one record a line
  pos                    the window's rectangle on the screen
  click CONTROL          press a button (posts BM_CLICK)
  check CONTROL 0|1      click a check box if, and only if, it is not in
                         that state; waits until it is
  label CONTROL          click a label: posts WM_COMMAND/STN_CLICKED to its
                         parent, as a click on an SS_NOTIFY static does;
                         refused for a static without SS_NOTIFY
  type CONTROL TEXT      replace an edit's text (WM_SETTEXT: one EN_CHANGE);
                         in a combo box's field (the box or its edit) as a
                         paste over all of it (EM_REPLACESEL: CBN_EDITCHANGE)
  choose CONTROL ENTRY   choose a combo box's list entry by its exact text,
                         as a click in the open list does (CB_SETCURSEL, then
                         CBN_SELCHANGE and CBN_SELENDOK to the parent)
  select CONTROL N       select entry N (from 0) of a list box, as a click on
                         it does (LB_SETCURSEL, then LBN_SELCHANGE to the
                         parent; with --mouse a real click on the entry)
  entries CONTROL        the entries of a list box or a combo box's list,
                         one "entry N TEXT" line each (N from 0), then
                         "selected N" (-1: none)
  slider CONTROL POS     set a trackbar and tell its parent as a drag does
                         (TBM_SETPOS, WM_HSCROLL TB_THUMBPOSITION, TB_ENDTRACK)
  menu "Menu/Item"       choose a menu item by its captions ('&' and the
                         accelerator text ignored; "\/" is a '/' in a caption):
                         posts WM_COMMAND with the item's id
  key KEY [KEY...]       press keys: enter, escape, tab, space, backspace,
                         delete, insert, home, end, pageup, pagedown, up,
                         down, left, right, f1-f12, a character; with ctrl+,
                         alt+, shift+ ("alt+o", "shift+tab")
  msgbox                 wait for a message box (class #32770); prints its
                         title, text, icon (0/1), owner and buttons
  msgbox --answer NAME   ...and press OK, CANCEL, YES, NO, ABORT, RETRY,
                         IGNORE; waits until the box has closed
  close                  ask the window to close (posts WM_CLOSE)

Records of dump (key=value fields after the first; rectangles are
left,top,right,bottom on the screen, rel= inside the parent's client area)
  window   title class pid rect client visible enabled topmost foreground
           minbox maxbox sizable owner style exstyle
  control  #N class kind id text rect rel visible enabled focus parent group
           style, then default (pushbutton), check (checkbox, radio),
           readonly (edit), notify (label), selected entries (combobox,
           listbox:
           the selected entry's index or -1, the entries joined by "|"),
           pos min max line page vertical (trackbar); parent and group are
           #N or "window"/empty
  menu     path kind(popup|command|separator) id enabled checked

Choosing the window (top-level, visible unless --all)
  --window TITLE         exact caption; the topmost match is taken
  --class NAME           window class
  --pid PID              windows of one process
  Without them: the topmost visible window of any other process.

Choosing a control (among all descendants of the window)
  #N                     the N-th control (0-based) as `dump` numbers them
  id:N                   the control with id N
  KIND:N                 the N-th pushbutton, checkbox, radio, groupbox,
                         label, image, shape, edit, combobox, listbox or
                         trackbar
  CLASS:N                the N-th control of a class: Button:3, Static:0
  CAPTION                exact caption, with or without '&' ("&OK" or "OK");
                         the first visible one when several share it
  CAPTION@K              the K-th control (0-based) with that caption

Options
  --timeout MS           how long to look for the window and control
                         (wait 10000, msgbox 5000, others 2000)
  --force                act although a user could not: disabled or hidden
                         control, disabled window (a modal one is open),
                         greyed menu item, label without SS_NOTIFY
  --mouse                click, check, label: a real mouse click at the
                         control's centre (SendInput), refused when another
                         window covers it; select: at the entry's centre
  --post                 key: post WM_KEYDOWN/WM_KEYUP (WM_SYSKEYDOWN with
                         Alt) to the focused control instead of real input;
                         the target's GetKeyState sees no modifiers then
  --all                  dump, wait: hidden windows too
  --                     what follows is not an option

Timing: actions (click, check's click, label, slider's notification, menu,
key, close) are posted or queued and return before the target has handled
them. Follow them with `wait`, `wait --gone`, `msgbox` or `dump` to see the
effect. `key` without --post brings the window to the foreground first and
sends real input, so the target's own loop (IsDialogMessage, accelerators)
handles it as it would a user's keystroke. `type`, `slider`'s move and the
reading commands are sent with a 3 s limit on the target's answer.

Menus of another process cannot be read under Wine: `dump` and `menu` then
load uidriver_menus.dll (beside the driver, same bitness as the target)
into the target for a moment; it reads the menu bar and unloads itself.)";

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace uidriver;
    try {
        Options options = ParseOptions(argc, argv);
        if (options.help || options.command == L"help") {
            PrintLine(kHelp);
            return 0;
        }
        if (options.command.empty()) UsageError(L"no command (see uidriver --help)");
        struct Command {
            const wchar_t* name;
            void (*run)(const Options&);
        };
        static const Command commands[] = {
            {L"wait", RunWait},     {L"dump", RunDump},     {L"pos", RunPos},         {L"click", RunClick},
            {L"check", RunCheck},   {L"label", RunLabel},   {L"type", RunType},       {L"slider", RunSlider},
            {L"menu", RunMenu},     {L"key", RunKey},       {L"msgbox", RunMsgbox},   {L"close", RunClose},
            {L"choose", RunChoose}, {L"select", RunSelect}, {L"entries", RunEntries},
        };
        for (const Command& command : commands) {
            if (options.command == command.name) {
                command.run(options);
                return 0;
            }
        }
        UsageError(L"unknown command \"" + options.command + L"\" (see uidriver --help)");
    } catch (const Failure& failure) {
        PrintError(L"uidriver: " + failure.message);
        return failure.exitCode;
    }
}
