// The forms model without a window system: state in memory, message boxes
// answered from a queue, modal windows driven by scripts. Tests act as the
// user through the model's own entry points (UserClick, PressEnter, ...).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "platform/ui/backend.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

namespace ui::headless {

// Thrown by End: the program would have ended here. Every entry lets it
// pass, and no error handler of the program catches it.
using ui::ProgramEnded;

struct ShownBox {
    vb::String text;
    int style;
    vb::String title;
    int answer;
};

class Backend : public ui::Backend {
public:
    Backend();
    ~Backend() override;

    // Installs this backend for the life of the object.
    std::unique_ptr<FormPeer> CreateForm(Form& form) override;
    void RunModal(Form& form) override;
    int MsgBox(vb::StringView text, int style, vb::StringView title) override;
    double TwipsPerPixelX() const override { return twipsPerPixelX; }
    double TwipsPerPixelY() const override { return twipsPerPixelY; }
    std::vector<PixelRect> WorkAreas() const override { return workAreas; }
    void Run() override;
    void QuitRun() override { quitRequested = true; }
    [[noreturn]] void End(int exitCode) override;

    // Answers for the next message boxes, in order; without one a box is
    // answered with its first button (OK, or Yes).
    std::deque<int> answers;
    // Every box shown, in order.
    std::vector<ShownBox> boxes;
    // What the user does while a form is shown modally, by form name. A form
    // still open when its script returns is closed with its close box.
    std::map<vb::String, std::function<void(Form&)>> onModal;
    // Forms shown modally, in order, by name.
    std::vector<vb::String> modalShown;

    double twipsPerPixelX = 15, twipsPerPixelY = 15;
    std::vector<PixelRect> workAreas{{0, 0, 1280, 1024}};

    bool quitRequested = false;
    bool ended = false;
    int exitCode = 0;  // End's, once it ended

private:
    BackendGuard installed_;
};

// The user opens the box's list and chooses the entry of that name; raises
// std::invalid_argument when the list has none.
void Choose(ComboBox& box, vb::StringView entry);

// The user clicks entry `index` of the list; raises std::out_of_range when
// the list has no such entry.
void Select(ListBox& list, int index);

// The state of a loaded form's window, as the headless backend keeps it.
struct WindowState {
    bool shown = false;
    bool topmost = false;
    PixelRect outer{};
};
const WindowState& StateOf(const Form& form);

}  // namespace ui::headless
