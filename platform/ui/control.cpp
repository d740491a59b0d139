#include "platform/ui/control.h"

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace ui {

Control::Control(Form& form, Kind kind, const Place& place)
    : form_(form),
      kind_(kind),
      name_(place.name),
      rect_(place.rect),
      designRect_(place.rect),
      tab_(place.tab),
      container_(place.in),
      index_(place.index),
      accessibleName_(place.accessibleName ? place.accessibleName : u"") {
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

void Control::Move(TwipsRect rect) {
    if (rect.left == rect_.left && rect.top == rect_.top && rect.width == rect_.width && rect.height == rect_.height)
        return;
    rect_ = rect;
    Notify(Prop::Geometry);
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

bool Control::IsLink() const { return kind_ == Kind::Label && static_cast<const Label*>(this)->isLink(); }

bool Control::CanFocus() const {
    bool designedStop =
        tab_ >= 0 && (kind_ == Kind::CommandButton || kind_ == Kind::CheckBox || kind_ == Kind::TextBox ||
                      kind_ == Kind::ComboBox || kind_ == Kind::ListBox || kind_ == Kind::Slider);
    if (!(designedStop || IsLink()) || !enabled_ || !visible_) return false;
    for (const Control* c = container_; c; c = c->container())
        if (!c->enabled() || !c->visible()) return false;
    return true;
}

void Control::SetFocus() {
    form_.FocusChanged(this);
    Notify(Prop::Focus);
}

void Control::ResetToDesign() {
    rect_ = designRect_;
    enabled_ = true;
    visible_ = true;
}

}  // namespace ui
