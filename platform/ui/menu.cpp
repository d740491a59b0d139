#include "platform/ui/menu.h"

#include "platform/ui/form.h"

namespace ui {

Menu::Menu(Form& form, const char16_t* name, const char16_t* caption) : form_(form), name_(name), caption_(caption) {
    form.Add(this);
}

Menu::Menu(Menu& parent, const char16_t* name, const char16_t* caption)
    : form_(parent.form_), parent_(&parent), name_(name), caption_(caption) {
    parent.items_.push_back(this);
}

void Menu::Click() {
    if (onClick && enabled_ && !IsSeparator()) onClick();
}

}  // namespace ui
