// Acting on controls. Everything that could start a modal loop in the target
// is posted, so the driver never waits on the target's dialogs: these
// commands return once the action is queued, before its effects are done.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tools/uidriver/commands_win.h"
#include "tools/uidriver/input_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/target_win.h"
#include "tools/uidriver/text_win.h"
#include "tools/uidriver/window_facts_win.h"

namespace uidriver {

namespace {

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam))
        Fail(L"cannot post to the target (error " + std::to_wstring(GetLastError()) + L")");
}

// BM_CLICK runs the button's own click path (pressed look, focus, the
// automatic tick, BN_CLICKED to the parent). Sent, it would return only
// when a dialog opened by the click closed; posted, it does not wait.
void Press(const Options& options, HWND top, HWND control) {
    if (options.mouse) MouseClick(top, control);
    else Post(control, BM_CLICK, 0, 0);
}

long long WholeNumber(const std::wstring& text, const wchar_t* what) {
    long long n = 0;
    if (!ParseInt(text, n)) UsageError(std::wstring(what) + L" must be a whole number, not \"" + text + L"\"");
    return n;
}

}  // namespace

void RunClick(const Options& options) {
    ExpectWords(options, 1, L"click --window TITLE CONTROL");
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    Kind kind = KindOf(control);
    if (!options.force && kind != Kind::PushButton && kind != Kind::CheckBox && kind != Kind::Radio)
        Fail(L"control \"" + options.words[0] + L"\" is a " + KindName(kind) + L", not a button (labels: use `label`)");
    RequireUsable(options, top, control);
    Press(options, top, control);
}

void RunCheck(const Options& options) {
    ExpectWords(options, 2, L"check --window TITLE CONTROL 0|1");
    long long wanted = WholeNumber(options.words[1], L"the state");
    if (wanted != 0 && wanted != 1) UsageError(L"the state must be 0 or 1");
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    RequireKind(control, Kind::CheckBox, options.words[0]);
    RequireUsable(options, top, control);
    DWORD timeout = TimeoutOr(options, kFindTimeoutMs);
    // A three-state box may need two clicks. A click can also be lost: a
    // window activated between the button's mouse-down and mouse-up makes it
    // let go. A click that changed nothing in time is made again.
    int lost = 0;
    for (int click = 0; click < 4 && CheckState(control) != wanted; ++click) {
        int before = CheckState(control);
        Press(options, top, control);
        DWORD start = GetTickCount();
        while (CheckState(control) == before && GetTickCount() - start < timeout) Sleep(20);
        if (CheckState(control) == before) ++lost;
    }
    if (int state = CheckState(control); state != wanted)
        Fail(L"check box \"" + options.words[0] + L"\" is at " + std::to_wstring(state) + L", not " +
             std::to_wstring(wanted) + L" (" + std::to_wstring(lost) + L" of the clicks changed nothing)");
}

