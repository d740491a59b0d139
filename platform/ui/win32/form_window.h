// The window of a loaded form: one window class for every form, a static
// window procedure that finds the object stored at WM_NCCREATE, and small
// OnXxx members. User actions go to the model through ui::Dispatch; a
// handler may unload the form and so destroy this object, so nothing here
// touches the object after dispatching.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/win32/control_window.h"
#include "platform/win32/scoped.h"
#include "platform/ui/win32/screen.h"

namespace ui::win32 {

class Backend;
class Fonts;

// Control ids start above the dialog manager's IDOK and IDCANCEL; menu
// items have their own range.
inline constexpr int kFirstControlId = 100;
inline constexpr int kFirstMenuId = 40000;
// Posted to the form's window: a control's window shows the model's text
// again (w: the control's id).
inline constexpr UINT kRefreshTextMessage = WM_APP + 1;

class FormWindow final : public FormPeer {
public:
    static constexpr const wchar_t* kClassName = L"brivane.Form";
    // Once per process, for the module that holds this code; true when the
    // class is there to use.
    static bool Register();

    // The hidden window with its menu bar and controls; raises the system
    // error when a window cannot be made.
    FormWindow(Backend& backend, Form& form, HWND owner);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow() override;

    void Show() override;
    void Hide() override;
    void Place(bool topmost, PixelRect outer) override;
    PixelRect OuterRect() const override;
    void CaptionChanged() override;
    void* NativeHandle() const override { return hwnd(); }

    HWND hwnd() const { return window_.get(); }
    // For comparison only: the form may be gone while its window is destroyed.
    const Form* form() const { return &form_; }

    // For the controls' windows.
    Scale scale() const;
    Fonts& fonts() const;
    HINSTANCE instance() const;  // holds the icons
    const std::vector<std::unique_ptr<ControlWindow>>& controlWindows() const { return controls_; }
    void ArmTimer(int id, int interval);  // 0 stops it
    void Redraw();
    void FocusControl(HWND child);
    void OnChildFocus(ControlWindow& child);
    void PostRefresh(int id);
    // The thick border on the button Enter presses now, after the dialog
    // manager moved the focus its own way.
    void ShowDefaultForFocus();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(HWND hwnd, UINT message, WPARAM w, LPARAM l);

    void Create(HWND owner);
    void FitClientArea(int width, int height);
    void SetIcons(int icon);
    void CreateControls();
    void Destroy();

    void OnCommand(WORD id, WORD code, HWND from);
    void OnScroll(HWND from);
    void OnTimer(UINT_PTR id);
    LRESULT OnListKey(WORD key, HWND from);
    void OnPaint();
    LRESULT OnCtlColorStatic(HDC dc, HWND child);
    bool OnSetCursor(HWND over, WORD hit);
    void OnActivate(WORD state);
    LRESULT OnGetDefId();
    void OnClose();
    void OnDestroyedBySystem();

    ControlWindow* Find(HWND child) const;
    ControlWindow* FindById(int id) const;
    ControlWindow* PeerOf(const Control* control) const;
    HWND FocusTarget() const;
    void ShowDefaultFor(const ControlWindow* focused);

    Backend& backend_;
    Form& form_;
    win::ScopedIcon smallIcon_, bigIcon_;
    std::vector<std::unique_ptr<ControlWindow>> controls_;  // in tab order; ids from kFirstControlId
    win::ScopedWindow window_;
    // The control that had the focus when the window was last deactivated.
    HWND savedFocus_ = nullptr;
    // Set from the start of the window's destruction: its notifications are
    // ignored then, as the form may be half gone.
    bool destroying_ = false;
};

}  // namespace ui::win32
