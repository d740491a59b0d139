// The program's text (UTF-16 vb::String) and the system's wide strings are
// the same code units under two types. Two ways across: a view of the
// program's own text for a call that only reads it, and a copy.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <string>

#include "platform/vb/string.h"

namespace win {

// The text as the null-terminated wide string the system reads; valid as
// long as `text` is, unchanged.
inline const wchar_t* WidePtr(const vb::String& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// A wide copy, for building a longer wide string or a view's text.
inline std::wstring ToWide(vb::StringView text) { return std::wstring(text.begin(), text.end()); }

inline vb::String FromWide(const wchar_t* text, size_t length) { return vb::String(text, text + length); }
inline vb::String FromWide(std::wstring_view text) { return FromWide(text.data(), text.size()); }

// A BSTR's text (it may hold nulls); a null BSTR is empty text.
inline vb::String FromBstr(BSTR text) { return text ? FromWide(text, SysStringLen(text)) : vb::String(); }

// A new BSTR; nullptr only when out of memory.
inline BSTR ToBstr(vb::StringView text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

}  // namespace win
