// Asking the system shell to open something with the user's default program:
// a web address, a "mailto:" address, a document, a database file.
#pragma once

#include "platform/seam.h"
#include <optional>
#include <vector>

#include "platform/vb/string.h"

namespace ui {
class Form;
}

namespace platform {

inline constexpr int kShowNormal = 5;  // show in its current size and position

struct ShellRequest {
    const ui::Form* owner = nullptr;
    vb::String verb;
    vb::String file;
    std::optional<vb::String> parameters;  // nullopt: no parameters at all
    vb::String directory;
    int show = kShowNormal;
};

class Shell {
public:
    virtual ~Shell() = default;
    // The shell's own result (above 32 on success on Windows). The program
    // does not act on it; tests and diagnostics may.
    virtual long Open(const ShellRequest& request) = 0;
};

// The system's shell, unless another was installed.
Shell& shell();

// The request the program makes everywhere: "open" a file or address, with
// the program's folder as the working folder.
long OpenFromProgramFolder(const ui::Form* owner, vb::String file, std::optional<vb::String> parameters = std::nullopt);

using ShellGuard = Seam<Shell*>::Guard;
// `replacement` takes every request until the guard goes.
ShellGuard InstallShell(Shell& replacement);

// Keeps every request instead of opening anything, while it lives; for tests.
class RecordingShell : public Shell {
public:
    long Open(const ShellRequest& request) override {
        requests.push_back(request);
        return 42;
    }
    std::vector<ShellRequest> requests;

private:
    ShellGuard installed_ = InstallShell(*this);
};

}  // namespace platform
