#include "host/variant.h"

#include "platform/vb/convert.h"
#include "platform/vb/error.h"

namespace host {

Variant Variant::Bool(bool value) {
    Variant v;
    v.value_ = BoolTag{value};
    return v;
}

vb::String Variant::AsString() const {
    switch (type()) {
    case Type::Empty:
        return {};
    case Type::I2:
        return vb::CStr(static_cast<int32_t>(i2()));
    case Type::I4:
        return vb::CStr(i4());
    case Type::Bool:
        return boolean() ? u"True" : u"False";
    case Type::String:
        return text();
    case Type::Object:
        break;
    }
    throw vb::Error(vb::kTypeMismatch);
}

int32_t Variant::AsInt32() const {
    switch (type()) {
    case Type::Empty:
        return 0;
    case Type::I2:
        return i2();
    case Type::I4:
        return i4();
    case Type::Bool:
        return boolean() ? -1 : 0;
    case Type::String:
        return vb::CLng(text());
    case Type::Object:
        break;
    }
    throw vb::Error(vb::kTypeMismatch);
}

int16_t Variant::AsInt16() const {
    if (type() == Type::String) return vb::CInt(text());
    int32_t v = AsInt32();
    if (v < INT16_MIN || v > INT16_MAX) throw vb::Error(vb::kOverflow);
    return static_cast<int16_t>(v);
}

bool Variant::AsBool() const {
    if (type() == Type::String) {
        // The runtime reads its own boolean words in any letter case.
        vb::String t = vb::AsciiLower(text());
        if (t == u"true") return true;
        if (t == u"false") return false;
        return vb::CDbl(text()) != 0;
    }
    return AsInt32() != 0;
}

std::shared_ptr<Object> Variant::AsObject() const {
    if (type() != Type::Object) throw vb::Error(vb::kTypeMismatch);
    return std::get<std::shared_ptr<Object>>(value_);
}

}  // namespace host
