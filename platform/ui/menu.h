// Menus of a form's menu bar: a top-level menu holds items; an item whose
// caption is "-" is a separator.
#pragma once

#include <functional>
#include <vector>

#include "platform/vb/string.h"

namespace ui {

class Form;

class Menu {
public:
    // A menu of the form's menu bar.
    Menu(Form& form, const char16_t* name, const char16_t* caption);
    // An item of a menu.
    Menu(Menu& parent, const char16_t* name, const char16_t* caption);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const vb::String& name() const { return name_; }
    const vb::String& caption() const { return caption_; }
    bool IsSeparator() const { return caption_ == u"-"; }
    Menu* parent() const { return parent_; }
    const std::vector<Menu*>& items() const { return items_; }
    bool enabled() const { return enabled_; }

    void Click();

    std::function<void()> onClick;
    // Set by the backend while the form is loaded: the item's command id.
    int commandId = 0;

private:
    Form& form_;
    Menu* parent_ = nullptr;
    vb::String name_;
    vb::String caption_;
    std::vector<Menu*> items_;
    bool enabled_ = true;
};

}  // namespace ui
