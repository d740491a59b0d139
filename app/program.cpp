#include "app/program.h"

#include "main/frmMain.h"
#include "platform/ui/backend.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/session.h"

namespace app {

int Run() {
    ui::Dispatch([] {
        // Lives until the process ends: the end timer terminates the program
        // without unwinding anything.
        static frmMain mainWindow;
        // The session's end closes the main window as its close box does, so
        // that its place and box are saved before the system ends the process.
        ui::OnSessionEnd([] { mainWindow.UserClose(); });
        mainWindow.Show();
        ui::backend().Run();
    });
    return 0;
}

}  // namespace app
