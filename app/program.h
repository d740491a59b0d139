// The program's start: its main window is the start-up object.
#pragma once

namespace app {

// Shows the main window and runs until the program ends; returns the exit code.
int Run();

}  // namespace app
