#include "info/Instructions.h"

#include "platform/program_info.h"
#include "platform/shell.h"

void OpenInstructions(const ui::Form& owner) {
    platform::shell().Open({.owner = &owner,
                            .verb = u"open",
                            .file = u"instructions.txt",
                            .parameters = vb::String(),
                            .directory = platform::ExeFolder()});
}
