#include "platform/settings_file_store.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/settings_file_text.h"
#include "platform/vb/error.h"

namespace platform {

namespace fs = std::filesystem;
namespace text = settings_text;

namespace {

constexpr char kFileName[] = "settings.ini";
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr char kHex[] = "0123456789ABCDEF";

// ---- names and text --------------------------------------------------------

std::string Hex(unsigned value, int digits) {
    std::string out(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) out[static_cast<size_t>(i)] = kHex[value & 0xF];
    return out;
}

// Names Windows keeps for devices, whatever extension follows them.
bool IsDeviceName(vb::StringView app) {
    vb::String stem(app.substr(0, app.find(u'.')));
    for (char16_t& c : stem) c = vb::AsciiLower(c);
    if (stem == u"con" || stem == u"prn" || stem == u"aux" || stem == u"nul") return true;
    return stem.size() == 4 && (stem.starts_with(u"com") || stem.starts_with(u"lpt")) && stem[3] >= u'0' &&
           stem[3] <= u'9';
}

// A folder name that any application name maps to, and no two names that
// compare equal map apart: lower-case ASCII letters, digits, '-', '_' and
// inner dots stay; everything else becomes %XX or %uXXXX, and so does the
// first letter of a device name.
std::string FolderName(vb::StringView app) {
    std::string out;
    bool device = IsDeviceName(app);
    for (size_t i = 0; i < app.size(); ++i) {
        char16_t c = vb::AsciiLower(app[i]);
        bool inner_dot = c == u'.' && i != 0 && i + 1 != app.size();
        bool keep = !(device && i == 0);
        if (keep && ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' || inner_dot)) {
            out += static_cast<char>(c);
        } else if (c < 0x100) {
            out += '%' + Hex(c, 2);
        } else {
            out += "%u" + Hex(c, 4);
        }
    }
    return out;
}

std::string_view Trim(std::string_view s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// ---- the file as lines -----------------------------------------------------

struct Line {
    enum class Kind {
        kSection,     // "[name]"
        kEntry,       // "key=value" inside a readable section
        kKept,        // blank or comment: kept as written
        kBadSection,  // looks like a section line but cannot be read
        kUnreadable,  // anything else
    };
    Kind kind;
    std::string text;  // as in the file, without its line end
    vb::String name;   // the section's name or the entry's key
    vb::String value;  // the entry's value
};

struct Document {
    bool bom = false;
    // Written before names and values were percent-encoded: no marker line.
    bool legacy = true;
    std::vector<Line> lines;

    bool HasUnreadable() const {
        for (const Line& line : lines) {
            if (line.kind == Line::Kind::kBadSection || line.kind == Line::Kind::kUnreadable) return true;
        }
        return false;
    }
};

Line ParseLine(std::string_view text, bool legacy, bool& in_section) {
    Line line{Line::Kind::kUnreadable, std::string(text), {}, {}};
    auto decode = legacy ? text::DecodeLegacy : text::Decode;
    std::string_view t = Trim(text);
    if (t.empty() || t[0] == ';' || t[0] == '#') {
        line.kind = Line::Kind::kKept;
    } else if (t[0] == '[') {
        auto name = t.size() >= 2 && t.back() == ']' ? decode(Trim(t.substr(1, t.size() - 2))) : std::nullopt;
        in_section = name.has_value();
        line.kind = name ? Line::Kind::kSection : Line::Kind::kBadSection;
        if (name) line.name = std::move(*name);
    } else {
        size_t eq = text::NameEnd(t, legacy);
        if (eq == std::string_view::npos || !in_section) return line;
        auto key = decode(Trim(t.substr(0, eq)));
        auto value = decode(Trim(t.substr(eq + 1)));
        if (!key || !value) return line;
        line.kind = Line::Kind::kEntry;
        line.name = std::move(*key);
        line.value = std::move(*value);
    }
    return line;
}

Document Parse(std::string_view bytes) {
    Document doc;
    if (bytes.substr(0, kBom.size()) == kBom) {
        doc.bom = true;
        bytes.remove_prefix(kBom.size());
    }
    bool in_section = false;
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (doc.lines.empty() && line == text::kMarker) doc.legacy = false;
        doc.lines.push_back(ParseLine(line, doc.legacy, in_section));
    }
    return doc;
}

// A file of the earlier form gets the marker line before anything is added:
// its lines that would read otherwise now are written anew, the others
// (comments among them) stay as they are.
void Modernize(Document& doc) {
    if (!doc.legacy) return;
    doc.legacy = false;
    for (Line& line : doc.lines) {
        if (text::ReadsAlike(line.text)) continue;
        if (line.kind == Line::Kind::kSection) line.text = '[' + text::Encode(line.name, true) + ']';
        if (line.kind == Line::Kind::kEntry)
            line.text = text::Encode(line.name, true) + '=' + text::Encode(line.value, false);
    }
    doc.lines.insert(doc.lines.begin(), {Line::Kind::kKept, std::string(text::kMarker), {}, {}});
}

std::string Serialize(const Document& doc) {
    size_t size = kBom.size();
    for (const Line& line : doc.lines) size += line.text.size() + 1;
    std::string out;
    out.reserve(size);
    if (doc.bom) out += kBom;
    for (const Line& line : doc.lines) {
        if (line.kind == Line::Kind::kBadSection || line.kind == Line::Kind::kUnreadable) continue;
        out += line.text;
        out += '\n';
    }
    return out;
}

// The first entry of the key in any block of the section (the one a read finds).
Line* Find(Document& doc, vb::StringView section, vb::StringView key) {
    bool in_section = false;
    for (Line& line : doc.lines) {
        if (line.kind == Line::Kind::kSection) in_section = vb::EqualsAsciiNoCase(line.name, section);
        if (line.kind == Line::Kind::kEntry && in_section && vb::EqualsAsciiNoCase(line.name, key)) return &line;
    }
    return nullptr;
}

Line MakeEntry(vb::StringView key, vb::StringView value) {
    return {Line::Kind::kEntry, text::Encode(key, true) + '=' + text::Encode(value, false), vb::String(key),
            vb::String(value)};
}

// Sets the value; false when it was already stored exactly so.
bool Update(Document& doc, vb::StringView section, vb::StringView key, vb::StringView value) {
    if (Line* line = Find(doc, section, key)) {
        if (line->value == value) return false;
        *line = MakeEntry(line->name, value);  // the key keeps the case it was first written with
        return true;
    }
    auto& lines = doc.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Line::Kind::kSection || !vb::EqualsAsciiNoCase(lines[i].name, section)) continue;
        // After the block's last entry: comments before the next section stay with it.
        size_t at = i + 1;
        for (size_t j = i + 1; j < lines.size(); ++j) {
            if (lines[j].kind == Line::Kind::kSection || lines[j].kind == Line::Kind::kBadSection) break;
            if (lines[j].kind == Line::Kind::kEntry) at = j + 1;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), MakeEntry(key, value));
        return true;
    }
    if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({Line::Kind::kKept, {}, {}, {}});
    lines.push_back({Line::Kind::kSection, '[' + text::Encode(section, true) + ']', vb::String(section), {}});
    lines.push_back(MakeEntry(key, value));
    return true;
}

