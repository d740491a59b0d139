#include "host/sim/state_file.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "host/sim/file_access.h"
#include "platform/vb/error.h"

namespace host::sim {

namespace {

std::filesystem::path WithSuffix(const std::filesystem::path& file, const char* suffix) {
    std::filesystem::path out = file;
    out += suffix;
    return out;
}

// The whole file; nullopt when it is missing or cannot be read.
std::optional<std::string> ReadWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

// A copy of everything but the log, which may be long.
State WithoutLog(State& state) {
    std::vector<LogEntry> log = std::move(state.log);
    state.log.clear();
    State copy = state;
    state.log = std::move(log);
    return copy;
}

[[noreturn]] void CannotWrite(const std::filesystem::path& file) {
    throw vb::Error(vb::kPathFileAccessError, u"The stand-in host cannot write its state file " + file.u16string());
}

}  // namespace

std::shared_ptr<StateFile> StateFile::InMemory(State initial) {
    std::shared_ptr<StateFile> file(new StateFile());
    file->memory_ = std::move(initial);
    return file;
}

std::shared_ptr<StateFile> StateFile::At(std::filesystem::path path) {
    std::shared_ptr<StateFile> file(new StateFile());
    file->path_ = std::move(path);
    return file;
}

std::filesystem::path StateFile::LockPath() const { return WithSuffix(path_, ".lock"); }
std::filesystem::path StateFile::LogPath() const { return WithSuffix(path_, ".log"); }

State StateFile::Read() {
    std::lock_guard guard(mutex_);
    if (path_.empty()) return memory_;
    FileLock lock(LockPath());
    Refresh(lock);
    State state = memory_;
    if (auto log = ReadWhole(LogPath())) state.log = ParseLog(*log);
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
    std::error_code removed;
    std::filesystem::remove(LogPath(), removed);
    if (removed) CannotWrite(LogPath());
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
    std::optional<std::string> text = ReadWhole(path_);
    if (!text) return State();
    State state = ParseState(*text);
    // The log lives in its own file.
    state.log.clear();
    return state;
}

void StateFile::Save(const State& state) const {
    std::filesystem::path temporary = WithSuffix(path_, ".tmp");
    std::string text = FormatState(state);
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        written = out && out.write(text.data(), static_cast<std::streamsize>(text.size())) && out.flush();
    }
    if (written && MoveOver(temporary, path_)) return;
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    CannotWrite(path_);
}

void StateFile::AppendLog(const std::vector<LogEntry>& entries) const {
    if (entries.empty()) return;
    std::string lines;
    for (const LogEntry& entry : entries) lines += FormatLogEntry(entry);
    if (!AppendTo(LogPath(), lines)) CannotWrite(LogPath());
}

std::filesystem::path DefaultStatePath(const std::filesystem::path& folder) {
    if (auto fromEnvironment = StatePathFromEnvironment()) return *fromEnvironment;
    return folder / "hostsim-state.txt";
}

}  // namespace host::sim
