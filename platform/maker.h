// The maker's name and addresses, shown by the link labels, the About window
// and the error report. Placeholders until the real ones are settled.
#pragma once

#include "platform/vb/string.h"

namespace maker {

inline constexpr const char16_t* Name = u"Example";
inline constexpr const char16_t* WebAddress = u"www.example.com";
inline constexpr const char16_t* SupportEmail = u"support@example.com";
inline constexpr int CopyrightYear = 2026;

// The web page the maker's address stands for.
inline vb::String WebPage() { return u"http://" + vb::String(WebAddress); }

}  // namespace maker
