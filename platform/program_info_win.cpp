#include <windows.h>

#include <string>

#include "platform/program_info.h"

namespace platform {

namespace {
vb::String ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return vb::String(path.begin(), path.end());
}
}  // namespace

vb::String ExeFolder() { return WindowsFolderOf(ExePath()); }

vb::String ExeBaseName() {
    vb::String path = ExePath();
    size_t slash = path.find_last_of(u"\\/");
    vb::String name = slash == vb::String::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of(u'.');
    return dot == vb::String::npos ? name : name.substr(0, dot);
}

vb::String PathSeparator() { return u"\\"; }

}  // namespace platform
