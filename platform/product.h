// The program's identity: one place for its title and version.
// Plain #defines only: the resource compiler and CMake read this file too.
#pragma once

#define BRIVANE_TITLE "brivane"
#define BRIVANE_VERSION_MAJOR 1
#define BRIVANE_VERSION_MINOR 0
#define BRIVANE_VERSION_REVISION 0
#define BRIVANE_VERSION_TEXT "1.0.0"
