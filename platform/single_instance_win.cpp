#include <windows.h>

#include "platform/single_instance.h"

namespace platform {

// A named mutex in the user's session: it goes when the process ends, even
// when the process is killed.
SingleInstance::SingleInstance(vb::StringView name) {
    vb::String full = u"Local\\" + vb::String(name) + u".single-instance";
    handle_ = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(full.c_str()));
    another_ = handle_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
    if (handle_) CloseHandle(handle_);
}

}  // namespace platform
