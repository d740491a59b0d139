#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/single_instance.h"

namespace platform {

struct SingleInstance::Claim {
    explicit Claim(int fd) : fd(fd) {}
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    ~Claim() { close(fd); }
    int fd;
};

// An advisory lock on a file in the user's runtime folder: the system drops
// it when the process ends, however it ends.
SingleInstance::SingleInstance(vb::StringView name) {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string path = (dir && *dir) ? std::string(dir) : "/tmp";
    path += "/" + vb::ToUtf8(name) + "-" + std::to_string(getuid()) + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;  // cannot tell: let this copy run
    auto claim = std::make_unique<Claim>(fd);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        another_ = true;
        return;
    }
    claim_ = std::move(claim);
}

SingleInstance::~SingleInstance() = default;

}  // namespace platform
