// Files of the source tree (the data files as checked in), read by tests
// natively and under Wine.
#pragma once

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace source_files {

// The file's bytes, or nothing when it cannot be opened.
inline std::optional<std::string> Read(const std::string& relative) {
    const std::string path = std::string(BRIVANE_SOURCE_DIR) + "/" + relative;
    std::ifstream in(path, std::ios::binary);
#ifdef _WIN32
    // Under Wine a Unix path is taken relative to the current drive; Z: is the root.
    if (!in) in.open("Z:" + path, std::ios::binary);
#endif
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace source_files
