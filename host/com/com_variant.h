// Values between the program and automation: the program's Variant types go
// out as VT_EMPTY, VT_I2, VT_I4, VT_BOOL, VT_BSTR and VT_DISPATCH; what comes
// back is read as the nearest of them:
//   VT_EMPTY, VT_NULL, VT_ERROR (a missing value)   empty
//   VT_I2, VT_I4, VT_BOOL, VT_BSTR                   as they are
//   VT_I1, VT_UI1, VT_UI2                            I2 or I4, whichever holds it
//   VT_UI4, VT_INT, VT_UINT, VT_I8, VT_UI8           I4 when it fits, else decimal text
//   VT_R4, VT_R8, VT_CY, VT_DATE, VT_DECIMAL         text, in the user's locale
//   VT_DISPATCH, VT_UNKNOWN with IDispatch           an object (a null one: Nothing)
//   VT_BYREF of any of these                         the value it refers to
//   anything else (arrays, ...)                      raises 13 Type mismatch
#pragma once

#include <oaidl.h>

#include "host/variant.h"

namespace host::com {

// Into an empty VARIANT. An object must be one of this backend's (or
// Nothing); any other raises 13. Out of memory raises 7.
void PackVariant(const Variant& value, VARIANT* out);
Variant UnpackVariant(const VARIANT& value);

}  // namespace host::com
