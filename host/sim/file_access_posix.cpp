#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "host/sim/file_access.h"

namespace host::sim {

FileLock::FileLock(const std::filesystem::path& lockFile)
    : handle_(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (handle_ < 0) return;
    while (::flock(static_cast<int>(handle_), LOCK_EX) != 0 && errno == EINTR) {
    }
}

FileLock::~FileLock() {
    // Closing the descriptor releases the lock.
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::optional<std::filesystem::path> StatePathFromEnvironment() {
    const char* value = std::getenv("BRIVANE_HOSTSIM_STATE");
    if (!value || !*value) return std::nullopt;
    return std::filesystem::path(value);
}

}  // namespace host::sim
