#include "platform/ui/form.h"

#include <algorithm>

#include "platform/startup_trace.h"
#include "platform/ui/backend.h"
#include "platform/ui/controls.h"
#include "platform/ui/menu.h"

namespace ui {

namespace {
// Never destroyed: a form that lives as long as the process (the main
// window) is destroyed among the statics at its end, maybe after a list
// made later would be, and still takes itself off the list then.
std::vector<Form*>& Loaded() {
    static auto* forms = new std::vector<Form*>;
    return *forms;
}
}  // namespace

const std::vector<Form*>& Form::LoadedForms() { return Loaded(); }

Form::Form(const char16_t* name, FormProps props) : name_(name), props_(std::move(props)), design_(props_) {}

Form::~Form() {
    // The controls are gone already; the window goes without touching them.
    peer.reset();
    auto& forms = Loaded();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void Form::setCaption(vb::StringView text) {
    props_.caption = text;
    if (peer) peer->CaptionChanged();
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    Loaded().push_back(this);
    try {
        peer = backend().CreateForm(*this);
    } catch (...) {
        // Without its window the form stays unloaded.
        loaded_ = false;
        auto& forms = Loaded();
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
        throw;
    }
    Form_Load();
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // Form_Load unloaded it again
    visible_ = true;
    peer->Show();
    platform::StartupMark("shown");
}

void Form::ShowModal() {
    Load();
    if (!loaded_) return;
    visible_ = true;
    modal_ = true;
    backend().RunModal(*this);
    modal_ = false;
}

void Form::Hide() {
    if (!loaded_ || !visible_) return;
    visible_ = false;
    peer->Hide();
}

bool Form::Unload() {
    if (!loaded_) return true;
    int16_t cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0 || !loaded_) return cancel == 0;
    visible_ = false;
    loaded_ = false;
    peer.reset();
    for (Control* c : controls_) {
        c->peer = nullptr;
        c->ResetToDesign();
    }
    focused_ = nullptr;
    props_ = design_;
    auto& forms = Loaded();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    ControlsDestroyed();
    if (forms.empty()) backend().QuitRun();
    return true;
}

CommandButton* Form::DefaultButton() const {
    for (Control* c : controls_)
        if (c->kind() == Kind::CommandButton && static_cast<CommandButton*>(c)->isDefault())
            return static_cast<CommandButton*>(c);
    return nullptr;
}

CommandButton* Form::CancelButton() const {
    for (Control* c : controls_)
        if (c->kind() == Kind::CommandButton && static_cast<CommandButton*>(c)->isCancel())
            return static_cast<CommandButton*>(c);
    return nullptr;
}

void Form::PressEnter() {
    CommandButton* target = nullptr;
    if (focused_ && focused_->kind() == Kind::CommandButton && focused_->CanFocus())
        target = static_cast<CommandButton*>(focused_);
    else target = DefaultButton();
    if (target && target->CanFocus()) target->Click();
}

void Form::PressEscape() {
    CommandButton* target = CancelButton();
    if (target && target->enabled() && target->visible()) target->Click();
}

std::vector<Control*> Form::TabOrder() const {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->CanFocus()) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

float Form::Left() const {
    if (!peer) return static_cast<float>(props_.left);
    return static_cast<float>(peer->OuterRect().x * backend().TwipsPerPixelX());
}

float Form::Top() const {
    if (!peer) return static_cast<float>(props_.top);
    return static_cast<float>(peer->OuterRect().y * backend().TwipsPerPixelY());
}

void Form::Place(bool topmost, PixelRect outer) {
    Load();
    if (!loaded_) return;
    visible_ = true;
    peer->Place(topmost, outer);
    platform::StartupMark("placed");
}

}  // namespace ui
