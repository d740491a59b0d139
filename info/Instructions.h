// The instructions document, "instructions.txt" beside the program, opened
// with the user's viewer for text files. Its result is not examined: a
// missing document shows nothing from the program.
#pragma once

namespace ui {
class Form;
}

void OpenInstructions(const ui::Form& owner);
