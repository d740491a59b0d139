// The library's faults as the program reports them, against the program's
// replacement of the library's helpers that throw them
// (app/lean_runtime_win.cpp), with the expectations the unit tests hold
// against the library (tests/unit/library_faults.h). Without GoogleTest,
// whose streams need the library's helpers that the replacement leaves out.
// Prints each case that differs; ends with "N passed, N failed" and a
// non-zero status when one failed.
#include <cstdio>
#include <new>

#include "tests/unit/library_faults.h"

int main() {
    int passed = 0, failed = 0;
    for (const library_faults::Case& c : library_faults::Cases()) {
        vb::Error e = library_faults::Reported(c);
        bool ok = e.number() == c.number && e.description() == c.description;
        if (ok && c.number == vb::kOutOfMemory) {
            try {
                c.fault();
                ok = false;
            } catch (const std::bad_alloc&) {
            }
        }
        if (ok) {
            ++passed;
        } else {
            ++failed;
            std::printf("FAILED %s: error %d \"%s\"\n", c.name, static_cast<int>(e.number()),
                        vb::ToUtf8(e.description()).c_str());
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
