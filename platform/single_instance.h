// Tells whether another copy of the program is running already. The first
// copy holds its claim for as long as the object lives.
#pragma once

#include <memory>

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
    struct Claim;  // a named mutex, or a locked file, freed with the object
    std::unique_ptr<Claim> claim_;
    bool another_ = false;
};

}  // namespace platform
