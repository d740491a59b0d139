// A reference to a host object, as the program holds them in its globals and
// window fields: empty until set, released by setting it to nothing. Calls
// through an empty reference raise error 91.
#pragma once

#include <memory>
#include <utility>

#include "host/object.h"

namespace host {

class HostObject {
public:
    HostObject() = default;
    explicit HostObject(std::shared_ptr<Object> object) : object_(std::move(object)) {}

    template <class... Args>
    Variant Call(vb::StringView member, Args&&... args) const {
        return Target().Invoke(member, InvokeKind::Method, {Variant(std::forward<Args>(args))...});
    }
    Variant Get(vb::StringView property) const { return Target().Invoke(property, InvokeKind::PropertyGet, {}); }
    template <class... Args>
    Variant CallId(int32_t dispatchId, Args&&... args) const {
        return Target().InvokeId(dispatchId, {Variant(std::forward<Args>(args))...});
    }

    bool IsNothing() const { return !object_; }
    void SetNothing() { object_.reset(); }
    const std::shared_ptr<Object>& object() const { return object_; }

private:
    Object& Target() const;

    std::shared_ptr<Object> object_;
};

}  // namespace host
