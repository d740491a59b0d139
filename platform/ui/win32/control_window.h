// The window of one control of a loaded form: a child of the form's window
// (lines and timers have none; the form draws and times them). This base
// holds what every kind shares: the window's place, its shown and enabled
// state, its font and the watch on its focus. The peer of each kind (in the
// *_peer files beside this one) makes its window, brings it up to date
// when the model says what changed, and turns its notifications into the
// model's entry points, for the form to dispatch.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/ui/geometry.h"

namespace ui::win32 {

class FormWindow;

class ControlWindow : public Peer {
public:
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;
    // Frees only what it owns: the form's window destroys its children.
    ~ControlWindow() override;

    // What every kind takes the same way: enabled, visible, geometry and
    // focus. A kind's peer takes the rest first.
    void Update(Prop what) override;

    // Only while the form is alive (never from a destructor).
    Control& control() const { return control_; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    // The form's window was destroyed by the system, and this window with it.
    virtual void Detach() { hwnd_ = nullptr; }
    // Whether `window` is this control's window or a part of it.
    virtual bool Owns(HWND window) const { return window && window == hwnd_; }

    // The model's action for a notification of this control, or an empty
    // one. Returned, not run: the form runs it through ui::Dispatch, and a
    // handler may unload the form and so destroy this object.
    // WM_COMMAND, with the notification code (BN_CLICKED, EN_CHANGE...).
    virtual Handler ActionForCommand(WORD) { return {}; }
    // WM_HSCROLL from a trackbar.
    virtual Handler ActionForScroll() { return {}; }
    // WM_TIMER with this control's id.
    virtual Handler ActionForTimer() { return {}; }
    // WM_VKEYTOITEM from a list box: the virtual key, and where the action
    // leaves the key's code, 0 when the program took the key.
    virtual Handler ActionForKey(WORD, int&) { return {}; }

    // The text colour answered to WM_CTLCOLORSTATIC; false leaves the
    // system's.
    virtual bool TextColour(COLORREF&) const { return false; }
    // Shows the pointing hand (WM_SETCURSOR).
    virtual bool IsLink() const { return false; }
    // A push button, which Enter presses when it has the focus
    // (DM_GETDEFID); the designed default one is pressed otherwise.
    virtual bool IsPushButton() const { return false; }
    virtual bool IsDesignedDefault() const { return false; }
    // The thick border (BS_DEFPUSHBUTTON) of the button Enter presses now.
    virtual void ShowAsDefault(bool) {}
    // Goes to the bottom of the z-order, under what it holds (frames).
    virtual bool LiesUnderOthers() const { return false; }
    // Drawn by the form in its WM_PAINT (lines).
    virtual void Draw(HDC) const {}

    // Whether its kind of window takes the keyboard focus and can take it
    // now (shown and enabled).
    bool TakesFocus() const;
    // Where the control stands now, shown and enabled as its containers are.
    void ApplyState();

protected:
    ControlWindow(FormWindow& form, Control& control, int id);

    struct WindowPlan {
        const wchar_t* className;
        DWORD style;
        DWORD exStyle = 0;
        const vb::String* text = nullptr;
    };
    // The child window, shown, enabled and placed as the model says, with
    // the designed font; raises the system error when it cannot be made.
    void CreateWindowFrom(const WindowPlan& plan);
    // WS_TABSTOP for a control in the tab order.
    DWORD TabStop() const;
    // The window takes the keyboard focus: the form hears whenever it gets
    // it, also when the dialog manager moves it.
    void MakeFocusable();
    // A part of the window that gets the focus itself (a drop-down box's
    // edit field).
    void WatchFocusOf(HWND part);
    // The window's text, as the program sets it.
    void ShowText(const vb::String& text);
    // While ShowText runs: the edit's echo of the program's own text
    // (EN_CHANGE, CBN_EDITCHANGE) is not the user typing.
    bool ShowingText() const { return showingText_; }
    // Where the window goes in the form's client area.
    virtual PixelRect Placement() const;
    FormWindow& form() const { return form_; }

private:
    static LRESULT CALLBACK WatchFocus(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);

    FormWindow& form_;
    Control& control_;
    const int id_;
    HWND hwnd_ = nullptr;
    bool focusable_ = false;
    bool showingText_ = false;
};

// The peer of the control's kind, its window made; raises the system error
// when a window cannot be made.
std::unique_ptr<ControlWindow> MakeControlWindow(FormWindow& form, Control& control, int id);

// Shown and enabled as the model says, inside every frame that holds it.
bool EffectiveVisible(const Control& control);
bool EffectiveEnabled(const Control& control);

}  // namespace ui::win32
