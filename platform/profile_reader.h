// Reading one entry of a profile file (sections in square brackets,
// name=value lines), with the answer GetPrivateProfileStringA gives: the
// count it returns and the bytes it leaves in the caller's buffer, in the
// system's 8-bit code page.
//
// The reader below keeps the rules of the platform's GetPrivateProfileStringA
// on every system, and the Windows tests hold it against the real one. On
// Windows it reads the file by its exact name, whatever letters the folders
// hold (the 8-bit call could only reach a folder the code page spells, or
// its short name where the volume keeps one), with the system's 8-bit code
// page; elsewhere the countries files' code page, Windows-1252, stands for
// it.
//
// The rules are the platform reader's, the odd ones included, so that a
// countries file reads the same whichever reader reads it:
//   - Lines end at CR, LF or any run of them (CRLF, LF and a lone CR alike).
//   - Blanks around a line, a name or a value do not count: space, tab,
//     vertical tab, form feed and Ctrl+Z (0x1A). Blanks inside do.
//   - "[name]" starts a section; the name runs to the last "]" on the line,
//     blanks around it ignored; text after that "]" is ignored. A "[" line
//     without "]" is an ordinary line.
//   - An entry is a line with "=": the name before the first "=", the value
//     after it. Lines without "=" are not entries and are ignored (';' and
//     '#' lines with "=" are entries like any other: the platform has no
//     comment syntax, it just never gets asked for such names).
//   - Section and entry names match without regard to letter case: ASCII,
//     and the letters of Latin-1, Latin Extended-A, Greek and Cyrillic.
//   - The first section of a name is the only one searched; in it the first
//     entry of a name wins, even with an empty value.
//   - Entries before the first section header belong to the section named
//     "": the empty section name finds them. Being the first section of
//     that name, they hide a later "[]" section.
//   - The empty entry name finds an entry written "=value".
//   - Names and values end at a NUL byte, as C strings do.
//   - A value written inside matching quotes ("..." or '...', at least two
//     characters) loses them.
//   - The value is cut to size - 1 bytes; size 0 gives nothing.
//   - The file is 8-bit text in the code page of the names, except that a
//     file starting with the UTF-16 little-endian byte-order mark FF FE is
//     read as UTF-16 (its text then comes back in the code page, '?' for
//     characters outside it). A UTF-8 byte-order mark is just three 8-bit
//     characters: on the first line it hides a section header.
//   - A missing, empty or unreadable file, or anything but a regular file,
//     reads like a file without the entry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/seam.h"
#include "platform/vb/string.h"

namespace platform {

// What the reader reports: `count` bytes of the value, and those bytes.
struct ProfileString {
    uint32_t count = 0;
    std::string bytes;

    bool operator==(const ProfileString&) const = default;
};

// Section and key are 8-bit text in the code page of ToAnsi and end at a NUL,
// as the platform's reader takes them. `size` is the caller's buffer size.
// A file name without a folder means the Windows folder on Windows, as for
// the platform's reader, and the current folder elsewhere. Raises nothing
// for any file or name; running out of memory on a huge file throws
// std::bad_alloc.
ProfileString ReadProfileString(std::string_view section, std::string_view key, uint32_t size, vb::StringView file);

// The blanks the reader drops around lines, names and values. Ctrl+Z counts
// as one: files copied with it as an end-of-file mark still read.
inline bool IsProfileBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x0B || c == 0x0C || c == 0x1A; }

// Whether a name, as the reader takes it, is empty: nothing before a NUL
// but blanks.
bool IsEmptyProfileName(std::string_view name);

// The reader's 8-bit code page: how its bytes become UTF-16 and back.
struct ProfileCodePage {
    vb::String (*toText)(std::string_view bytes);
    std::string (*toBytes)(vb::StringView text);
};

// The reader on a file's bytes already read, with names, the 8-bit text
// and the answer in `codePage`.
ProfileString ParseProfileString(std::string_view content, std::string_view section, std::string_view key,
                                 uint32_t size, const ProfileCodePage& codePage);

// The portable reader, on a file and on text already read. Names and the
// file's 8-bit text are Windows-1252 to it on every system.
ProfileString ReadPortableProfileString(std::string_view section, std::string_view key, uint32_t size,
                                        const std::filesystem::path& file);
ProfileString ParsePortableProfileString(std::string_view content, std::string_view section, std::string_view key,
                                         uint32_t size);

// The 8-bit code page of the reader's text: the system's ANSI code page on
// Windows (characters outside it become '?' or a similar letter, as the
// system chooses), Windows-1252 elsewhere, where the countries files are
// written in it.
std::string ToAnsi(vb::StringView text);
vb::String FromAnsi(std::string_view bytes);

// Windows-1252 on every system. The five bytes it leaves undefined (81, 8D,
// 8F, 90, 9D) stand for U+0081 and so on, as Windows maps them, so every byte
// comes back as it was; characters outside the code page become '?'.
std::string ToWindows1252(vb::StringView text);
vb::String FromWindows1252(std::string_view bytes);
inline constexpr ProfileCodePage kWindows1252{FromWindows1252, ToWindows1252};

// The system's reader (the file read by its exact name, in the system's code
// page, on Windows; the portable reader elsewhere), whatever a test put in
// place.
ProfileString SystemReadProfileString(std::string_view section, std::string_view key, uint32_t size,
                                      vb::StringView file);

// Tests put a reader of their own in place of ReadProfileString's, to make it
// fail, until the guard goes.
using ProfileReader = ProfileString (*)(std::string_view section, std::string_view key, uint32_t size,
                                        vb::StringView file);
using ProfileReaderGuard = Seam<ProfileReader>::Guard;
ProfileReaderGuard InstallProfileReader(ProfileReader reader);

}  // namespace platform
