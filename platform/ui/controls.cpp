#include "platform/ui/controls.h"

#include "platform/vb/error.h"

namespace ui {

namespace {
void Fire(const Handler& handler) {
    if (handler) handler();
}
}  // namespace

CommandButton::CommandButton(Form& form, const Place& place, Props props)
    : Control(form, Kind::CommandButton, place), design_(std::move(props)), now_(design_) {}

void CommandButton::setCaption(vb::StringView text) {
    now_.caption = text;
    Notify(Prop::Caption);
}

void CommandButton::Click() { Fire(onClick); }

void CommandButton::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
}

CheckBox::CheckBox(Form& form, const Place& place, Props props)
    : Control(form, Kind::CheckBox, place), design_(std::move(props)), now_(design_) {}

void CheckBox::setValue(int value) {
    if (value < 0 || value > 2) throw vb::Error(vb::kInvalidPropertyValue);
    if (value == now_.value) return;
    now_.value = static_cast<int16_t>(value);
    Notify(Prop::Value);
    Fire(onClick);
}

void CheckBox::UserClick() { setValue(now_.value == 1 ? 0 : 1); }

void CheckBox::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
}

Label::Label(Form& form, const Place& place, Props props)
    : Control(form, Kind::Label, place), design_(std::move(props)), now_(design_) {}

void Label::setCaption(vb::StringView text) {
    now_.caption = text;
    Notify(Prop::Caption);
}

void Label::Click() { Fire(onClick); }

void Label::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
}

TextBox::TextBox(Form& form, const Place& place, Props props)
    : Control(form, Kind::TextBox, place), design_(std::move(props)), now_(design_) {}

void TextBox::setText(vb::StringView text) {
    if (text == now_.text) return;
    now_.text = text;
    Notify(Prop::Text);
    Fire(onChange);
}

void TextBox::UserTyped(vb::StringView text) {
    if (text == now_.text) return;
    now_.text = text;
    Fire(onChange);
}

void TextBox::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
}

ComboBox::ComboBox(Form& form, const Place& place, Props props)
    : Control(form, Kind::ComboBox, place), design_(std::move(props)), now_(design_) {}

ComboBox::ComboBox(Form& form, const Place& place) : ComboBox(form, place, Props{}) {}

void ComboBox::setText(vb::StringView text) {
    if (text == now_.text) return;
    now_.text = text;
    Notify(Prop::Text);
    Fire(onChange);
}

void ComboBox::UserTyped(vb::StringView text) {
    listIndex_ = -1;
    if (text == now_.text) return;
    now_.text = text;
    Fire(onChange);
}

int ComboBox::IndexOf(vb::StringView item) const {
    for (size_t i = 0; i < now_.list.size(); ++i)
        if (now_.list[i] == item) return static_cast<int>(i);
    return -1;
}

void ComboBox::UserChose(int index) {
    if (index < 0 || index >= static_cast<int>(now_.list.size())) return;
    listIndex_ = index;
    setText(now_.list[index]);
    Fire(onClick);
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(now_.list.size())) throw vb::Error(vb::kInvalidPropertyValue);
    if (index == listIndex_) return;
    listIndex_ = index;
    vb::String text = index < 0 ? vb::String() : now_.list[index];
    bool changed = text != now_.text;
    now_.text = std::move(text);
    Notify(Prop::Text);
    if (changed) Fire(onChange);
    Fire(onClick);
}

void ComboBox::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
    listIndex_ = -1;
}

ListBox::ListBox(Form& form, const Place& place, Props props)
    : Control(form, Kind::ListBox, place), design_(std::move(props)), now_(design_) {}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount()) throw vb::Error(vb::kInvalidPropertyValue);
    if (index == listIndex_) return;
    listIndex_ = index;
    Notify(Prop::Value);
    Fire(onClick);
}

void ListBox::AddItem(vb::StringView text, int index) {
    if (index == -1) index = listCount();
    if (index < 0 || index > listCount()) throw vb::Error(vb::kInvalidProcedureCall);
    now_.list.insert(now_.list.begin() + index, vb::String(text));
    if (listIndex_ >= index) ++listIndex_;
    Notify(Prop::List);
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= listCount()) throw vb::Error(vb::kInvalidProcedureCall);
    now_.list.erase(now_.list.begin() + index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
    Notify(Prop::List);
}

void ListBox::setItem(int index, vb::StringView text) {
    if (index < 0 || index >= listCount()) throw vb::Error(vb::kInvalidProcedureCall);
    now_.list[index] = text;
    Notify(Prop::List);
}

void ListBox::Clear() {
    now_.list.clear();
    listIndex_ = -1;
    Notify(Prop::List);
}

void ListBox::UserSelected(int index) {
    if (index < 0 || index >= listCount() || index == listIndex_) return;
    listIndex_ = index;
    Fire(onClick);
}

void ListBox::UserKeyDown(int& keyCode, int shift) {
    if (onKeyDown) onKeyDown(keyCode, shift);
}

void ListBox::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
    listIndex_ = -1;
}

Frame::Frame(Form& form, const Place& place, Props props)
    : Control(form, Kind::Frame, place), design_(std::move(props)), now_(design_) {}

void Frame::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
}

Slider::Slider(Form& form, const Place& place, const Props& props)
    : Control(form, Kind::Slider, place), design_(props), now_(props) {}

void Slider::setValue(int value) {
    if (value < now_.min || value > now_.max) throw vb::Error(vb::kInvalidPropertyValue);
    if (value == now_.value) return;
    now_.value = value;
    Notify(Prop::Value);
    Fire(onChange);
}

void Slider::UserMoved(int value) {
    if (value < now_.min) value = now_.min;
    if (value > now_.max) value = now_.max;
    if (value == now_.value) return;
    now_.value = value;
    Fire(onChange);
}

void Slider::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
}

Line::Line(Form& form, const char16_t* name, const Props& props)
    : Control(form, Kind::Line, Place{.name = name}), props_(props) {}

PictureBox::PictureBox(Form& form, const Place& place, Props props)
    : Control(form, Kind::PictureBox, place), props_(props) {}

Timer::Timer(Form& form, const char16_t* name, Props props)
    : Control(form, Kind::Timer, Place{.name = name}), design_(props), now_(props) {}

void Timer::setInterval(int milliseconds) {
    if (milliseconds < 0 || milliseconds > 65535) throw vb::Error(vb::kInvalidPropertyValue);
    if (milliseconds == now_.interval) return;
    now_.interval = milliseconds;
    Notify(Prop::Interval);
}

void Timer::setTimerEnabled(bool on) {
    if (on == now_.enabled) return;
    now_.enabled = on;
    Notify(Prop::Interval);
}

void Timer::Tick() {
    if (Running()) Fire(onTimer);
}

void Timer::ResetToDesign() {
    Control::ResetToDesign();
    now_ = design_;
}

}  // namespace ui