// ---- the file on disk ------------------------------------------------------

vb::String PathText(const fs::path& path) {
#ifdef _WIN32
    const std::wstring& native = path.native();
    return vb::String(native.begin(), native.end());
#else
    return vb::FromUtf8(path.native());
#endif
}

enum class LoadResult { kLoaded, kMissing, kFailed };

LoadResult Load(const fs::path& file, std::string& bytes, std::error_code& error) {
    auto status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found) {
        error.clear();
        return LoadResult::kMissing;
    }
    if (error) return LoadResult::kFailed;
    if (status.type() != fs::file_type::regular) {
        error = std::make_error_code(std::errc::is_a_directory);
        if (status.type() != fs::file_type::directory) error = std::make_error_code(std::errc::invalid_argument);
        return LoadResult::kFailed;
    }
    std::ifstream in(file, std::ios::binary);
    auto size = fs::file_size(file, error);
    if (!in || error) {
        if (!error) error = std::make_error_code(std::errc::permission_denied);
        return LoadResult::kFailed;
    }
    // Read in pieces up to the end: the size is only a hint if the file changes meanwhile.
    bytes.clear();
    bytes.reserve(static_cast<size_t>(size));
    char piece[65536];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) bytes.append(piece, static_cast<size_t>(in.gcount()));
    if (in.bad()) {
        error = std::make_error_code(std::errc::io_error);
        return LoadResult::kFailed;
    }
    return LoadResult::kLoaded;
}

