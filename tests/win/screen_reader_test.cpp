// What a screen reader hears of the program's real windows, asked as one
// asks: AccessibleObjectFromWindow on each control's window (oleacc; UI
// Automation cannot be created under Wine). The main window opens as the
// program opens it, and every window its menus open is opened from them,
// so a window added later is heard without a line here. Each control that
// takes the focus must answer the name, keyboard shortcut and description
// the form gives it; links the role, states and default action of a link.
//
// Where Wine answers otherwise than Windows: the system's object of most
// controls has the role "client" under Wine (Windows: push button, check
// box, combo box, slider; an edit is "editable text" on both), so a role
// is either Windows' or "client", except a link's, which the program
// gives. Wine's own objects name no combo box or slider by the label
// before it, and a SysLink by its markup: here the program's names are
// what is heard. Message boxes are the system's own and are heard as
// they are.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "main/frmMain.h"
#include "platform/ui/accessible.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/win32/control_window.h"
#include "platform/ui/win32/win32_backend.h"
#include "platform/win32/scoped.h"
#include "platform/win32/wide.h"
#include "tests/win/real_windows.h"
#include "tools/captionfit/stand_ins_win.h"
#include "tools/captionfit/windows_win.h"

namespace {

using namespace real_windows;

// What oleacc answers for a window's client object.
struct Heard {
    HRESULT found = E_FAIL;
    std::wstring name, shortcut, description, defaultAction;
    long role = -1, state = 0;
};

std::wstring Text(HRESULT hr, BSTR text) {
    win::ScopedBstr owned(text);
    return hr == S_OK && text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

Heard Hear(HWND hwnd, win::ComPtr<IAccessible>* keep = nullptr) {
    Heard heard;
    win::ComPtr<IAccessible> object;
    heard.found = AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible), object.ReceiveVoid());
    if (FAILED(heard.found) || !object) return heard;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    auto read = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR text = nullptr;
        HRESULT hr = (object.get()->*get)(self, &text);
        return Text(hr, text);
    };
    heard.name = read(&IAccessible::get_accName);
    heard.shortcut = read(&IAccessible::get_accKeyboardShortcut);
    heard.description = read(&IAccessible::get_accDescription);
    heard.defaultAction = read(&IAccessible::get_accDefaultAction);
    win::ScopedVariant role, state;
    if (object->get_accRole(self, role.Receive()) == S_OK && role.get().vt == VT_I4) heard.role = role.get().lVal;
    if (object->get_accState(self, state.Receive()) == S_OK && state.get().vt == VT_I4) heard.state = state.get().lVal;
    if (keep) *keep = object;
    return heard;
}

std::string Utf8(const std::wstring& text) { return vb::ToUtf8(win::FromWide(text)); }

std::string Describe(const Heard& h) {
    char role[16];
    std::snprintf(role, sizeof role, "%ld", h.role);
    return "name \"" + Utf8(h.name) + "\", shortcut \"" + Utf8(h.shortcut) + "\", description \"" +
           Utf8(h.description) + "\", role " + role;
}

std::string NameOf(const ui::Form& form, const ui::Control& c) {
    std::string name = vb::ToUtf8(form.name()) + "." + vb::ToUtf8(c.name());
    return c.index() >= 0 ? name + "(" + std::to_string(c.index()) + ")" : name;
}

ui::win32::ControlWindow& PeerOf(const ui::Control& c) { return *static_cast<ui::win32::ControlWindow*>(c.peer); }

// The role Windows gives each kind that takes the focus; 0 for a kind
// this test does not know yet.
long WindowsRole(const ui::Control& c) {
    switch (c.kind()) {
    case ui::Kind::CommandButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case ui::Kind::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case ui::Kind::TextBox:
        return ROLE_SYSTEM_TEXT;
    case ui::Kind::ComboBox:
        return ROLE_SYSTEM_COMBOBOX;
    case ui::Kind::Slider:
        return ROLE_SYSTEM_SLIDER;
    case ui::Kind::Label:
        return ROLE_SYSTEM_LINK;
    default:
        return 0;
    }
}

// Opens the windows and listens to each; one at a time (the timer that
// finds the modal windows reaches it through `current`).
class Listener {
public:
    Listener() { current = this; }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    ~Listener() { current = nullptr; }

