// The program's windows opened on the real window system, with
// stand-ins for the host (in-process), the settings (in memory) and the
// shell, and every caption of theirs measured.
#pragma once

#include <string>
#include <vector>

#include "tools/captionfit/measure_win.h"

namespace captionfit {

struct Row {
    std::wstring window;   // frmMain, frmPreferences, frmIntegrate, frmAbout, frmRoute
    std::wstring control;  // its name, with the index in a control array: chkScreen(3)
    Measure measure;
};

// The windows in the order the user meets them, each loaded as it opens
// (its load handler has run), its controls in tab order. Needs a display.
std::vector<Row> MeasureProgramWindows();

// The manifest the program runs with (version 6 of the common controls),
// for the windows made while this lives; a program that carries it as its
// own needs none. Looked for as the executable's resource 2.
class ProgramControls {
public:
    ProgramControls();
    ProgramControls(const ProgramControls&) = delete;
    ProgramControls& operator=(const ProgramControls&) = delete;
    ~ProgramControls();

private:
    void* context_ = nullptr;  // INVALID_HANDLE_VALUE as nullptr
    unsigned long long cookie_ = 0;
};

}  // namespace captionfit
