// The few system calls the stand-in's state file needs, per platform.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace host::sim {

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
    explicit FileLock(const std::filesystem::path& lockFile);
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
bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Adds the bytes at the end of the file, making it when missing; false on
// failure.
bool AppendTo(const std::filesystem::path& file, std::string_view bytes);

// The state file named by the environment (BRIVANE_HOSTSIM_STATE), if any.
std::optional<std::filesystem::path> StatePathFromEnvironment();

}  // namespace host::sim
