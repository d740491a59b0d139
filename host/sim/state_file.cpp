#include "host/sim/state_file.h"

#include <optional>

#include "host/sim/file_access.h"
#include "platform/vb/error.h"

namespace host::sim {

namespace {

// ASCII in the system's own characters.
NativePath Native(std::string_view ascii) { return NativePath(ascii.begin(), ascii.end()); }

NativePath WithSuffix(const NativePath& file, std::string_view suffix) { return file + Native(suffix); }

// A copy of everything but the log, which may be long.
State WithoutLog(State& state) {
    std::vector<LogEntry> log = std::move(state.log);
    state.log.clear();
    State copy = state;
    state.log = std::move(log);
    return copy;
}

[[noreturn]] void CannotWrite(const NativePath& file) {
    throw vb::Error(vb::kPathFileAccessError, u"The stand-in host cannot write its state file " + PathText(file));
}

}  // namespace

std::shared_ptr<StateFile> StateFile::InMemory(State initial) {
    std::shared_ptr<StateFile> file(new StateFile());
    file->memory_ = std::move(initial);
    return file;
}

std::shared_ptr<StateFile> StateFile::At(NativePath path) {
    std::shared_ptr<StateFile> file(new StateFile());
    file->path_ = std::move(path);
    return file;
}

NativePath StateFile::LockPath() const { return WithSuffix(path_, ".lock"); }
NativePath StateFile::LogPath() const { return WithSuffix(path_, ".log"); }

State StateFile::Read() {
    std::lock_guard guard(mutex_);
    if (path_.empty()) return memory_;
    FileLock lock(LockPath());
    Refresh(lock);
    State state = memory_;
    if (auto log = ReadAll(LogPath())) state.log = ParseLog(*log);
    return state;
}

State StateFile::ReadWithoutLog() {
    std::lock_guard guard(mutex_);
    if (path_.empty()) return WithoutLog(memory_);
    FileLock lock(LockPath());
    Refresh(lock);
    return memory_;
}

void StateFile::Update(const std::function<void(State&)>& change) {
    std::lock_guard guard(mutex_);
    if (path_.empty()) {
        State state = WithoutLog(memory_);
        change(state);
        std::vector<LogEntry> recorded = std::move(state.log);
        state.log = std::move(memory_.log);
        for (LogEntry& entry : recorded) state.Record(std::move(entry));
        memory_ = std::move(state);
        return;
    }
    FileLock lock(LockPath());
    Refresh(lock);
    State state = memory_;
    change(state);
    std::vector<LogEntry> recorded = std::move(state.log);
    state.log.clear();
    if (!(state == memory_)) {
        Save(state);
        memory_ = std::move(state);
        SaveCount(lock, changes_ + 1);
    }
    AppendLog(recorded);
}

void StateFile::Write(const State& state) {
    std::lock_guard guard(mutex_);
    if (path_.empty()) {
        memory_ = state;
        return;
    }
    FileLock lock(LockPath());
    Refresh(lock);
    State without = state;
    without.log.clear();
    Save(without);
    memory_ = std::move(without);
    SaveCount(lock, changes_ + 1);
    if (!Remove(LogPath())) CannotWrite(LogPath());
    AppendLog(state.log);
}

void StateFile::Refresh(const FileLock& lock) {
    std::optional<uint64_t> changes = lock.Changes();
    // Unlocked, nobody can tell what changed: the file is read every time.
    if (known_ && changes && *changes == changes_) return;
    memory_ = Load();
    known_ = changes.has_value();
    changes_ = changes.value_or(0);
}

void StateFile::SaveCount(const FileLock& lock, uint64_t count) {
    // Without the count the other handles would go on with what they hold.
    if (!lock.SetChanges(count)) {
        known_ = false;
        CannotWrite(LockPath());
    }
    changes_ = count;
}

State StateFile::Load() const {
    std::optional<std::string> text = ReadAll(path_);
    if (!text) return State();
    State state = ParseState(*text);
    // The log lives in its own file.
    state.log.clear();
    return state;
}

void StateFile::Save(const State& state) const {
    NativePath temporary = WithSuffix(path_, ".tmp");
    if (WriteAll(temporary, FormatState(state)) && MoveOver(temporary, path_)) return;
    Remove(temporary);
    CannotWrite(path_);
}

void StateFile::AppendLog(const std::vector<LogEntry>& entries) const {
    if (entries.empty()) return;
    std::string lines;
    for (const LogEntry& entry : entries) lines += FormatLogEntry(entry);
    if (!AppendTo(LogPath(), lines)) CannotWrite(LogPath());
}

NativePath DefaultStatePath(const NativePath& folder) {
    if (auto fromEnvironment = StatePathFromEnvironment()) return *fromEnvironment;
    NativePath file = folder;
    // Joined as std::filesystem::path's "/" joins them.
    constexpr auto kSeparator = std::filesystem::path::preferred_separator;
    if (!file.empty() && file.back() != '/' && file.back() != kSeparator) file += kSeparator;
    return file + Native("hostsim-state.txt");
}

}  // namespace host::sim
