// A message-only window on the creating thread: Post() asks for `onPosted`
// to run later from that thread's message loop (any loop, modal ones too),
// outside whatever call is running now.
#pragma once

#include <windows.h>

#include <functional>

namespace host::com {

class MessageWindow {
public:
    // Raises 7 when the system cannot make the window.
    explicit MessageWindow(std::function<void()> onPosted);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    // One run for any number of posts before it; false when the message
    // queue is full.
    bool Post();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> onPosted_;
    HWND window_ = nullptr;
    bool pending_ = false;
};

}  // namespace host::com
