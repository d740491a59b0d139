// The golden lookups of lookups.txt beside this file, for the tests of the
// profile reader: natively, and under Wine against the platform's reader.
#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace profile_fixtures {

struct Lookup {
    std::string file;  // name of the fixture
    std::string section, key;
    uint32_t size;
    std::string value;  // what the reader gives; its length is the count
    int line;           // in lookups.txt

    std::string Describe() const {
        std::string text = "lookups.txt:" + std::to_string(line) + " [";
        for (char c : section + "] " + key) {
            auto b = static_cast<unsigned char>(c);
            if (b >= 0x20 && b < 0x7F) {
                text += c;
            } else {
                const char* hex = "0123456789ABCDEF";
                text += {'\\', 'x', hex[b >> 4], hex[b & 15]};
            }
        }
        return text;
    }
};

// The folder of the fixtures. Under Wine a path from the root of the Unix
// file system is one on drive Z:.
inline std::string Folder() {
#ifdef _WIN32
    return "Z:" BRIVANE_SOURCE_DIR "/tests/data/profiles/";
#else
    return BRIVANE_SOURCE_DIR "/tests/data/profiles/";
#endif
}

inline std::string Unescape(const std::string& field, int line) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
        } else if (i + 1 < field.size() && field[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (i + 3 < field.size() && field[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(field.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            throw std::runtime_error("lookups.txt:" + std::to_string(line) + ": bad escape");
        }
    }
    return out;
}

inline std::string Trim(const std::string& s) {
    size_t begin = s.find_first_not_of(" \t"), end = s.find_last_not_of(" \t");
    return begin == std::string::npos ? std::string() : s.substr(begin, end - begin + 1);
}

inline std::vector<Lookup> Load() {
    std::ifstream in(Folder() + "lookups.txt");
    if (!in) throw std::runtime_error("cannot read " + Folder() + "lookups.txt");
    std::vector<Lookup> lookups;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (Trim(text).empty() || Trim(text)[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream parts(text);
        for (std::string field; std::getline(parts, field, '|');) fields.push_back(Unescape(Trim(field), line));
        if (fields.size() == 4 && text.back() == '|') fields.emplace_back();
        if (fields.size() != 5) throw std::runtime_error("lookups.txt:" + std::to_string(line) + ": not 5 fields");
        uint32_t size = fields[3].empty() ? 127 : static_cast<uint32_t>(std::stoul(fields[3]));
        lookups.push_back({fields[0], fields[1], fields[2], size, fields[4], line});
    }
    return lookups;
}

}  // namespace profile_fixtures
