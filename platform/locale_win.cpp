#include "platform/locale.h"

#include <windows.h>

#include <atomic>

namespace platform {
namespace {

std::atomic<char16_t> g_testSeparator{0};

// The separator the user chose in the regional settings.
char16_t UserDecimalSeparator() {
    wchar_t text[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) == 0 || text[0] == 0) {
        return u'.';
    }
    return static_cast<char16_t>(text[0]);
}

}  // namespace

char16_t DecimalSeparator() {
    char16_t test = g_testSeparator.load();
    return test != 0 ? test : UserDecimalSeparator();
}

void SetDecimalSeparatorForTesting(char16_t separator) { g_testSeparator.store(separator); }

}  // namespace platform
