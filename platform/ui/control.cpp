#include "platform/ui/control.h"

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace ui {

Control::Control(Form& form, Kind kind, const Place& place)
    : form_(form),
      kind_(kind),
      name_(place.name),
      rect_(place.rect),
      tab_(place.tab),
      container_(place.in),
      index_(place.index) {
    form.Add(this);
}

TwipsRect Control::FormRect() const {
    TwipsRect r = rect_;
    for (const Control* c = container_; c; c = c->container()) {
        r.left += c->rect().left;
        r.top += c->rect().top;
    }
    return r;
}

void Control::setEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    Notify(Prop::Enabled);
}

void Control::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    Notify(Prop::Visible);
}

bool Control::CanFocus() const {
    bool focusable = kind_ == Kind::CommandButton || kind_ == Kind::CheckBox || kind_ == Kind::TextBox ||
                     kind_ == Kind::ComboBox || kind_ == Kind::ListBox || kind_ == Kind::Slider;
    if (!focusable || tab_ < 0 || !enabled_ || !visible_) return false;
    for (const Control* c = container_; c; c = c->container())
        if (!c->enabled() || !c->visible()) return false;
    return true;
}

void Control::SetFocus() {
    form_.FocusChanged(this);
    Notify(Prop::Focus);
}

void Control::ResetToDesign() {
    enabled_ = true;
    visible_ = true;
}

}  // namespace ui
