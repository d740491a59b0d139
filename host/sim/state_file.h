// Where the stand-in's state lives between calls. The program loads the
// stand-in in-process and the command line changes it from another process,
// so every access reads the file afresh and every change is one
// read-modify-write under an exclusive lock (a ".lock" file beside it): no
// side loses the other's changes. The file itself is replaced in one step
// (a ".tmp" file renamed over it), so a reader never sees half of it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "host/sim/state.h"

namespace host::sim {

class StateFile {
public:
    // A state kept in memory only, for tests.
    static std::shared_ptr<StateFile> InMemory(State initial = State());
    // The state in this file (which need not exist yet).
    static std::shared_ptr<StateFile> At(std::filesystem::path file);

    // A snapshot; a missing or unreadable file reads as the default state.
    State Read();
    // Runs `change` on the current state and saves the result. When `change`
    // throws, nothing is saved and the exception passes on. A file that
    // cannot be written raises error 75 naming it.
    void Update(const std::function<void(State&)>& change);
    // Replaces the whole state.
    void Write(const State& state);

    // Empty for a state in memory.
    const std::filesystem::path& path() const { return path_; }

private:
    StateFile() = default;
    State Load() const;
    void Save(const State& state) const;

    std::filesystem::path path_;
    State memory_;
    std::mutex mutex_;  // between threads using this one handle
};

// BRIVANE_HOSTSIM_STATE when set, else "hostsim-state.txt" in `folder`: the
// folder of the executable or module that holds the stand-in.
std::filesystem::path DefaultStatePath(const std::filesystem::path& folder);

}  // namespace host::sim
