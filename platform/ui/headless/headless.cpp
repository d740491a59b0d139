#include "platform/ui/headless/headless.h"

#include <deque>
#include <stdexcept>
#include <string>

#include "platform/ui/controls.h"

namespace ui::headless {

namespace {

class HeadlessControlPeer : public Peer {
public:
    void Update(Prop) override {}
};

class HeadlessFormPeer : public FormPeer {
public:
    HeadlessFormPeer(Form& form, const Backend& backend) : form_(form), backend_(backend) {
        const FormProps& p = form.props();
        state.outer = {TwipsToPixels(p.left, backend.twipsPerPixelX), TwipsToPixels(p.top, backend.twipsPerPixelY)};
        Size(true);
        for (Control* c : form.controls()) {
            controlPeers_.emplace_back();
            c->peer = &controlPeers_.back();
        }
    }
    void Show() override {
        if (!state.shown && !form_.focused()) {
            auto order = form_.TabOrder();
            if (!order.empty()) form_.FocusChanged(order.front());
        }
        state.shown = true;
    }
    void Hide() override { state.shown = false; }
    void Close() override { state.shown = false; }
    void Place(bool topmost, PixelRect outer) override {
        state.topmost = topmost;
        state.outer = outer;
        Show();
    }
    PixelRect OuterRect() const override { return state.outer; }
    void CaptionChanged() override {}
    void ClientSizeChanged() override { Size(!state.shown); }

    WindowState state;

private:
    // Outer size: the client area plus a caption bar and thin borders;
    // centred when the form starts in the centre of the screen.
    void Size(bool centre) {
        const FormProps& p = form_.props();
        state.outer.width = TwipsToPixels(p.clientWidth, backend_.twipsPerPixelX) + 8;
        state.outer.height =
            TwipsToPixels(p.clientHeight, backend_.twipsPerPixelY) + 30 + (form_.menus().empty() ? 0 : 20);
        if (centre && p.startPosition == StartPosition::CenterScreen && !backend_.workAreas.empty()) {
            const PixelRect& a = backend_.workAreas.front();
            state.outer.x = a.x + (a.width - state.outer.width) / 2;
            state.outer.y = a.y + (a.height - state.outer.height) / 2;
        }
    }

    Form& form_;
    const Backend& backend_;
    std::deque<HeadlessControlPeer> controlPeers_;
};

}  // namespace

Backend::Backend() : installed_(InstallBackend(*this)) {}

// Nothing runs now: what still waits is released, while its backend lives.
Backend::~Backend() { RunAllReleases(); }

std::unique_ptr<FormPeer> Backend::CreateForm(Form& form) { return std::make_unique<HeadlessFormPeer>(form, *this); }

void Backend::RunModal(Form& form) {
    modalShown.push_back(form.name());
    form.peer->Show();
    auto script = onModal.find(form.name());
    if (script != onModal.end() && script->second) script->second(form);
    else if (onOtherModal) onOtherModal(form);
    if (form.loaded() && form.visible()) form.UserClose();
}

int Backend::MsgBox(vb::StringView text, int style, vb::StringView title) {
    int answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    } else {
        answer = (style & 0xF) == 4 || (style & 0xF) == 3 ? 6 : 1;
    }
    boxes.push_back({vb::String(text), style, vb::String(title), answer});
    return answer;
}

bool Backend::CopyText(vb::StringView text) {
    if (clipboardBusy) return false;
    clipboard = vb::String(text);
    copies.push_back(*clipboard);
    return true;
}

void Backend::Run() {}

void Backend::End(int code) {
    ended = true;
    exitCode = code;
    throw ProgramEnded{code};
}

void Choose(ComboBox& box, vb::StringView entry) {
    int index = box.IndexOf(entry);
    if (index < 0) throw std::invalid_argument("no entry " + vb::ToUtf8(entry) + " in " + vb::ToUtf8(box.name()));
    box.UserChose(index);
}

void Select(ListBox& list, int index) {
    if (index < 0 || index >= list.listCount())
        throw std::out_of_range("no entry " + std::to_string(index) + " in " + vb::ToUtf8(list.name()));
    list.UserSelected(index);
}

const WindowState& StateOf(const Form& form) {
    static const WindowState none;
    auto* peer = dynamic_cast<const HeadlessFormPeer*>(form.peer.get());
    return peer ? peer->state : none;
}

}  // namespace ui::headless
