// The base of every control of the forms model: a member of its form, placed
// in twips relative to its container, with a peer in the backend while the
// form is loaded.
#pragma once

#include <functional>

#include "platform/ui/geometry.h"
#include "platform/vb/string.h"

namespace ui {

class Form;
class Frame;

enum class Kind { CommandButton, CheckBox, Label, TextBox, ComboBox, ListBox, Frame, Slider, Line, PictureBox, Timer };

// What changed, for the backend to bring its window up to date.
enum class Prop { Caption, Value, Text, List, Enabled, Visible, Range, Interval, Geometry, Focus };

// The backend's half of a control (a real window, or nothing at all).
class Peer {
public:
    virtual ~Peer() = default;
    virtual void Update(Prop what) = 0;
};

// Where a control stands: the designed name, place, tab order and container.
struct Place {
    const char16_t* name = u"";
    TwipsRect rect{};
    int tab = -1;         // tab order among the form's controls; -1: none
    Frame* in = nullptr;  // the frame that holds it; nullptr: the form itself
    int index = -1;       // index in a control array; -1 when not in one
};

class Control {
public:
    Control(Form& form, Kind kind, const Place& place);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Form& form() const { return form_; }
    Kind kind() const { return kind_; }
    const vb::String& name() const { return name_; }
    int index() const { return index_; }
    int tabIndex() const { return tab_; }
    Frame* container() const { return container_; }

    // Relative to the container, and relative to the form's client area.
    TwipsRect rect() const { return rect_; }
    TwipsRect FormRect() const;

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);

    // Whether the user can tab to it: buttons, check boxes, text boxes,
    // drop-down boxes, list boxes and sliders
    // with a tab order, enabled and visible, in enabled and visible frames.
    bool CanFocus() const;
    void SetFocus();

    // Set by the backend while the form is loaded.
    Peer* peer = nullptr;

    // Back to the designed state, as when the form's controls are created.
    virtual void ResetToDesign();

protected:
    void Notify(Prop what) const {
        if (peer) peer->Update(what);
    }

private:
    Form& form_;
    Kind kind_;
    vb::String name_;
    TwipsRect rect_;
    int tab_;
    Frame* container_;
    int index_;
    bool enabled_ = true;
    bool visible_ = true;
};

}  // namespace ui
