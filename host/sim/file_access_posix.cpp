#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "host/sim/file_access.h"

namespace host::sim {

namespace {
// Where the Windows build keeps it too (after the byte it locks).
constexpr off_t kCountOffset = 8;
}  // namespace

FileLock::FileLock(const NativePath& lockFile) : handle_(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (handle_ < 0) return;
    while (::flock(static_cast<int>(handle_), LOCK_EX) != 0 && errno == EINTR) {
    }
}

FileLock::~FileLock() {
    // Closing the descriptor releases the lock.
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::optional<uint64_t> FileLock::Changes() const {
    if (handle_ < 0) return std::nullopt;
    uint64_t count = 0;
    ssize_t got = ::pread(static_cast<int>(handle_), &count, sizeof count, kCountOffset);
    if (got < 0) return std::nullopt;
    return got == static_cast<ssize_t>(sizeof count) ? count : 0;
}

bool FileLock::SetChanges(uint64_t count) const {
    if (handle_ < 0) return false;
    return ::pwrite(static_cast<int>(handle_), &count, sizeof count, kCountOffset) ==
           static_cast<ssize_t>(sizeof count);
}

bool MoveOver(const NativePath& from, const NativePath& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

namespace {

// Writes all the bytes to the open file and closes it.
bool PutAndClose(int fd, std::string_view bytes) {
    if (fd < 0) return false;
    bool written = true;
    while (written && !bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) bytes.remove_prefix(static_cast<size_t>(n));
    }
    return ::close(fd) == 0 && written;
}

}  // namespace

std::optional<std::string> ReadAll(const NativePath& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char chunk[16384];
    ssize_t got = 0;
    while ((got = ::read(fd, chunk, sizeof chunk)) > 0 || (got < 0 && errno == EINTR))
        if (got > 0) text.append(chunk, static_cast<size_t>(got));
    ::close(fd);
    if (got < 0) return std::nullopt;
    return text;
}

bool WriteAll(const NativePath& file, std::string_view bytes) {
    return PutAndClose(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666), bytes);
}

bool AppendTo(const NativePath& file, std::string_view bytes) {
    return PutAndClose(::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666), bytes);
}

bool Remove(const NativePath& file) { return ::unlink(file.c_str()) == 0 || errno == ENOENT; }

vb::String PathText(const NativePath& file) { return vb::FromUtf8(file); }

std::optional<NativePath> StatePathFromEnvironment() {
    const char* value = std::getenv("BRIVANE_HOSTSIM_STATE");
    if (!value || !*value) return std::nullopt;
    return NativePath(value);
}

}  // namespace host::sim
