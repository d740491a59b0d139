#include "platform/locale.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<char16_t> g_testSeparator{0};
}

char16_t DecimalSeparator() {
    char16_t test = g_testSeparator.load();
    return test != 0 ? test : UserDecimalSeparator();
}

void SetDecimalSeparatorForTesting(char16_t separator) { g_testSeparator.store(separator); }

}  // namespace platform
