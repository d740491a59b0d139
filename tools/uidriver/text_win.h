// Text helpers: UTF-8 output, one-line escaping, caption matching.
#pragma once
#include <string>
#include <string_view>

namespace uidriver {

std::string ToUtf8(std::wstring_view text);

// Backslash, tab, CR and LF written as \\ \t \r \n, so every value stays on
// one tab-separated line.
std::wstring Escaped(std::wstring_view text);

// "&OK" -> "OK", "A && B" -> "A & B": the caption as the user reads it.
std::wstring WithoutMnemonics(std::wstring_view caption);

// A menu caption without its mnemonics and without the accelerator text
// after a tab ("&Open\tCtrl+O" -> "Open").
std::wstring MenuCaptionText(std::wstring_view caption);

// Exact caption, or the caption with its mnemonics removed.
bool CaptionMatches(std::wstring_view caption, std::wstring_view wanted);

// Whole decimal number, optional leading '-', nothing else.
bool ParseInt(std::wstring_view text, long long& out);

bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

std::wstring Hex(unsigned long value);

}  // namespace uidriver