    void Run() {
        frmMain main;
        main.Show();
        ASSERT_TRUE(main.visible());
        Listen(main);
        OpenEachItem(main, main.menus());
        main.Unload();
    }

    std::vector<std::string> heard;  // one line a control, for the record
    std::vector<vb::String> windows;
    int linksActedOn = 0;
    captionfit::StandIns standIns;

private:
    // Each item as the menu chooses it (WM_COMMAND with its id); a window
    // it opens is heard and closed by its close box from inside its loop.
    void OpenEachItem(frmMain& main, const std::vector<ui::Menu*>& items) {
        for (ui::Menu* item : items) {
            if (item->IsSeparator() || !item->enabled() || !main.loaded()) continue;
            if (!item->items().empty()) {
                OpenEachItem(main, item->items());
                continue;
            }
            UINT_PTR timer = SetTimer(nullptr, 0, 60, ListenToWhatOpened);
            SendMessageW(Hwnd(main), WM_COMMAND, MAKEWPARAM(item->commandId, 0), 0);
            KillTimer(nullptr, timer);
            ListenToWhatOpened(nullptr, 0, 0, 0);  // a window the item left open
        }
    }

    static void CALLBACK ListenToWhatOpened(HWND, UINT, UINT_PTR, DWORD) {
        Listener& self = *current;
        if (HWND box = FirstBoxOfThisThread()) {
            self.ListenToBox(box);
            return;
        }
        for (ui::Form* form : ui::Form::LoadedForms()) {
            if (!form->visible() ||
                std::find(self.listened_.begin(), self.listened_.end(), form) != self.listened_.end())
                continue;
            self.Listen(*form);
            PostMessageW(Hwnd(*form), WM_CLOSE, 0, 0);
        }
    }

    // A message box the walk met: heard, then answered No where it asks,
    // else OK.
    void ListenToBox(HWND box) {
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            heard.push_back("message box: " + Describe(Hear(c)));
        int answer = GetDlgItem(box, IDNO) ? IDNO : GetDlgItem(box, IDOK) ? IDOK : IDCANCEL;
        PostMessageW(box, WM_COMMAND, answer, 0);
    }

    void Listen(ui::Form& form) {
        listened_.push_back(&form);
        windows.push_back(form.name());
        std::vector<ui::Control*> order = form.TabOrder();
        ASSERT_FALSE(order.empty()) << vb::ToUtf8(form.name());
        EXPECT_TRUE(PeerOf(*order.front()).Owns(GetFocus()))
            << vb::ToUtf8(form.name()) << ": the first control has not the focus as the window opens";
        for (const ui::Control* c : order) ListenTo(form, *c);
        // A control that takes no focus but has a name of its design (a
        // picture that says what it shows) is heard by it too.
        for (const ui::Control* c : form.controls()) {
            if (c->CanFocus() || ui::NameSourceOf(*c) != ui::NameSource::Explicit || !c->peer) continue;
            Heard h = Hear(PeerOf(*c).hwnd());
            heard.push_back(NameOf(form, *c) + ": " + Describe(h));
            EXPECT_EQ(h.name, win::ToWide(c->accessibleName())) << NameOf(form, *c) << ": " << Describe(h);
        }
        // Tab visits them in that order, and round again.
        HWND h = GetNextDlgTabItem(Hwnd(form), nullptr, FALSE);
        for (const ui::Control* c : order) {
            EXPECT_EQ(h, PeerOf(*c).hwnd()) << NameOf(form, *c) << " is not where Tab goes next";
            h = GetNextDlgTabItem(Hwnd(form), h, FALSE);
        }
        EXPECT_EQ(h, PeerOf(*order.front()).hwnd()) << vb::ToUtf8(form.name());
    }

