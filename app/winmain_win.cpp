#include <windows.h>

#include "app/program.h"
#include "host/com/apartment.h"
#include "platform/startup_trace.h"
#include "platform/ui/win32/win32_backend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    platform::StartupMark("entered");
    // The host's objects and its event control live in this thread's apartment.
    host::com::Apartment apartment;
    platform::StartupMark("apartment");
    ui::win32::Backend screen(instance);
    platform::StartupMark("backend");
    return app::Run();
}
