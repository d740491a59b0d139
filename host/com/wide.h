// The program's UTF-16 text and the system's wide strings are the same code
// units under two types.
#pragma once

#include <oleauto.h>

#include <string>

#include "platform/vb/string.h"

namespace host::com {

inline std::wstring Wide(vb::StringView text) { return std::wstring(text.begin(), text.end()); }

inline vb::String FromWide(const wchar_t* text, size_t length) { return vb::String(text, text + length); }

// A BSTR's text (it may hold nulls); a null BSTR is empty text.
inline vb::String FromBstr(BSTR text) { return text ? FromWide(text, SysStringLen(text)) : vb::String(); }

// A new BSTR; nullptr only when out of memory.
inline BSTR ToBstr(vb::StringView text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

}  // namespace host::com
