// Tells whether another copy of the program is running already. The first
// copy holds its claim for as long as the object lives.
#pragma once

#include "platform/vb/string.h"

namespace platform {

class SingleInstance {
public:
    explicit SingleInstance(vb::StringView name);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    bool AnotherRunning() const { return another_; }

private:
    void* handle_ = nullptr;  // the claim: a mutex, or a locked file
    bool another_ = false;
};

}  // namespace platform