std::string TempSuffix() {
    static std::mt19937 random{std::random_device{}()};
    return '.' + Hex(static_cast<unsigned>(random()), 8) + ".tmp";
}

class WriteFailure {
public:
    WriteFailure(vb::StringView key, const fs::path& file) : key_(key), file_(file) {}

    [[noreturn]] void Raise(const vb::String& reason) const {
        throw vb::Error(vb::kPathFileAccessError, vb::StandardDescription(vb::kPathFileAccessError) +
                                                      u": cannot save the setting \"" + key_ + u"\" in " +
                                                      PathText(file_) + u": " + reason);
    }
    [[noreturn]] void Raise(const std::error_code& error) const { Raise(vb::FromUtf8(error.message())); }

private:
    vb::String key_;
    fs::path file_;
};

// Keeps the file as it was before a rewrite drops lines that could not be read.
void KeepBackup(const fs::path& file, const WriteFailure& failure) {
    for (int n = 1; n < 100; ++n) {
        fs::path backup = file;
        backup += n == 1 ? ".bad" : ".bad-" + std::to_string(n);
        std::error_code error;
        if (fs::exists(fs::symlink_status(backup, error))) continue;
        if (fs::copy_file(file, backup, error)) return;
        failure.Raise(error);
    }
    failure.Raise(u"too many earlier backups of unreadable settings beside it");
}

void ReplaceFile(const fs::path& file, const std::string& bytes, bool existed, const WriteFailure& failure) {
    fs::path temp = file;
    temp += TempSuffix();
    std::error_code error;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) failure.Raise(u"cannot create a file in its folder");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fs::remove(temp, error);
            failure.Raise(u"writing failed");
        }
    }
    if (existed) fs::permissions(temp, fs::status(file, error).permissions(), error);
    fs::rename(temp, file, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        failure.Raise(error);
    }
}

}  // namespace

FileSettingsStore::FileSettingsStore(fs::path root) : root_(std::move(root)) {}

fs::path FileSettingsStore::FileFor(vb::StringView app) const { return root_ / FolderName(app) / kFileName; }

std::optional<vb::String> FileSettingsStore::Read(vb::StringView app, vb::StringView section, vb::StringView key) {
    if (root_.empty()) return std::nullopt;
    std::string bytes;
    std::error_code error;
    if (Load(FileFor(app), bytes, error) != LoadResult::kLoaded) return std::nullopt;
    Document doc = Parse(bytes);
    const Line* line = Find(doc, section, key);
    if (!line) return std::nullopt;
    return line->value;
}

void FileSettingsStore::Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) {
    if (root_.empty()) {
        WriteFailure(key, kFileName)
            .Raise(u"no configuration folder is known (neither XDG_CONFIG_HOME nor HOME is set)");
    }
    fs::path file = FileFor(app);
    std::error_code error;
    // A linked settings file stays a link: the file it points to is replaced.
    if (fs::is_symlink(file, error)) {
        fs::path target = fs::canonical(file, error);
        if (!error) file = target;
    }
    WriteFailure failure(key, file);

    fs::create_directories(file.parent_path(), error);
    if (error) failure.Raise(error);

    std::string bytes;
    LoadResult loaded = Load(file, bytes, error);
    // Never replace what could not be read: the user's settings would be lost.
    if (loaded == LoadResult::kFailed) failure.Raise(error);

    Document doc = Parse(bytes);
    Modernize(doc);
    if (!Update(doc, section, key, value)) return;
    if (doc.HasUnreadable()) KeepBackup(file, failure);
    ReplaceFile(file, Serialize(doc), loaded == LoadResult::kLoaded, failure);
}

fs::path DefaultSettingsRoot() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        fs::path root(config);
        if (root.is_absolute()) return root;
    }
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".config";
    return {};
}

}  // namespace platform
