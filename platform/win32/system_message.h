// The system's own text for an error code (a Win32 error or an HRESULT).
#pragma once

#include <cstdint>

#include "platform/vb/string.h"

namespace win {

// FormatMessage's text without its trailing line break; empty when the
// system has none for the code.
vb::String SystemMessage(uint32_t code);

}  // namespace win
