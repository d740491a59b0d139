#include "platform/locale.h"

#include <langinfo.h>
#include <locale.h>

#include "platform/vb/string.h"

namespace platform {

// The separator of the locale the user's environment names (LC_ALL,
// LC_NUMERIC, LANG). Asked through a locale object of its own, so the
// process locale stays as it is.
char16_t UserDecimalSeparator() {
    locale_t user = newlocale(LC_NUMERIC_MASK, "", locale_t(0));
    if (user == locale_t(0)) return u'.';
    vb::String radix = vb::FromUtf8(nl_langinfo_l(RADIXCHAR, user));
    freelocale(user);
    // A separator outside ASCII in a locale that is not UTF-8 cannot be
    // read here; the replacement character would never match a digit text.
    if (radix.empty() || radix[0] == char16_t(0xFFFD)) return u'.';
    return radix[0];
}

}  // namespace platform
