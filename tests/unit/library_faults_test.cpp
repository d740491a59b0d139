// The library's faults as the program reports them, against the library
// itself (see library_faults.h).
#include <gtest/gtest.h>

#include "tests/unit/library_faults.h"

namespace {

TEST(LibraryFaults, EachIsReportedAsInternalErrorInTheLibrarysWordsOrAsOutOfMemory) {
    for (const library_faults::Case& c : library_faults::Cases()) {
        vb::Error e = library_faults::Reported(c);
        EXPECT_EQ(e.number(), c.number) << c.name;
        EXPECT_EQ(e.description(), c.description) << c.name;
    }
}

TEST(LibraryFaults, MemoryFaultsStayTheLibrarysOwnType) {
    for (const library_faults::Case& c : library_faults::Cases()) {
        if (c.number != vb::kOutOfMemory) continue;
        EXPECT_THROW(c.fault(), std::bad_alloc) << c.name;
    }
}

}  // namespace
