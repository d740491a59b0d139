#include <windows.h>

#include "app/program.h"
#include "platform/ui/win32/win32_backend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ui::win32::Backend screen(instance);
    return app::Run();
}
