// The program's thread as a single-threaded COM apartment, for as long as an
// Apartment lives: the host's objects and its event control are created,
// called and released on that thread, and their events arrive inside its
// message loop. The program makes one at the top of its entry point.
#pragma once

#include <cstdint>

namespace host::com {

class Apartment {
public:
    Apartment();
    ~Apartment();
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

    // False when the thread already was an apartment of another kind.
    bool entered() const { return entered_; }

private:
    bool entered_;
};

// Taken when an object is made. References kept past the end of the
// thread's apartment (program-wide objects destroyed at exit) are abandoned
// rather than released: the server's code may be unloaded by then, and the
// process is ending anyway.
class ApartmentStamp {
public:
    ApartmentStamp();
    bool StillOpen() const;

private:
    uint32_t closings_;
};

}  // namespace host::com
