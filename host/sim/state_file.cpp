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

State StateFile::Read() {
    std::lock_guard guard(mutex_);
    if (path_.empty()) return memory_;
    FileLock lock(WithSuffix(path_, ".lock"));
    return Load();
}

void StateFile::Update(const std::function<void(State&)>& change) {
    std::lock_guard guard(mutex_);
    if (path_.empty()) {
        State state = memory_;
        change(state);
        memory_ = std::move(state);
        return;
    }
    FileLock lock(WithSuffix(path_, ".lock"));
    State state = Load();
    change(state);
    Save(state);
}

void StateFile::Write(const State& state) {
    Update([&](State& current) { current = state; });
}

State StateFile::Load() const {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return State();
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return in.bad() ? State() : ParseState(text);
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
    throw vb::Error(vb::kPathFileAccessError,
                    u"The stand-in host cannot write its state file " + path_.u16string());
}

std::filesystem::path DefaultStatePath(const std::filesystem::path& folder) {
    if (auto fromEnvironment = StatePathFromEnvironment()) return *fromEnvironment;
    return folder / "hostsim-state.txt";
}

}  // namespace host::sim
