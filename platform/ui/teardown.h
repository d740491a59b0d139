// No object is destroyed while a frame of its own code is on the stack.
//
// The system calls into objects of the program: a form's window (its window
// procedure), its controls' windows (theirs, and the watch on their focus),
// the host's event control (through the sink of its events). Each such call
// runs a handler of the program inside ui::Dispatch, and a handler may close
// the very window whose code called it: OK unloads its own form, a host
// notification closes the main window that holds the control raising it.
// The window closes then, at once, as the user sees it; what the system
// called into (the form's window object with its controls' windows, the
// event control with its site and its sink's connection) is handed to
// ReleaseLater, and released once every callback that was running when it
// was handed over has returned to a message loop. So the code the system
// called into may go on using its own object after a handler returns, and
// nowhere else does the program ask whether an object is still there.
//
// The backends' message loops carry the releases out: on Windows through a
// posted message, which every loop dispatches (the program's, a modal
// form's, a message box's, a menu's); in the headless backend at the end of
// each event it delivers. Each waiting release notes how many callbacks ran
// when it was asked for, and is carried out only by a loop that runs
// outside the callback it was asked in. Code of an object that runs a
// message loop of its own after a handler returned (no object of the
// program does) would have to hold a callback frame around it. What still
// waits when the backend goes is released then, when no callback runs; a
// program that ends at once (Backend::End) leaves it to the process's end,
// untouched.
#pragma once

#include <memory>
#include <utility>

namespace ui {

// Something released later: destroying it releases what it holds.
class Disposable {
public:
    virtual ~Disposable() = default;
};

// One call from the system into the program, for as long as it runs:
// ui::Dispatch holds one around every handler.
class CallbackFrame {
public:
    CallbackFrame();
    ~CallbackFrame();
    CallbackFrame(const CallbackFrame&) = delete;
    CallbackFrame& operator=(const CallbackFrame&) = delete;
};

// Releases `object` once every callback running now has returned to a
// message loop; at once when none runs.
void ReleaseLater(std::unique_ptr<Disposable> object);

template <class T>
void ReleaseLater(std::unique_ptr<T> object) {
    class Owned final : public Disposable {
    public:
        explicit Owned(std::unique_ptr<T> o) : object_(std::move(o)) {}

    private:
        std::unique_ptr<T> object_;
    };
    if (object) ReleaseLater(std::unique_ptr<Disposable>(std::make_unique<Owned>(std::move(object))));
}

// For the backends' message loops: carries out the waiting releases whose
// callbacks have all returned.
void RunDueReleases();
// For a backend's end, when no callback runs: carries out every release
// still waiting.
void RunAllReleases();
// Whether a waiting release could be carried out by a loop now.
bool ReleasesDue();

}  // namespace ui
