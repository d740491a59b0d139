#include "platform/ui/win32/menu_bar.h"

#include "platform/ui/win32/system_error.h"
#include "platform/win32/wide.h"

namespace ui::win32 {

namespace {

void Append(HMENU into, Menu& menu, int& nextId) {
    UINT state = menu.enabled() ? 0 : MF_GRAYED;
    if (menu.IsSeparator()) {
        AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
        return;
    }
    if (menu.items().empty()) {
        menu.commandId = nextId++;
        AppendMenuW(into, MF_STRING | state, static_cast<UINT_PTR>(menu.commandId), win::WidePtr(menu.caption()));
        return;
    }
    win::ScopedMenu popup(CreatePopupMenu());
    if (!popup) RaiseSystemError(u"CreatePopupMenu", menu.name());
    for (Menu* item : menu.items()) Append(popup.get(), *item, nextId);
    if (AppendMenuW(into, MF_POPUP | state, reinterpret_cast<UINT_PTR>(popup.get()), win::WidePtr(menu.caption())))
        popup.release();  // the parent menu frees it now
}

Menu* Find(const std::vector<Menu*>& menus, int commandId) {
    for (Menu* m : menus) {
        if (m->items().empty()) {
            if (!m->IsSeparator() && m->commandId == commandId) return m;
        } else if (Menu* found = Find(m->items(), commandId)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

win::ScopedMenu BuildMenuBar(const Form& form, int firstId) {
    if (form.menus().empty()) return {};
    win::ScopedMenu bar(CreateMenu());
    if (!bar) RaiseSystemError(u"CreateMenu", form.name());
    int nextId = firstId;
    for (Menu* menu : form.menus()) Append(bar.get(), *menu, nextId);
    return bar;
}

Menu* FindMenuItem(const Form& form, int commandId) {
    if (commandId <= 0) return nullptr;
    return Find(form.menus(), commandId);
}

}  // namespace ui::win32
