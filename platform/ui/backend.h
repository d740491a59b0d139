// The window system behind the forms model: real Win32 windows, or the
// headless backend that keeps everything in memory for tests.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/form.h"
#include "platform/seam.h"
#include "platform/ui/geometry.h"
#include "platform/vb/string.h"

namespace ui {

class Backend {
public:
    virtual ~Backend() = default;

    // The form's window and its controls' windows, hidden; the backend sets
    // each control's and menu item's peer fields.
    virtual std::unique_ptr<FormPeer> CreateForm(Form& form) = 0;
    // Shows the form modally over the program's other windows and returns
    // when it is hidden or unloaded.
    virtual void RunModal(Form& form) = 0;
    // Returns the number of the pressed button (1 OK, 6 Yes, 7 No).
    virtual int MsgBox(vb::StringView text, int style, vb::StringView title) = 0;

    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    // The work areas of the monitors, in pixels.
    virtual std::vector<PixelRect> WorkAreas() const = 0;

    // The program's message loop; returns when the last form is unloaded.
    virtual void Run() = 0;
    virtual void QuitRun() = 0;
    // Ends the program at once with this exit code; no close handling runs.
    // The headless backend throws ProgramEnded (platform/ui/dispatch.h).
    [[noreturn]] virtual void End(int exitCode) = 0;
};

Backend& backend();

using BackendGuard = platform::Seam<Backend*>::Guard;
// The backend in use while the guard lives (not owned); each backend
// installs itself for its lifetime. Tests install a headless one.
BackendGuard InstallBackend(Backend& backend);

}  // namespace ui
