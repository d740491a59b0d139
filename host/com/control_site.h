// The least a container does for an invisible control it holds: a control
// that takes a client site gets one (before its initialisation when it asks
// for that, after otherwise), and a control that can start as new is told
// to. Some controls' methods fail until then. None of these steps is needed
// to succeed: a control that refuses them may still work.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "platform/win32/scoped.h"

namespace host::com {

class ControlSite {
public:
    ControlSite() = default;
    ControlSite(const ControlSite&) = delete;
    ControlSite& operator=(const ControlSite&) = delete;
    ~ControlSite() { Close(); }

    // Sets the control up as far as it supports it. Returns the first step
    // that failed (S_OK when none did, or the control supports none); the
    // steps after a failure are still taken.
    HRESULT Prepare(IUnknown* control);
    // Closes the control without saving and takes its site back, when it
    // was given one.
    void Close();
    // Forgets the control without calling it (its code may be gone).
    void Abandon() { object_.Detach(); }

private:
    win::ComPtr<IOleObject> object_;  // while the control holds our site
};

}  // namespace host::com