    void ListenTo(const ui::Form& form, const ui::Control& c) {
        const std::string which = NameOf(form, c);
        win::ComPtr<IAccessible> object;
        Heard h = Hear(PeerOf(c).hwnd(), &object);
        heard.push_back(which + ": " + Describe(h));
        ASSERT_EQ(h.found, S_OK) << which << ": no accessible object";
        const std::wstring name = win::ToWide(ui::AccessibleName(c));
        EXPECT_FALSE(name.empty()) << which << " has no name";
        EXPECT_EQ(h.name, name) << which << ": " << Describe(h);
        EXPECT_EQ(h.shortcut, win::ToWide(ui::KeyboardShortcut(c))) << which << ": " << Describe(h);
        EXPECT_EQ(h.description, win::ToWide(ui::AccessibleDescription(c))) << which << ": " << Describe(h);
        if (c.kind() == ui::Kind::ComboBox) {
            // The focus lands in its field, which a screen reader then asks;
            // a drop-down list has no field of its own (none under Wine, the
            // box itself on Windows).
            COMBOBOXINFO info{.cbSize = sizeof info};
            ASSERT_TRUE(GetComboBoxInfo(PeerOf(c).hwnd(), &info));
            if (info.hwndItem && info.hwndItem != PeerOf(c).hwnd()) {
                EXPECT_EQ(Hear(info.hwndItem).name, name) << which << "'s field";
            }
        }
        // Wine's objects answer "client" for the kinds it has no role of.
        if (long role = WindowsRole(c); role && !c.IsLink()) {
            EXPECT_TRUE(h.role == role || h.role == ROLE_SYSTEM_CLIENT) << which << ": " << Describe(h);
        }
        if (!c.IsLink()) return;
        EXPECT_EQ(h.role, ROLE_SYSTEM_LINK) << which << ": " << Describe(h);
        EXPECT_EQ(h.state & (STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE),
                  STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE)
            << which;
        EXPECT_EQ(h.defaultAction, L"Jump") << which;
        // A screen reader's "activate" opens it as a click does, from the
        // window's loop once this call has returned.
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        EXPECT_EQ(object->accDoDefaultAction(self), S_OK) << which;
        ++linksActedOn;
    }

    std::vector<const ui::Form*> listened_;
    static inline Listener* current = nullptr;
};

class ScreenReader : public testing::Test {
protected:
    void SetUp() override {
        if (!DisplayAvailable()) GTEST_SKIP() << "no display: windows cannot be created here (set DISPLAY)";
        Drain();
    }
    void TearDown() override { Drain(); }
    // The quit of the last unloaded form does not reach the next test.
    static void Drain() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT) DispatchMessageW(&msg);
    }
    captionfit::ProgramControls commonControls;
};

TEST_F(ScreenReader, EveryControlOfEveryWindowIsHeardByItsNameShortcutAndRole) {
    ui::win32::Backend screen;
    Listener listener;
    listener.Run();
    for (const std::string& line : listener.heard) std::printf("[ heard    ] %s\n", line.c_str());
    for (const char16_t* window : {u"frmMain", u"frmIntegrate", u"frmPreferences", u"frmAbout"})
        EXPECT_EQ(std::count(listener.windows.begin(), listener.windows.end(), window), 1) << vb::ToUtf8(window);
    // The main window's link and About's two, each opened once by its
    // default action.
    EXPECT_EQ(listener.linksActedOn, 3);
    std::vector<vb::String> opened;
    for (const auto& request : listener.standIns.shell().requests)
        if (request.file != u"instructions.txt") opened.push_back(request.file);
    EXPECT_EQ(opened, (std::vector<vb::String>{u"http://www.example.com", u"mailto:support@example.com",
                                               u"http://www.example.com"}));
}

// The Yes and No buttons and the text of the first message box of this
// thread, which is then answered No.
std::vector<Heard> heardInBox;
void CALLBACK HearTheBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FirstBoxOfThisThread();
    if (!box || !heardInBox.empty()) return;
    for (int id : {IDYES, IDNO, 0xFFFF}) heardInBox.push_back(Hear(GetDlgItem(box, id)));
    PostMessageW(box, WM_COMMAND, IDNO, 0);
}

// The system's own boxes: their buttons and text as the system names them.
TEST_F(ScreenReader, AMessageBoxIsHeardAsTheSystemMakesIt) {
    ui::win32::Backend screen;
    std::vector<Heard>& heard = heardInBox;
    heard.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 60, HearTheBox);
    int answer = ui::MsgBox(u"Do you want to re-start it now?", ui::kYesNo);
    KillTimer(nullptr, timer);
    EXPECT_EQ(answer, ui::kNo);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].name, L"Yes") << Describe(heard[0]);
    EXPECT_EQ(heard[1].name, L"No") << Describe(heard[1]);
    EXPECT_EQ(heard[2].name, L"Do you want to re-start it now?") << Describe(heard[2]);
    for (const Heard& h : heard) std::printf("[ heard    ] message box: %s\n", Describe(h).c_str());
}

}  // namespace
