#include <windows.h>

#include "platform/single_instance.h"
#include "platform/win32/scoped.h"
#include "platform/win32/wide.h"

namespace platform {

struct SingleInstance::Claim {
    win::ScopedHandle mutex;
};

// A named mutex in the user's session: it goes when the process ends, even
// when the process is killed.
SingleInstance::SingleInstance(vb::StringView name) : claim_(std::make_unique<Claim>()) {
    vb::String full = u"Local\\" + vb::String(name) + u".single-instance";
    claim_->mutex.reset(CreateMutexW(nullptr, FALSE, win::WidePtr(full)));
    another_ = claim_->mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() = default;

}  // namespace platform
