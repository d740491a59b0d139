#include "platform/locale.h"

#include <windows.h>

namespace platform {

// The separator the user chose in the regional settings.
char16_t UserDecimalSeparator() {
    wchar_t text[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) == 0 || text[0] == 0) {
        return u'.';
    }
    return static_cast<char16_t>(text[0]);
}

}  // namespace platform
