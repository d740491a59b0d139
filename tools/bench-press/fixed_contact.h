// A contact view that answers at once, so that a press is measured and not
// the stand-in host's bookkeeping (its lock file and its log).
#pragma once

#include <cstdint>
#include <vector>

#include "host/object.h"

namespace bench {

class FixedContact : public host::Object {
public:
    host::Variant Invoke(vb::StringView, host::InvokeKind, const std::vector<host::Variant>& args) override {
        switch (args.empty() ? 0 : args[0].AsInt16()) {
        case 27:
            return host::Variant(u"12 All\u00E9e des H\u00E9rons");
        case 30:
            return host::Variant(u"Montv\u00E9rac");
        case 32:
            return host::Variant(u"99120");
        case 33:
            return host::Variant(u"France");
        default:
            return host::Variant(u"");
        }
    }
    host::Variant InvokeId(int32_t, const std::vector<host::Variant>&) override { return {}; }
};

}  // namespace bench
