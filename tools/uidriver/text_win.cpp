#include "tools/uidriver/text_win.h"

#include <windows.h>

namespace uidriver {

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Escaped(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'\\':
            out += L"\\\\";
            break;
        case L'\t':
            out += L"\\t";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\n':
            out += L"\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::wstring WithoutMnemonics(std::wstring_view caption) {
    std::wstring out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        else if (caption[i] == L'&') continue;
        out += caption[i];
    }
    return out;
}

std::wstring MenuCaptionText(std::wstring_view caption) {
    return WithoutMnemonics(caption.substr(0, caption.find(L'\t')));
}

bool CaptionMatches(std::wstring_view caption, std::wstring_view wanted) {
    if (caption == wanted) return true;
    if (caption.find(L'&') == std::wstring_view::npos) return false;
    return WithoutMnemonics(caption) == wanted;
}

bool ParseInt(std::wstring_view text, long long& out) {
    size_t i = 0;
    bool negative = !text.empty() && text[0] == L'-';
    if (negative) i = 1;
    if (i == text.size() || text.size() - i > 18) return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        value = value * 10 + (text[i] - L'0');
    }
    out = negative ? -value : value;
    return true;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring Hex(unsigned long value) {
    wchar_t buffer[16];
    wsprintfW(buffer, L"0x%08lX", value);
    return buffer;
}

}  // namespace uidriver
