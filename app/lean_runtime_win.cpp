// What the program takes from the C++ runtime in place of two of its parts,
// linked into the Windows program and the stand-in's DLL only (not into the
// tests, which keep the library's own).
//
// The static library's objects come whole (the PE linker keeps their
// unwinding tables, and with them every function): the library's handler of
// an uncaught exception brings its name demangler (46 KB), and its helpers
// that throw its logic_error family bring the old string type those
// exceptions carry, with both string implementations and the random device
// (90 KB). Defined here, the linker takes these definitions and leaves those
// objects out.
//
// Nothing the program does changes:
// - An exception reaches the end only when an error escapes a place that
//   must not throw; the library's handler then writes the exception's type
//   to a console a windowed program does not have, and aborts, as this one
//   does.
// - The container and string faults (a position past the end, a length the
//   program cannot hold) are programming errors the program reports as any
//   std::exception: "Internal error" with the exception's text
//   (vb::AsError), and the text here is the library's, word for word
//   (tests/unit/library_faults_test.cpp holds the texts and runs against
//   both). Memory faults stay std::bad_alloc. What changes is only the
//   exception's type, which no code of the program catches by name.
#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

namespace {

class LibraryFault final : public std::exception {
public:
    explicit LibraryFault(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// The library's own formatter for these messages knows %s, %zu and %%.
std::string Format(const char* format, va_list args) {
    std::string out;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
        } else if (p[1] == 's') {
            out += va_arg(args, const char*);
            ++p;
        } else if (p[1] == 'z' && p[2] == 'u') {
            out += std::to_string(va_arg(args, size_t));
            p += 2;
        } else if (p[1] == '%') {
            out += '%';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_function_call() { throw LibraryFault("bad_function_call"); }
void __throw_logic_error(const char* text) { throw LibraryFault(text); }
void __throw_length_error(const char* text) { throw LibraryFault(text); }
void __throw_invalid_argument(const char* text) { throw LibraryFault(text); }
void __throw_out_of_range(const char* text) { throw LibraryFault(text); }

void __throw_out_of_range_fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = Format(format, args);
    va_end(args);
    throw LibraryFault(std::move(text));
}

}  // namespace std
