// Where the stand-in's state lives between calls. The program loads the
// stand-in in-process and the command line changes it from another process,
// so every access and change happens under an exclusive lock (a ".lock"
// file beside it): no side loses the other's changes.
//
// Two files keep it: the state file holds everything but the log (the
// format of state.h without call and event lines), the log file (".log"
// beside it) the log's lines, one a record, appended to and never
// rewritten. A handle holds the state in memory and reads the state file
// again only when another handle changed it since (the lock file counts
// the changes): a call that changes nothing but the log writes one line.
// The state file is replaced in one step (a ".tmp" file renamed over it),
// so a reader never sees half of it. Every writer goes through a StateFile.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "host/sim/file_access.h"
#include "host/sim/state.h"

namespace host::sim {

class StateFile {
public:
    // A state kept in memory only, for tests.
    static std::shared_ptr<StateFile> InMemory(State initial = State());
    // The state in this file (which need not exist yet).
    static std::shared_ptr<StateFile> At(NativePath file);
    static std::shared_ptr<StateFile> At(const std::filesystem::path& file) { return At(file.native()); }

    // A snapshot, the log included (the latest State::kLogLimit entries); a
    // missing or unreadable file reads as the default state.
    State Read();
    // The same without the log: what a call needs, and cheap.
    State ReadWithoutLog();
    // Runs `change` on the current state and saves the result. The state it
    // is given has an empty log: what it records there is added to the log,
    // the earlier entries stay as they are. When `change` throws, nothing is
    // saved and the exception passes on. A file that cannot be written
    // raises error 75 naming it.
    void Update(const std::function<void(State&)>& change);
    // Replaces the whole state, the log included.
    void Write(const State& state);

private:
    StateFile() = default;
    // The state file's as it is now, into memory_ (called under the lock).
    void Refresh(const FileLock& lock);
    State Load() const;
    void Save(const State& state) const;
    void SaveCount(const FileLock& lock, uint64_t count);
    void AppendLog(const std::vector<LogEntry>& entries) const;
    NativePath LockPath() const;
    NativePath LogPath() const;

    NativePath path_;  // empty for a state in memory
    // The state without its log (in memory only: with it), as the file had
    // it at change number changes_.
    State memory_;
    bool known_ = false;
    uint64_t changes_ = 0;
    std::mutex mutex_;  // between threads using this one handle
};

// BRIVANE_HOSTSIM_STATE when set, else "hostsim-state.txt" in `folder`: the
// folder of the executable or module that holds the stand-in.
NativePath DefaultStatePath(const NativePath& folder);

}  // namespace host::sim
