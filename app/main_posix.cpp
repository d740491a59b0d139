// The windows of this program need Windows; elsewhere it runs headless, which
// serves its tests and shows that the logic starts.
#include <cstdio>

#include "app/program.h"
#include "platform/ui/headless/headless.h"

int main() {
    ui::headless::Backend screen;
    try {
        int code = app::Run();
        std::printf("brivane: main window loaded headless; run the Windows build for its windows\n");
        return code;
    } catch (const ui::headless::ProgramEnded& end) {
        return end.exitCode;
    }
}
