#include <windows.h>

#include "app/program.h"
#include "host/com/apartment.h"
#include "platform/ui/win32/win32_backend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The host's objects and its event control live in this thread's apartment.
    host::com::Apartment apartment;
    ui::win32::Backend screen(instance);
    return app::Run();
}
