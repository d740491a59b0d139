// The settings file of the systems without a registry. Any text under any
// section and key is written as line text that reads back whole and cannot
// end or split its line; any file bytes read without failing; a save over
// them reads back, keeps every value that read before, and leaves a file
// that reads whole (a second save sets nothing more aside).
//
// Input: section \ key \ value \ the file's bytes. The texts are the
// bytes as fuzz::Text reads them, so any UTF-16 unit can be named.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "platform/settings_file_store.h"
#include "platform/settings_file_text.h"
#include "tests/fuzz/fuzz_input.h"

namespace fs = std::filesystem;
namespace text = platform::settings_text;

namespace {

constexpr char16_t kApp[] = u"fuzz";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A field as its line holds it: nothing that ends or splits the line, no
// blank at either end, and in names nothing a reader takes for syntax.
void CheckEncoded(const vb::String& value, bool isName) {
    const std::string encoded = text::Encode(value, isName);
    fuzz::Show shown("encoded", encoded);
    FUZZ_CHECK(text::Decode(encoded) == value);
    for (unsigned char b : encoded) FUZZ_CHECK(b >= 0x20 && b != 0x7F);
    FUZZ_CHECK(encoded.empty() || (!IsBlank(encoded.front()) && !IsBlank(encoded.back())));
    if (isName) FUZZ_CHECK(encoded.find_first_of("=[];#") == std::string::npos);
}

// The folder of this run's files, made on first use and gone at the end.
class Folder {
public:
    Folder() : path_(fs::temp_directory_path() / ("brivane-fuzz-settings-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& Root() {
    static const Folder folder;
    return folder.path();
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

void AddDecoded(std::vector<vb::String>& names, std::string_view field) {
    for (auto decoded : {text::Decode(field), text::DecodeLegacy(field)})
        if (decoded && names.size() < 3) names.push_back(*decoded);
}

// Names the file may hold, in either form: section headers and the text
// before an entry line's "=", up to three names of each kind in all.
void NamesIn(std::string_view file, std::vector<vb::String>& sections, std::vector<vb::String>& keys) {
    while (!file.empty()) {
        size_t end = file.find('\n');
        std::string_view line = Trim(file.substr(0, end));
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            AddDecoded(sections, Trim(line.substr(1, line.size() - 2)));
        } else if (size_t equals = line.find('='); equals != std::string_view::npos) {
            AddDecoded(keys, Trim(line.substr(0, equals)));
        }
    }
}

std::optional<vb::String> Read(vb::StringView section, vb::StringView key) {
    return platform::FileSettingsStore(Root()).Read(kApp, section, key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const vb::String section = fuzz::Text(input.Field()), key = fuzz::Text(input.Field()),
                     value = fuzz::Text(input.Field());
    const std::string bytes = input.Rest();
    fuzz::Show shownSection("section", section), shownKey("key", key), shownValue("value", value),
        shownFile("file", bytes);

    CheckEncoded(section, true);
    CheckEncoded(key, true);
    CheckEncoded(value, false);
    const std::string line = text::Encode(key, true) + "=" + text::Encode(value, false);
    FUZZ_CHECK(text::NameEnd(line, false) == text::Encode(key, true).size());

    // The file as it lies in the configuration folder, alone there.
    const fs::path file = platform::FileSettingsStore(Root()).FileFor(kApp);
    std::error_code error;
    fs::remove_all(file.parent_path(), error);
    fs::create_directories(file.parent_path(), error);
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    std::vector<vb::String> sections{section, u"Settings"}, keys{key};
    NamesIn(bytes, sections, keys);
    std::vector<std::optional<vb::String>> before;
    for (const vb::String& s : sections)
        for (const vb::String& k : keys) before.push_back(Read(s, k));

    platform::FileSettingsStore(Root()).Write(kApp, section, key, value);
    FUZZ_CHECK(Read(section, key) == value);
    size_t probe = 0;
    for (const vb::String& s : sections) {
        for (const vb::String& k : keys) {
            const bool written = vb::EqualsAsciiNoCase(s, section) && vb::EqualsAsciiNoCase(k, key);
            FUZZ_CHECK(Read(s, k) == (written ? std::optional(value) : before[probe]));
            ++probe;
        }
    }

    // What the save wrote reads whole: a second save keeps nothing more aside.
    platform::FileSettingsStore(Root()).Write(kApp, u"Other", key, value);
    FUZZ_CHECK(Read(u"Other", key) == value);
    FUZZ_CHECK(Read(section, key) == value);
    FUZZ_CHECK(!fs::exists(file.string() + ".bad-2"));
    if (fs::exists(file.string() + ".bad")) {
        std::ifstream kept(file.string() + ".bad", std::ios::binary);
        FUZZ_CHECK(std::string(std::istreambuf_iterator<char>(kept), {}) == bytes);
    }
    return 0;
}
