// The forms model on real windows. Installs itself as the backend while it
// lives. Forms after the first loaded one are owned by the first (the main
// window), so they stay above it even when it is topmost; modal forms
// disable the others and run their own message loop; every loop gives the
// keyboard to the dialog manager so Tab, Enter, Esc and access keys work.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/ui/backend.h"
#include "platform/ui/win32/fonts.h"
#include "platform/ui/win32/screen.h"

namespace ui::win32 {

class FormWindow;

class Backend final : public ui::Backend {
public:
    // The instance holds the program's icons; nullptr means the executable.
    explicit Backend(HINSTANCE instance = nullptr);
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;
    ~Backend() override;

    std::unique_ptr<FormPeer> CreateForm(Form& form) override;
    void RunModal(Form& form) override;
    int MsgBox(vb::StringView text, int style, vb::StringView title) override;
    double TwipsPerPixelX() const override { return scale_.x; }
    double TwipsPerPixelY() const override { return scale_.y; }
    std::vector<PixelRect> WorkAreas() const override;
    void Run() override;
    void QuitRun() override;
    [[noreturn]] void End(int exitCode) override;

    HINSTANCE instance() const { return instance_; }
    Scale scale() const { return scale_; }
    Fonts& fonts() { return fonts_; }

    // The window message boxes and new modal forms belong to: the topmost
    // modal form, else the main window; nullptr when no form is loaded.
    HWND ActiveFormWindow() const;

    // From the form windows: a modal form gives the others back their input
    // before it hides or goes, so activation returns to its owner.
    void ReleaseModal(const FormWindow* window);
    void Forget(FormWindow* window);

private:
    struct Modal {
        const FormWindow* window;
        std::vector<HWND> disabled;
        bool released = false;
    };
    // One message through the dialog manager; false at WM_QUIT.
    bool PumpOne();
    HWND DialogFor(HWND hwnd) const;
    FormWindow* WindowOf(HWND hwnd) const;
    static void Release(Modal& modal);

    HINSTANCE instance_;
    Scale scale_;
    Fonts fonts_;
    std::vector<FormWindow*> windows_;  // in the order the forms were loaded
    std::vector<Modal*> modal_;         // innermost last
    int quitCode_ = 0;
    BackendGuard installed_;
};

}  // namespace ui::win32
