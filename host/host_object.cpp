#include "host/host_object.h"

#include "platform/vb/error.h"

namespace host {

Object& HostObject::Target() const {
    if (!object_) throw vb::Error(vb::kObjectNotSet);
    return *object_;
}

}  // namespace host
