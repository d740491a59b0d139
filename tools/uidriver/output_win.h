// What the driver says: result lines on stdout, one error line on stderr.
#pragma once
#include <string>
#include <string_view>

namespace uidriver {

// Thrown by every command that cannot do what it was asked; main prints the
// message and exits with the code.
struct Failure {
    std::wstring message;
    int exitCode = 1;
};

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

[[noreturn]] void Fail(std::wstring message);
[[noreturn]] void UsageError(std::wstring message);

// One line, UTF-8, terminated by LF only (the callers are shell scripts).
void PrintLine(std::wstring_view line);
void PrintError(std::wstring_view line);

}  // namespace uidriver
