#include "platform/ui/clipboard.h"

#include <algorithm>

#include "platform/ui/backend.h"

namespace ui {

bool CopyToClipboard(vb::StringView text) {
    vb::String copy(text);
    std::replace(copy.begin(), copy.end(), u'\0', u'\uFFFD');
    return backend().CopyText(copy);
}

}  // namespace ui
