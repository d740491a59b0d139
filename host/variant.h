// The few automation value types the host and the program exchange: empty,
// 16- and 32-bit integers, booleans, text and objects. Conversions follow
// the runtime's rules (platform/vb/convert.h).
#pragma once

#include <cstdint>
#include <memory>
#include <variant>

#include "platform/vb/string.h"

namespace host {

class Object;

class Variant {
public:
    enum class Type { Empty, I2, I4, Bool, String, Object };

    Variant() = default;
    Variant(int16_t value) : value_(value) {}
    Variant(int32_t value) : value_(value) {}
    Variant(vb::String text) : value_(std::move(text)) {}
    Variant(const char16_t* text) : value_(vb::String(text)) {}
    Variant(std::shared_ptr<Object> object) : value_(std::move(object)) {}
    static Variant Bool(bool value);

    Type type() const { return static_cast<Type>(value_.index()); }
    bool IsEmpty() const { return type() == Type::Empty; }

    // Text: empty gives "", numbers their decimal text, booleans "True" or
    // "False"; an object raises Type mismatch.
    vb::String AsString() const;
    // Integers by CInt and CLng of text; empty is 0; booleans -1 and 0;
    // an object raises Type mismatch; out of range raises Overflow.
    int16_t AsInt16() const;
    int32_t AsInt32() const;
    // Any non-zero number is true; text "True"/"False" or a number.
    bool AsBool() const;
    // The object; anything else raises Type mismatch.
    std::shared_ptr<Object> AsObject() const;

    // Raw access, for the backends that pack arguments.
    int16_t i2() const { return std::get<int16_t>(value_); }
    int32_t i4() const { return std::get<int32_t>(value_); }
    bool boolean() const { return std::get<BoolTag>(value_).value; }
    const vb::String& text() const { return std::get<vb::String>(value_); }

    bool operator==(const Variant& other) const = default;

private:
    struct BoolTag {
        bool value;
        bool operator==(const BoolTag&) const = default;
    };
    std::variant<std::monostate, int16_t, int32_t, BoolTag, vb::String, std::shared_ptr<Object>> value_;
};

}  // namespace host
