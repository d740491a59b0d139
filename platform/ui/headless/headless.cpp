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
    HeadlessFormPeer(Form& form, const Backend& backend) : form_(form) {
        const FormProps& p = form.props();
        // Outer size: the client area plus a caption bar and thin borders.
        int w = TwipsToPixels(p.clientWidth, backend.twipsPerPixelX) + 8;
        int h = TwipsToPixels(p.clientHeight, backend.twipsPerPixelY) + 30 + (form.menus().empty() ? 0 : 20);
        int x = TwipsToPixels(p.left, backend.twipsPerPixelX);
        int y = TwipsToPixels(p.top, backend.twipsPerPixelY);
        if (p.startPosition == StartPosition::CenterScreen && !backend.workAreas.empty()) {
            const PixelRect& a = backend.workAreas.front();
            x = a.x + (a.width - w) / 2;
            y = a.y + (a.height - h) / 2;
        }
        state.outer = {x, y, w, h};
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
    void Place(bool topmost, PixelRect outer) override {
        state.topmost = topmost;
        state.outer = outer;
        Show();
    }
    PixelRect OuterRect() const override { return state.outer; }
    void CaptionChanged() override {}

    WindowState state;

private:
    Form& form_;
    std::deque<HeadlessControlPeer> controlPeers_;
};

}  // namespace

Backend::Backend() : installed_(InstallBackend(*this)) {}

Backend::~Backend() = default;

std::unique_ptr<FormPeer> Backend::CreateForm(Form& form) { return std::make_unique<HeadlessFormPeer>(form, *this); }

void Backend::RunModal(Form& form) {
    modalShown.push_back(form.name());
    form.peer->Show();
    auto script = onModal.find(form.name());
    if (script != onModal.end() && script->second) script->second(form);
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
