#include "platform/ui/teardown.h"

#include <vector>

#include "platform/ui/backend.h"

namespace ui {

namespace {

struct Waiting {
    int callbacks;  // running when the release was asked for
    std::unique_ptr<Disposable> object;
};

// The program's windows and their callbacks live on one thread.
thread_local int running = 0;

// Never destroyed: what still waits when the process ends at once goes
// with it, untouched.
std::vector<Waiting>& Queue() {
    static auto* waiting = new std::vector<Waiting>;
    return *waiting;
}

void Wake() {
    if (Backend* installed = InstalledBackend()) installed->WakeForReleases();
}

}  // namespace

CallbackFrame::CallbackFrame() { ++running; }

CallbackFrame::~CallbackFrame() {
    --running;
    if (ReleasesDue()) Wake();
}

void ReleaseLater(std::unique_ptr<Disposable> object) {
    if (!object || running == 0) return;  // released here, outside every callback
    Queue().push_back({running, std::move(object)});
    Wake();
}

bool ReleasesDue() {
    for (const Waiting& w : Queue())
        if (w.callbacks > running) return true;
    return false;
}

void RunDueReleases() {
    std::vector<Waiting>& queue = Queue();
    // One at a time, out of the queue first: a release may ask for more.
    for (size_t i = 0; i < queue.size();) {
        if (queue[i].callbacks <= running) {
            ++i;
            continue;
        }
        std::unique_ptr<Disposable> object = std::move(queue[i].object);
        queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
        object.reset();
    }
}

void RunAllReleases() {
    std::vector<Waiting>& queue = Queue();
    while (!queue.empty()) {
        std::unique_ptr<Disposable> object = std::move(queue.front().object);
        queue.erase(queue.begin());
        object.reset();
    }
}

}  // namespace ui
