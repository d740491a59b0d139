// The parts of the system a test may put another in place of (the shell,
// the settings store, the window system, the host's automation and event
// control, the profile reader) share one shape: what is installed now, and
// a guard that installs a replacement for the guard's lifetime and then
// puts back what it replaced, so that nested replacements unwind in order.
#pragma once

#include <utility>

namespace platform {

template <class Part>
class Seam {
public:
    // The replacement installed now; an empty Part (null) when none is.
    const Part& installed() const { return part_; }

    class [[nodiscard]] Guard {
    public:
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
        ~Guard() { seam_.part_ = std::move(previous_); }

    private:
        friend class Seam;
        Guard(Seam& seam, Part previous) : seam_(seam), previous_(std::move(previous)) {}
        Seam& seam_;
        Part previous_;
    };

    Guard Install(Part replacement) { return Guard(*this, std::exchange(part_, std::move(replacement))); }

private:
    Part part_{};
};

}  // namespace platform
