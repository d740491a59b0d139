// What a call raises, for tests that expect a run-time error.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/vb/error.h"

// The error the call raises; number 0, "no error" when it returns.
template <typename Call>
vb::Error ErrorOf(Call&& call) {
    try {
        std::forward<Call>(call)();
    } catch (const vb::Error& e) {
        return e;
    }
    return vb::Error(0, u"no error");
}

// Its number alone.
template <typename Call>
int32_t ErrorNumberOf(Call&& call) {
    return ErrorOf(std::forward<Call>(call)).number();
}
