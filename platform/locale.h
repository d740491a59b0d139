// The user's number format, as the conversions of platform/vb need it.
#pragma once

namespace platform {

// The first character of the user's decimal separator: '.' or ',' for most
// users; '.' when the system cannot say. Read afresh on every call, so a
// change in the user's settings shows at once.
char16_t DecimalSeparator();

// Makes DecimalSeparator() return `separator` until called again with 0.
void SetDecimalSeparatorForTesting(char16_t separator);

// The system's answer, without a test's override.
char16_t UserDecimalSeparator();

}  // namespace platform
