#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/shell.h"

extern char** environ;

namespace platform {

namespace {

// Hands the target to the desktop's opener and does not wait for it: the
// opened program lives on its own, like a program the Windows shell starts.
class DesktopShell : public Shell {
public:
    long Open(const ShellRequest& r) override {
        std::string target = vb::ToUtf8(r.file);
        bool isAddress = target.find(':') != std::string::npos;
        if (!isAddress && !target.empty() && target[0] != '/' && !r.directory.empty())
            target = vb::ToUtf8(r.directory) + "/" + target;
        const char* argv[] = {"xdg-open", target.c_str(), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return 2;
        // xdg-open returns as soon as it has handed the target on.
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 42 : 2;
    }
};

}  // namespace

Shell& SystemShell() {
    static DesktopShell shell;
    return shell;
}

}  // namespace platform
