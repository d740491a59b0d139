// Message boxes by style number, returning the pressed button's number.
#pragma once

#include "platform/vb/string.h"

namespace ui {

inline constexpr int kOkOnly = 0;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;

inline constexpr int kOk = 1;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

// Without a title the box is titled with the program's title.
int MsgBox(vb::StringView text, int style = kOkOnly, vb::StringView title = {});

}  // namespace ui
