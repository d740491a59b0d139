#include "info/Instructions.h"

#include "platform/shell.h"

void OpenInstructions(const ui::Form& owner) {
    platform::OpenFromProgramFolder(&owner, u"instructions.txt", vb::String());
}
