// A host automation object, called late-bound by member name (or by
// dispatch id). Failures raise vb::Error: 438 for a member the object does
// not have, the server's own number and text for an error it raises.
#pragma once

#include <cstdint>
#include <vector>

#include "host/variant.h"

namespace host {

enum class InvokeKind { Method, PropertyGet };

class Object {
public:
    virtual ~Object() = default;
    virtual Variant Invoke(vb::StringView member, InvokeKind kind, const std::vector<Variant>& args) = 0;
    virtual Variant InvokeId(int32_t dispatchId, const std::vector<Variant>& args) = 0;
};

}  // namespace host
