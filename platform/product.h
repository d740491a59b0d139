// The program's identity: one place for its title, version and the name
// its release goes by.
// Plain #defines only: the resource compiler and CMake read this file too.
#pragma once

#define BRIVANE_TITLE "brivane"
#define BRIVANE_VERSION_MAJOR 1
#define BRIVANE_VERSION_MINOR 0
#define BRIVANE_VERSION_REVISION 0
#define BRIVANE_VERSION_TEXT "1.0.0"

// What the release calls it: the installer package, Programs and Features,
// the code signature and the package listing.
#define BRIVANE_PRODUCT_NAME "Brivane!"
#define BRIVANE_SUMMARY "Shows the current contact of the contact manager on a web map."