void RunLabel(const Options& options) {
    ExpectWords(options, 1, L"label --window TITLE CONTROL");
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    Kind kind = KindOf(control);
    if (!options.force && kind != Kind::Label && kind != Kind::Image)
        Fail(L"control \"" + options.words[0] + L"\" is a " + KindName(kind) + L", not a label");
    RequireUsable(options, top, control);
    // A static control reports clicks only with SS_NOTIFY; without it a
    // user's click does nothing, and so does this command.
    if (!options.force && !(GetWindowLongPtrW(control, GWL_STYLE) & SS_NOTIFY))
        Fail(L"label \"" + options.words[0] + L"\" does not report clicks (no SS_NOTIFY style)");
    if (options.mouse) {
        MouseClick(top, control);
        return;
    }
    int id = GetDlgCtrlID(control);
    Post(GetParent(control), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void RunType(const Options& options) {
    ExpectWords(options, 2, L"type --window TITLE CONTROL TEXT");
    const std::wstring& text = options.words[1];
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    // A combo box is typed into through its edit field.
    HWND combo = KindOf(control) == Kind::ComboBox ? control : nullptr;
    if (combo) control = ComboEdit(combo);
    if (!control) Fail(L"combo box \"" + options.words[0] + L"\" has no edit field");
    if (!combo && KindOf(GetParent(control)) == Kind::ComboBox) combo = GetParent(control);
    RequireKind(control, Kind::Edit, options.words[0]);
    RequireUsable(options, top, control);
    if (!options.force && (GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY))
        Fail(L"text box \"" + options.words[0] + L"\" is read-only");
    if (combo) {
        // The edit field of a combo box reports no change for WM_SETTEXT (a
        // program's own text): the whole text is replaced as a paste would,
        // which the box reports to its parent as typing (CBN_EDITCHANGE).
        Ask(control, EM_SETSEL, 0, -1);
        Ask(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    } else {
        // WM_SETTEXT replaces the text and makes the edit send EN_CHANGE; the
        // system carries the string across to the target.
        Ask(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::wstring now = ControlText(control);
    if (now != text) Fail(L"text box \"" + options.words[0] + L"\" holds \"" + Escaped(now) + L"\" after typing");
}

void RunChoose(const Options& options) {
    ExpectWords(options, 2, L"choose --window TITLE CONTROL ENTRY");
    const std::wstring& wanted = options.words[1];
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    if (KindOf(control) == Kind::Edit && KindOf(GetParent(control)) == Kind::ComboBox) control = GetParent(control);
    RequireKind(control, Kind::ComboBox, options.words[0]);
    RequireUsable(options, top, control);
    std::vector<std::wstring> entries = ComboEntries(control);
    size_t index = 0;
    while (index < entries.size() && entries[index] != wanted) ++index;
    if (index == entries.size()) {
        std::wstring names;
        for (const std::wstring& entry : entries) names += (names.empty() ? L"\"" : L", \"") + Escaped(entry) + L"\"";
        Fail(L"combo box \"" + options.words[0] + L"\" has no entry \"" + Escaped(wanted) + L"\" (it has " +
             (names.empty() ? L"none" : names) + L")");
    }
    // What a click on an entry of the open list ends with: the box selects
    // it and writes it into its field, then tells its parent.
    Ask(control, CB_SETCURSEL, index);
    int id = GetDlgCtrlID(control);
    HWND parent = GetParent(control);
    auto handle = reinterpret_cast<LPARAM>(control);
    Post(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), handle);
    Post(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), handle);
}

void RunSelect(const Options& options) {
    ExpectWords(options, 2, L"select --window TITLE CONTROL N");
    long long index = WholeNumber(options.words[1], L"the entry");
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    RequireKind(control, Kind::ListBox, options.words[0]);
    RequireUsable(options, top, control);
    auto count = static_cast<long long>(Ask(control, LB_GETCOUNT));
    if (index < 0 || index >= count)
        Fail(L"list box \"" + options.words[0] + L"\" has no entry " + std::to_wstring(index) + L" (it has " +
             std::to_wstring(count) + L", numbered from 0)");
    if (options.mouse) {
        // A click on the entry itself: the list takes the focus too.
        RECT item{};
        Ask(control, LB_SETTOPINDEX, static_cast<WPARAM>(index));
        Ask(control, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        MouseClickAt(top, control, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        return;
    }
    // What a click on an entry ends with: the list selects it, then tells
    // its parent (LBN_SELCHANGE; LB_SETCURSEL alone tells nobody).
    Ask(control, LB_SETCURSEL, static_cast<WPARAM>(index));
    Post(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), LBN_SELCHANGE),
         reinterpret_cast<LPARAM>(control));
}

void RunEntries(const Options& options) {
    ExpectWords(options, 1, L"entries --window TITLE CONTROL");
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    if (KindOf(control) == Kind::Edit && KindOf(GetParent(control)) == Kind::ComboBox) control = GetParent(control);
    Kind kind = KindOf(control);
    if (kind != Kind::ListBox && kind != Kind::ComboBox)
        Fail(L"control \"" + options.words[0] + L"\" is a " + KindName(kind) + L", not a list box or combo box");
    bool list = kind == Kind::ListBox;
    std::vector<std::wstring> entries = list ? ListEntries(control) : ComboEntries(control);
    for (size_t i = 0; i < entries.size(); ++i)
        PrintLine(L"entry\t" + std::to_wstring(i) + L"\t" + Escaped(entries[i]));
    PrintLine(L"selected\t" +
              std::to_wstring(static_cast<long long>(Ask(control, list ? LB_GETCURSEL : CB_GETCURSEL))));
}

void RunSlider(const Options& options) {
    ExpectWords(options, 2, L"slider --window TITLE CONTROL POS");
    long long pos = WholeNumber(options.words[1], L"the position");
    HWND top = TargetWindow(options);
    HWND control = TargetControl(options, top, options.words[0]);
    RequireKind(control, Kind::Trackbar, options.words[0]);
    RequireUsable(options, top, control);
    TrackbarState state = ReadTrackbar(control);
    if (pos < state.min || pos > state.max)
        Fail(L"position " + std::to_wstring(pos) + L" is outside the slider's range " + std::to_wstring(state.min) +
             L" to " + std::to_wstring(state.max));
    Ask(control, TBM_SETPOS, TRUE, static_cast<LPARAM>(pos));
    // What a drag of the thumb ends with: the final position, then the end
    // of tracking, with the trackbar's handle so the parent knows the sender.
    UINT message = state.vertical ? WM_VSCROLL : WM_HSCROLL;
    HWND parent = GetParent(control);
    auto handle = reinterpret_cast<LPARAM>(control);
    Post(parent, message, MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(pos)), handle);
    Post(parent, message, MAKEWPARAM(TB_ENDTRACK, 0), handle);
}

}  // namespace uidriver
