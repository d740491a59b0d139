// The window of one control of a loaded form: a child of the form's window
// (lines and timers have none; the form draws and times them). It brings the
// window up to date when the model says what changed, and turns the window's
// notifications into the model's entry points, for the form to dispatch.
#pragma once

#include <windows.h>

#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

class FormWindow;

class ControlWindow final : public Peer {
public:
    // Creates the window; raises the system error when it cannot.
    ControlWindow(FormWindow& form, Control& control, int id);
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;
    // Frees only what it owns: the form's window destroys its children.
    ~ControlWindow() override;

    void Update(Prop what) override;

    // Only while the form is alive (never from a destructor).
    Control& control() const { return control_; }
    Kind kind() const { return kind_; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    // The form's window was destroyed by the system, and this window with it.
    void Detach() { hwnd_ = edit_ = list_ = nullptr; }

    // The model's action for a WM_COMMAND notification, or an empty one.
    Handler OnCommand(WORD code);
    // The model's action for a trackbar's WM_HSCROLL.
    Handler OnScroll();
    // Whether `window` is this control's window or a part of it (the edit
    // field of a drop-down box).
    bool Owns(HWND window) const { return window && (window == hwnd_ || window == edit_); }

    // The text colour a label asks for; false leaves the system's.
    bool TextColour(COLORREF& colour) const;
    bool IsLink() const { return link_; }
    bool IsPushButton() const { return kind_ == Kind::CommandButton; }
    bool IsDesignedDefault() const { return designedDefault_; }
    // Whether its kind of window takes the keyboard focus at all (labels,
    // frames and pictures do not), and whether it can take it now.
    bool Focusable() const;
    bool TakesFocus() const;
    // The thick border of the button Enter presses.
    void ShowAsDefault(bool on);
    // Lines are drawn by the form.
    void Draw(HDC dc) const;
    // Where the control stands now, shown and enabled as its containers are.
    void ApplyState();

private:
    static LRESULT CALLBACK WatchFocus(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    void Configure();
    void ApplyRange();
    void ApplyValue();
    void ApplyText();
    void ApplyTimer();
    void ApplyToContents(Prop what);
    PixelRect Placement() const;

    FormWindow& form_;
    Control& control_;
    const Kind kind_;
    const int id_;
    HWND hwnd_ = nullptr;
    // A drop-down box's edit field and list.
    HWND edit_ = nullptr;
    HWND list_ = nullptr;
    win::ScopedIcon picture_;
    bool link_ = false;
    bool designedDefault_ = false;
    bool hasColour_ = false;
    COLORREF colour_ = 0;
    // Set while the program writes the text, so the edit's echo is not
    // taken for typing.
    bool settingText_ = false;
};

// Shown and enabled as the model says, inside every frame that holds it.
bool EffectiveVisible(const Control& control);
bool EffectiveEnabled(const Control& control);

}  // namespace ui::win32
