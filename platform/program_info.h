// What the program knows about itself: its title, version and where its
// executable lies (the data files are beside it).
#pragma once

#include "platform/vb/string.h"

namespace platform {

struct Version {
    int major, minor, revision;
};

vb::String ProgramTitle();  // "brivane"
Version ProgramVersion();   // 1.0.0

// The folder that holds the executable, as the system reports it (no
// trailing separator, except at a drive's root: "C:\"), and the
// executable's file name without extension.
vb::String ExeFolder();
vb::String ExeBaseName();

// The folder part of a Windows path: up to its last separator, which goes,
// except at a drive's root ("C:\brivane.exe" gives "C:\", for "C:" alone
// would mean the current folder of drive C).
vb::String WindowsFolderOf(vb::StringView path);

// The path separator of the platform's file names ("\" on Windows).
vb::String PathSeparator();

}  // namespace platform
