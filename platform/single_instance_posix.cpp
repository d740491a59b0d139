#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/single_instance.h"

namespace platform {

// An advisory lock on a file in the user's runtime folder: the system drops
// it when the process ends, however it ends.
SingleInstance::SingleInstance(vb::StringView name) {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string path = (dir && *dir) ? std::string(dir) : "/tmp";
    path += "/" + vb::ToUtf8(name) + "-" + std::to_string(getuid()) + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;  // cannot tell: let this copy run
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        another_ = true;
        close(fd);
        return;
    }
    handle_ = reinterpret_cast<void*>(static_cast<intptr_t>(fd) + 1);
}

SingleInstance::~SingleInstance() {
    if (handle_) close(static_cast<int>(reinterpret_cast<intptr_t>(handle_) - 1));
}

}  // namespace platform
