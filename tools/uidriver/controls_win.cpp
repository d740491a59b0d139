#include "tools/uidriver/controls_win.h"

#include <optional>
#include <string>

#include "tools/uidriver/window_facts_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::optional<size_t> Index(std::wstring_view text) {
    long long n = 0;
    if (text.empty() || text[0] == L'-' || !ParseInt(text, n)) return std::nullopt;
    return static_cast<size_t>(n);
}

// All controls with the caption, in order.
std::vector<HWND> ByCaption(const std::vector<HWND>& controls, std::wstring_view caption) {
    std::vector<HWND> found;
    for (HWND control : controls)
        if (CaptionMatches(ControlText(control), caption)) found.push_back(control);
    return found;
}

HWND FirstVisible(const std::vector<HWND>& controls) {
    for (HWND control : controls)
        if (IsWindowVisible(control)) return control;
    return controls.front();
}

bool IsKindName(std::wstring_view name) {
    for (int k = 0; k <= static_cast<int>(Kind::Other); ++k)
        if (EqualsNoCase(name, KindName(static_cast<Kind>(k)))) return true;
    return false;
}

HWND ByKindOrClass(const std::vector<HWND>& controls, std::wstring_view name, size_t index) {
    bool byKind = IsKindName(name);
    size_t seen = 0;
    for (HWND control : controls) {
        bool match = byKind ? EqualsNoCase(KindName(KindOf(control)), name) : EqualsNoCase(ClassName(control), name);
        if (match && seen++ == index) return control;
    }
    return nullptr;
}

}  // namespace

std::vector<HWND> Descendants(HWND top) {
    std::vector<HWND> all;
    EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND FindControl(HWND top, std::wstring_view wanted) {
    if (wanted.empty()) UsageError(L"an empty control name");
    auto controls = Descendants(top);
    auto missing = [&]() -> HWND {
        Fail(L"no control \"" + Escaped(wanted) + L"\" in window \"" + Escaped(WindowTitle(top)) + L"\" (" +
             std::to_wstring(controls.size()) + L" controls)");
    };

    if (wanted[0] == L'#') {
        if (auto n = Index(wanted.substr(1))) return *n < controls.size() ? controls[*n] : missing();
    }
    if (auto matches = ByCaption(controls, wanted); !matches.empty()) return FirstVisible(matches);

    if (size_t colon = wanted.rfind(L':'); colon != std::wstring_view::npos) {
        std::wstring_view name = wanted.substr(0, colon);
        if (auto n = Index(wanted.substr(colon + 1))) {
            if (EqualsNoCase(name, L"id")) {
                for (HWND control : controls)
                    if (GetDlgCtrlID(control) == static_cast<int>(*n)) return control;
                return missing();
            }
            if (HWND found = ByKindOrClass(controls, name, *n)) return found;
            return missing();
        }
    }
    if (size_t at = wanted.rfind(L'@'); at != std::wstring_view::npos) {
        if (auto k = Index(wanted.substr(at + 1))) {
            auto matches = ByCaption(controls, wanted.substr(0, at));
            return *k < matches.size() ? matches[*k] : missing();
        }
    }
    return missing();
}

}  // namespace uidriver
