#include "host/com/apartment.h"

#include <windows.h>
#include <ole2.h>

namespace host::com {

namespace {
// Per thread: apartments of ours now open, and how often the outermost closed.
thread_local int open = 0;
thread_local uint32_t closings = 0;
}  // namespace

Apartment::Apartment() : entered_(SUCCEEDED(OleInitialize(nullptr))) {
    if (entered_) ++open;
}

Apartment::~Apartment() {
    if (!entered_) return;
    OleUninitialize();
    if (--open == 0) ++closings;
}

ApartmentStamp::ApartmentStamp() : closings_(closings) {}

bool ApartmentStamp::StillOpen() const { return closings_ == closings; }

}  // namespace host::com
