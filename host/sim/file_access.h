// The few system calls the stand-in's state file needs, per platform.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/vb/string.h"

namespace host::sim {

// A file's name as the system takes it (UTF-16 on Windows, bytes elsewhere):
// what a std::filesystem::path holds. The stand-in's DLL keeps to these:
// the library's path brings its locale conversions with it, a megabyte
// loaded into the program with the DLL.
using NativePath = std::filesystem::path::string_type;

// Holds an exclusive lock on a lock file while it lives, waiting for it if
// another process (or another handle of this one) holds it. When the lock
// file cannot be opened it goes on unlocked: then the state file beside it
// most likely cannot be written either, which its writer reports.
//
// The lock file also keeps a count of the state's changes, so that a
// handle that holds the state in memory knows, for the price of one small
// read, whether another handle or process changed it since.
class FileLock {
public:
    explicit FileLock(const NativePath& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // The count kept, 0 in a new lock file; nullopt while unlocked (nobody
    // can tell then).
    std::optional<uint64_t> Changes() const;
    // False when it cannot be written (or the lock file is not held).
    bool SetChanges(uint64_t count) const;

private:
    intptr_t handle_;
};

// Moves `from` over `to`, replacing it in one step; false on failure.
bool MoveOver(const NativePath& from, const NativePath& to);

// Plain system calls, not the C++ streams, for the same reason.
// The whole file; nullopt when it is missing or cannot be read.
std::optional<std::string> ReadAll(const NativePath& file);
// The file made anew with these bytes; false on failure.
bool WriteAll(const NativePath& file, std::string_view bytes);
// Adds the bytes at the end of the file, making it when missing; false on
// failure.
bool AppendTo(const NativePath& file, std::string_view bytes);
// The file is gone (or was not there); false when it stays.
bool Remove(const NativePath& file);
// The file's name as text, for messages.
vb::String PathText(const NativePath& file);

// The state file named by the environment (BRIVANE_HOSTSIM_STATE), if any.
std::optional<NativePath> StatePathFromEnvironment();

}  // namespace host::sim
