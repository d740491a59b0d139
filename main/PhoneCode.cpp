#include "main/PhoneCode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <qrcodegen.h>

namespace phone_code {

std::string Bytes(vb::StringView url) { return vb::ToUtf8(url); }

std::optional<Code> Encode(vb::StringView url) {
    const std::string bytes = Bytes(url);
    if (bytes.size() > kMostBytes) return std::nullopt;
    std::vector<uint8_t> data(qrcodegen_BUFFER_LEN_MAX), modules(qrcodegen_BUFFER_LEN_MAX);
    for (Level level : {Level::Medium, Level::Low}) {
        // The library takes the data in its working buffer, which it
        // overwrites.
        std::copy(bytes.begin(), bytes.end(), data.begin());
        qrcodegen_Ecc ecc = level == Level::Medium ? qrcodegen_Ecc_MEDIUM : qrcodegen_Ecc_LOW;
        if (!qrcodegen_encodeBinary(data.data(), bytes.size(), modules.data(), ecc, qrcodegen_VERSION_MIN,
                                    qrcodegen_VERSION_MAX, qrcodegen_Mask_AUTO, false))
            continue;
        Code code;
        code.size = qrcodegen_getSize(modules.data());
        code.level = level;
        code.dark.resize(static_cast<size_t>(code.size) * code.size);
        for (int y = 0; y < code.size; ++y)
            for (int x = 0; x < code.size; ++x)
                code.dark[static_cast<size_t>(y) * code.size + x] = qrcodegen_getModule(modules.data(), x, y);
        return code;
    }
    return std::nullopt;
}

int ModulePixels(int modules, double twipsPerPixel, int roomPixels) {
    // A little below the designed size still rounds up to it (1440 / 96
    // dpi is exact, others are not).
    int designed = std::max(4, static_cast<int>(std::ceil(kModuleTwips / twipsPerPixel - 1e-9)));
    if (modules <= 0 || static_cast<long long>(modules) * designed <= roomPixels) return designed;
    return std::max(kSmallestModulePixels, roomPixels / modules);
}

ui::CellPicture Picture(const Code& code, int modulePixels) {
    ui::CellPicture picture;
    picture.columns = picture.rows = code.size + 2 * kQuietZone;
    picture.cellPixels = modulePixels;
    picture.black.assign(static_cast<size_t>(picture.columns) * picture.rows, false);
    for (int y = 0; y < code.size; ++y)
        for (int x = 0; x < code.size; ++x)
            picture.black[static_cast<size_t>(y + kQuietZone) * picture.columns + x + kQuietZone] = code.Dark(x, y);
    return picture;
}

}  // namespace phone_code
