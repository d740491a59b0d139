#include <filesystem>

#include "platform/program_info.h"

namespace platform {

namespace {
std::filesystem::path ExePath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() / "brivane" : p;
}
}  // namespace

vb::String ExeFolder() { return vb::FromUtf8(ExePath().parent_path().string()); }
vb::String ExeBaseName() { return vb::FromUtf8(ExePath().stem().string()); }
vb::String PathSeparator() { return u"/"; }

}  // namespace platform
