// A window of the program, in the terms it was designed in: a caption, a
// client area in twips, a border style, controls and menus as members, and
// the lifecycle Load (controls created, Form_Load runs), Show (modal or not),
// Hide and Unload (Form_Unload runs, controls destroyed; the form object and
// its other fields stay for the next opening).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/geometry.h"
#include "platform/vb/string.h"

namespace ui {

class CommandButton;
class Menu;

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog, FixedToolWindow, SizableToolWindow };
enum class StartPosition { Manual, CenterScreen };

struct FormProps {
    vb::String caption;
    int clientWidth = 0, clientHeight = 0;  // twips
    BorderStyle border = BorderStyle::Sizable;
    bool minButton = true, maxButton = true;
    bool showInTaskbar = true;
    int icon = 0;  // icon resource of the program; 0 for none
    StartPosition startPosition = StartPosition::Manual;
    int left = 0, top = 0;  // twips, where a manually placed form first shows
};

// The backend's half of a loaded form: its window. When the form unloads,
// Close takes the window from the screen at once, and the peer is released
// later (ui::ReleaseLater): the code of its window or of a control's window
// may be what called the handler that unloaded the form. Destroying the
// peer destroys the window and the peers of its controls; it must not call
// into the form or its controls then (they may be gone already).
class FormPeer {
public:
    virtual ~FormPeer() = default;
    // The form unloaded: the window leaves the screen and reports nothing
    // more to the model.
    virtual void Close() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Outer rectangle in pixels; shows the window.
    virtual void Place(bool topmost, PixelRect outer) = 0;
    virtual PixelRect OuterRect() const = 0;
    virtual void CaptionChanged() = 0;
    // The client area has a new size (FormProps); a window not yet shown
    // that starts in the centre of the screen is centred again.
    virtual void ClientSizeChanged() = 0;
    // The system's handle of the window, for calls that take an owner.
    virtual void* NativeHandle() const { return nullptr; }
};

class Form {
public:
    Form(const char16_t* name, FormProps props);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const vb::String& name() const { return name_; }
    const FormProps& props() const { return props_; }
    const vb::String& caption() const { return props_.caption; }
    void setCaption(vb::StringView text);
    // The client area's size in twips, by the program (a window sized to
    // what it shows); the designed size comes back when it is unloaded.
    void SetClientSize(int width, int height);

    const std::vector<Control*>& controls() const { return controls_; }
    const std::vector<Menu*>& menus() const { return menus_; }

    // Lifecycle. Show and ShowModal load the form first when needed.
    void Load();
    void Show();
    // Returns when the form has been hidden or unloaded.
    void ShowModal();
    void Hide();
    // Runs Form_Unload; false when it cancelled.
    bool Unload();
    // The close box (or Alt+F4).
    void UserClose() { Unload(); }

    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }
    bool modal() const { return modal_; }

    // Keys as the dialog manager gives them: Enter presses the focused
    // button or opens the focused link, or else presses the default button;
    // Esc presses the cancel button.
    CommandButton* DefaultButton() const;
    CommandButton* CancelButton() const;
    void PressEnter();
    void PressEscape();

    // Every control in the order Tab visits them, which is the order their
    // windows stand in: the designed tab order, then the links in the order
    // they are read (top to bottom, left to right), then the controls that
    // have no tab order.
    std::vector<Control*> ControlsInTabOrder() const;
    // Controls that can take the focus now, in tab order.
    std::vector<Control*> TabOrder() const;
    Control* focused() const { return focused_; }
    // The backend reports where the focus went; Control::SetFocus moves it.
    void FocusChanged(Control* control) { focused_ = control; }

    // The window's position in twips, single precision as the design stores it.
    float Left() const;
    float Top() const;
    // Places the window (outer size in pixels) and shows it.
    void Place(bool topmost, PixelRect outer);

    // Set while the form is loaded.
    std::unique_ptr<FormPeer> peer;

    // Every form that is loaded now, in the order they were loaded.
    static const std::vector<Form*>& LoadedForms();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int16_t& cancel) { (void)cancel; }
    // Runs when Unload has let go of the controls' windows, for what the
    // form holds beside them that goes with its controls. The form may be
    // unloading from inside that very thing's call: it goes through
    // ui::ReleaseLater, as the windows do.
    virtual void ControlsDestroyed() {}

private:
    friend class Control;
    friend class Menu;
    void Add(Control* control) { controls_.push_back(control); }
    void Add(Menu* menu) { menus_.push_back(menu); }

    vb::String name_;
    FormProps props_;
    FormProps design_;
    std::vector<Control*> controls_;
    std::vector<Menu*> menus_;
    Control* focused_ = nullptr;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
};

}  // namespace ui
