// The few system calls the stand-in's state file needs, per platform.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace host::sim {

// Holds an exclusive lock on a lock file while it lives, waiting for it if
// another process (or another handle of this one) holds it. When the lock
// file cannot be opened it goes on unlocked: then the state file beside it
// most likely cannot be written either, which its writer reports.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    intptr_t handle_;
};

// Moves `from` over `to`, replacing it in one step; false on failure.
bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to);

// The state file named by the environment (BRIVANE_HOSTSIM_STATE), if any.
std::optional<std::filesystem::path> StatePathFromEnvironment();

}  // namespace host::sim
