#include "platform/shell.h"

#include "platform/program_info.h"

namespace platform {

Shell& SystemShell();

namespace {
Seam<Shell*> installed;
}

Shell& shell() {
    if (Shell* replacement = installed.installed()) return *replacement;
    return SystemShell();
}

ShellGuard InstallShell(Shell& replacement) { return installed.Install(&replacement); }

long OpenFromProgramFolder(const ui::Form* owner, vb::String file, std::optional<vb::String> parameters) {
    return shell().Open({.owner = owner,
                         .verb = u"open",
                         .file = std::move(file),
                         .parameters = std::move(parameters),
                         .directory = ExeFolder()});
}

}  // namespace platform
