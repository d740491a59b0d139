#include "settings/IniLib.h"

#include "main/Module2.h"
#include "platform/profile_reader.h"
#include "platform/vb/convert.h"
#include "platform/vb/trap.h"

namespace IniLib {

namespace {

const vb::Procedure kGetKeyValue{u"IniLib", vb::ProcedureKind::Function, u"GetKeyValue"};

// A buffer of 128 characters of which the reader is told 127, one kept for
// its terminating NUL: a longer value comes back cut to 126.
constexpr uint32_t kReaderBufferSize = 127;

}  // namespace

vb::String GetKeyValue(vb::StringView section, vb::StringView key, vb::StringView defaultValue,
                       vb::StringView valueType, vb::StringView typeDefault, vb::StringView fileName) {
    vb::String result;
    vb::Trap(kGetKeyValue, [&] {
        const vb::String file = fileName.empty() ? Module2::CountriesFile : vb::String(fileName);
        // The reader takes 8-bit text: the one place where the program's
        // text meets the code page.
        // An empty key (or one of blanks, which the reader drops) names no
        // entry, whatever a file holds under the empty name ("=XX"): it gets
        // the default.
        const std::string keyText = platform::ToAnsi(key);
        const platform::ProfileString read =
            platform::IsEmptyProfileName(keyText)
                ? platform::ProfileString{}
                : platform::ReadProfileString(platform::ToAnsi(section), keyText, kReaderBufferSize, file);
        result = read.count < 1 ? vb::String(defaultValue) : platform::FromAnsi(read.bytes);
        const bool checked = valueType == u"Numeric" || valueType == u"Boolean";
        if (checked && !vb::IsNumeric(result) && !typeDefault.empty()) result = typeDefault;
    });
    return result;
}

}  // namespace IniLib
