// The C++ library's own faults (a position past the end, a length beyond
// what a container holds, null text, an empty function called, memory) and
// what the program reports for each: "Internal error" with the library's
// words, or "Out of memory". Natively and under Wine.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vb/error.h"
#include "platform/vb/string.h"

namespace {

// Kept from the optimiser, which would see through the faults.
template <class T>
T Opaque(T value) {
    volatile T kept = value;
    return kept;
}

// Memory for `count` numbers, given back at once.
void Allocate(size_t count) {
    std::allocator<int32_t> memory;
    memory.deallocate(memory.allocate(Opaque(count)), count);
}

struct Case {
    const char* name;
    std::function<void()> fault;
    int32_t number;
    vb::String description;
};

vb::String Internal(const char* text) { return u"Internal error: " + vb::FromUtf8(text); }

std::vector<Case> Cases() {
    auto abc = std::make_shared<std::string>("abc");
    auto ab = std::make_shared<vb::String>(u"ab");
    auto three = std::make_shared<std::vector<int>>(3);
    auto empty = std::make_shared<std::function<void()>>();
    constexpr int32_t internal = vb::kInternalError;
    return {
        {"substr past the end", [=] { (void)abc->substr(Opaque<size_t>(5)); }, internal,
         Internal("basic_string::substr: __pos (which is 5) > this->size() (which is 3)")},
        {"at past the end of a UTF-16 text", [=] { (void)ab->at(Opaque<size_t>(7)); }, internal,
         Internal("basic_string::at: __n (which is 7) >= this->size() (which is 2)")},
        {"at past the end of a vector", [=] { (void)three->at(Opaque<size_t>(10)); }, internal,
         Internal("vector::_M_range_check: __n (which is 10) >= this->size() (which is 3)")},
        {"erase past the end", [=] { abc->erase(Opaque<size_t>(4), 1); }, internal,
         Internal("basic_string::erase: __pos (which is 4) > this->size() (which is 3)")},
        {"a string longer than any", [=] { abc->reserve(Opaque(abc->max_size()) + 1); }, internal,
         Internal("basic_string::_M_create")},
        {"a vector longer than any", [=] { three->reserve(Opaque(three->max_size()) + 1); }, internal,
         Internal("vector::reserve")},
        {"text from null", [] { (void)std::string(Opaque<const char*>(nullptr), Opaque<size_t>(2)); }, internal,
         Internal("basic_string: construction from null is not valid")},
        {"an empty function called", [=] { (*empty)(); }, internal, Internal("bad_function_call")},
        // More than any size can count, and more than the address space holds.
        {"an allocation beyond any size", [] { Allocate(SIZE_MAX / 2); }, vb::kOutOfMemory, u"Out of memory"},
        {"an allocation beyond the address space", [] { Allocate(size_t(PTRDIFF_MAX) / sizeof(int32_t) + 1); },
         vb::kOutOfMemory, u"Out of memory"},
    };
}

// The error the program would report for what the case throws.
vb::Error Reported(const Case& c) {
    try {
        c.fault();
    } catch (...) {
        return vb::AsError(std::current_exception());
    }
    return vb::Error(0, u"no error");
}

TEST(LibraryFaults, EachIsReportedAsInternalErrorInTheLibrarysWordsOrAsOutOfMemory) {
    for (const Case& c : Cases()) {
        vb::Error e = Reported(c);
        EXPECT_EQ(e.number(), c.number) << c.name;
        EXPECT_EQ(e.description(), c.description) << c.name;
    }
}

TEST(LibraryFaults, MemoryFaultsStayTheLibrarysOwnType) {
    for (const Case& c : Cases()) {
        if (c.number != vb::kOutOfMemory) continue;
        EXPECT_THROW(c.fault(), std::bad_alloc) << c.name;
    }
}

}  // namespace
