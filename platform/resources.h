// Resource ids of the executable. Plain #defines: the resource compiler
// reads this file too.
#pragma once

#define IDI_PROGRAM 1  // the program's icon, on every window
#define IDI_PICTURE 2  // the 32 x 32 picture of the About window
