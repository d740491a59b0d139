// Message boxes: the system's dialogs of class #32770 with a text, an
// optional icon and a row of buttons.
#include <string>
#include <vector>

#include "tools/uidriver/commands_win.h"
#include "tools/uidriver/controls_win.h"
#include "tools/uidriver/window_facts_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"
#include "tools/uidriver/windows_win.h"

namespace uidriver {

namespace {

constexpr DWORD kMsgboxTimeoutMs = 5000;
constexpr int kTextId = 0xFFFF;  // the id a message box gives its text

struct Answer {
    int id;
    const wchar_t* name;
};

constexpr Answer kAnswers[] = {
    {IDOK, L"OK"},
    {IDCANCEL, L"CANCEL"},
    {IDABORT, L"ABORT"},
    {IDRETRY, L"RETRY"},
    {IDIGNORE, L"IGNORE"},
    {IDYES, L"YES"},
    {IDNO, L"NO"},
    {IDCLOSE, L"CLOSE"},
    {IDHELP, L"HELP"},
    {IDTRYAGAIN, L"TRYAGAIN"},
    {IDCONTINUE, L"CONTINUE"},
};

std::wstring AnswerName(int id) {
    for (const Answer& answer : kAnswers)
        if (answer.id == id) return answer.name;
    return std::to_wstring(id);
}

std::wstring BoxText(const std::vector<HWND>& controls) {
    for (HWND control : controls)
        if ((GetDlgCtrlID(control) & 0xFFFF) == kTextId && KindOf(control) == Kind::Label) return ControlText(control);
    for (HWND control : controls)
        if (KindOf(control) == Kind::Label && IsWindowVisible(control)) return ControlText(control);
    return {};
}

// The icon's static stays in place without an icon under Wine: ask it
// whether it shows one.
bool HasIcon(const std::vector<HWND>& controls) {
    for (HWND control : controls) {
        if (KindOf(control) != Kind::Image || !IsWindowVisible(control)) continue;
        if (Ask(control, STM_GETICON) || Ask(control, STM_GETIMAGE, IMAGE_BITMAP)) return true;
    }
    return false;
}

std::vector<HWND> Buttons(const std::vector<HWND>& controls) {
    std::vector<HWND> buttons;
    for (HWND control : controls)
        if (KindOf(control) == Kind::PushButton && IsWindowVisible(control)) buttons.push_back(control);
    return buttons;
}

}  // namespace

void RunMsgbox(const Options& options) {
    ExpectWords(options, 0, L"msgbox [--window TITLE] [--pid PID] [--timeout MS] [--answer OK|YES|NO|CANCEL|...]");
    WindowQuery query = options.window;
    query.className = L"#32770";
    DWORD timeout = TimeoutOr(options, kMsgboxTimeoutMs);
    HWND box = WaitForWindow(query, timeout);
    auto controls = Descendants(box);
    auto buttons = Buttons(controls);
    HWND owner = GetWindow(box, GW_OWNER);

    PrintLine(L"title\t" + Escaped(WindowTitle(box)));
    PrintLine(L"text\t" + Escaped(BoxText(controls)));
    PrintLine(std::wstring(L"icon\t") + (HasIcon(controls) ? L"1" : L"0"));
    PrintLine(L"owner\t" + (owner ? Escaped(WindowTitle(owner)) : std::wstring()));
    for (HWND button : buttons) {
        bool isDefault = (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        PrintLine(L"button\t" + AnswerName(GetDlgCtrlID(button)) + L"\t" + Escaped(ControlText(button)) +
                  L"\tdefault=" + (isDefault ? L"1" : L"0"));
    }
    if (!options.answer) return;

    HWND chosen = nullptr;
    for (HWND button : buttons)
        if (EqualsNoCase(AnswerName(GetDlgCtrlID(button)), *options.answer)) chosen = button;
    if (!chosen) Fail(L"the message box has no " + *options.answer + L" button");
    // Posted: the box's own loop runs the click and ends the dialog.
    if (!PostMessageW(chosen, BM_CLICK, 0, 0)) Fail(L"cannot press the button");
    DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start >= timeout) Fail(L"the message box is still open after pressing " + *options.answer);
        Sleep(20);
    }
}

}  // namespace uidriver
