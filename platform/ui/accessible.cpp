#include "platform/ui/accessible.h"

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace ui {

namespace {

// The caption it shows, for the kinds that show one.
const vb::String* CaptionOf(const Control& c) {
    switch (c.kind()) {
    case Kind::CommandButton:
        return &static_cast<const CommandButton&>(c).caption();
    case Kind::CheckBox:
        return &static_cast<const CheckBox&>(c).caption();
    case Kind::Label:
        return &static_cast<const Label&>(c).caption();
    case Kind::Frame:
        return &static_cast<const Frame&>(c).caption();
    default:
        return nullptr;
    }
}

bool HasCaption(const Control& c) {
    const vb::String* caption = CaptionOf(c);
    return caption && !caption->empty();
}

// The control just before it in the designed tab order, if that is a label
// with a caption (a link names only itself).
const Label* LabelBefore(const Control& control) {
    if (control.tabIndex() < 0) return nullptr;
    const Control* before = nullptr;
    for (const Control* c : control.form().controls())
        if (c->tabIndex() >= 0 && c->tabIndex() < control.tabIndex() && (!before || c->tabIndex() > before->tabIndex()))
            before = c;
    if (!before || before->kind() != Kind::Label || before->IsLink() || !HasCaption(*before)) return nullptr;
    return static_cast<const Label*>(before);
}

// The caption the name comes from.
const vb::String* NamingCaption(const Control& control) {
    switch (NameSourceOf(control)) {
    case NameSource::Caption:
        return CaptionOf(control);
    case NameSource::LabelBefore:
        return &LabelBefore(control)->caption();
    default:
        return nullptr;
    }
}

// Without the blanks and colons that end a label ("Zoom :").
vb::StringView Trimmed(vb::StringView text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == u' ' || text[end - 1] == u':')) --end;
    return text.substr(0, end);
}

}  // namespace

vb::String WithoutAccessKey(vb::StringView caption) {
    vb::String shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 == caption.size()) break;
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

char16_t AccessKeyOf(vb::StringView caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        char16_t key = caption[i + 1];
        if (key != u'&') return key >= u'a' && key <= u'z' ? static_cast<char16_t>(key - u'a' + u'A') : key;
        ++i;
    }
    return 0;
}

NameSource NameSourceOf(const Control& control) {
    if (!control.accessibleName().empty()) return NameSource::Explicit;
    if (HasCaption(control)) return NameSource::Caption;
    if (LabelBefore(control)) return NameSource::LabelBefore;
    return NameSource::None;
}

vb::String AccessibleName(const Control& control) {
    switch (NameSourceOf(control)) {
    case NameSource::Explicit:
        return control.accessibleName();
    case NameSource::Caption:
        return control.IsLink() ? *CaptionOf(control) : WithoutAccessKey(*CaptionOf(control));
    case NameSource::LabelBefore:
        return WithoutAccessKey(LabelBefore(control)->caption());
    default:
        return {};
    }
}

vb::String KeyboardShortcut(const Control& control) {
    const vb::String* caption = NamingCaption(control);
    if (!caption || control.IsLink()) return {};
    char16_t key = AccessKeyOf(*caption);
    if (!key) return {};
    return vb::String(u"Alt+") + key;
}

vb::String AccessibleDescription(const Control& control) {
    const Frame* frame = control.container();
    if (!frame || frame->caption().empty()) return {};
    vb::String group = WithoutAccessKey(frame->caption());
    if (Trimmed(group) == Trimmed(AccessibleName(control))) return {};
    return group;
}

}  // namespace ui
