#include "app/program.h"

#include "main/frmMain.h"
#include "platform/ui/backend.h"
#include "platform/ui/dispatch.h"

namespace app {

int Run() {
    // Lives until the process ends: the end timer terminates the program
    // without unwinding anything.
    static frmMain mainWindow;
    ui::Dispatch([] { mainWindow.Show(); });
    ui::backend().Run();
    return 0;
}

}  // namespace app
