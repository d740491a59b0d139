// The settings store as one text file per application:
//   <root>/<app>/settings.ini
// with a "[section]" line per section and "key=value" lines below it, UTF-8.
//
// Any text round-trips: the bytes a line cannot hold raw are percent-encoded
// (see settings_file_text.h), and a file in that form starts with a marker
// line. A file written before that form, with backslash escapes, reads as it
// was written and gets the marker at its first rewrite.
// Sections and keys compare ASCII case-insensitively, as registry names do,
// and keep the case they were first written with. Lines starting with ';' or
// '#' are comments; blanks around names and values are not part of them.
//
// A missing file is an empty store. Lines that cannot be read (invalid UTF-8,
// binary junk, a bad escape, an entry outside any section) are skipped when
// reading; before a rewrite drops them, the original file is copied to
// "settings.ini.bad" (or "settings.ini.bad-2", ... when that is taken).
// Comments and every other section and key are kept. A rewrite goes to a
// temporary file in the same folder that then replaces the old one, so a
// crash leaves either the old file or the new one.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/settings_store.h"

namespace platform {

class FileSettingsStore : public SettingsStore {
public:
    // root: the user's configuration folder; empty when there is none, which
    // reads as an empty store and fails every write.
    explicit FileSettingsStore(std::filesystem::path root);

    std::optional<vb::String> Read(vb::StringView app, vb::StringView section, vb::StringView key) override;
    void Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) override;

    // Where the settings of an application live (whether or not the file exists).
    std::filesystem::path FileFor(vb::StringView app) const;

private:
    std::filesystem::path root_;
};

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; empty
// when neither is known.
std::filesystem::path DefaultSettingsRoot();

}  // namespace platform
