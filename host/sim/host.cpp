#include "host/sim/host.h"

#include <charconv>
#include <string>

#include "host/sim/perform.h"
#include "platform/vb/error.h"

namespace host::sim {

namespace {

struct ProgId {
    const char16_t* progId;
    ObjectKind kind;
};
constexpr ProgId kProgIds[] = {
    {kAppProgId, ObjectKind::Application},
    {kAuxCommandsProgId, ObjectKind::AuxCommands},
};

}  // namespace

Variant ToVariant(const Value& value, const std::shared_ptr<StateFile>& state) {
    switch (value.type) {
    case Variant::Type::Empty:
        return Variant();
    case Variant::Type::I2:
    case Variant::Type::I4: {
        std::string digits = vb::ToUtf8(value.text);
        int32_t number = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), number);
        return value.type == Variant::Type::I2 ? Variant(static_cast<int16_t>(number)) : Variant(number);
    }
    case Variant::Type::Bool:
        return Variant::Bool(value.text == u"True");
    case Variant::Type::String:
        return Variant(value.text);
    case Variant::Type::Object:
        break;
    }
    ObjectKind kind{};
    if (!state || !ObjectKindNamed(value.text, &kind)) throw vb::Error(vb::kTypeMismatch);
    if (kind == ObjectKind::EventControl) return Variant(std::shared_ptr<Object>());
    return Variant(std::make_shared<SimObject>(state, kind));
}

// ---- objects ------------------------------------------------------------------

SimObject::SimObject(std::shared_ptr<StateFile> state, ObjectKind kind)
    : state_(std::move(state)), kind_(kind), life_(state_->ReadWithoutLog().life) {}

Variant SimObject::Invoke(vb::StringView member, InvokeKind, const std::vector<Variant>& args) {
    vb::String name = CanonicalMember(kind_, member);
    if (name.empty()) name = member;
    Value result = Perform(
        *state_, ObjectName(kind_), name, args, [&](State& state) { return Answer(kind_, state, name, args); },
        [&](const State& state) {
            if (state.life != life_) throw CutOffError();
        });
    return ToVariant(result, state_);
}

Variant SimObject::InvokeId(int32_t, const std::vector<Variant>&) { throw vb::Error(vb::kObjectDoesntSupport); }

SimObject::Reach SimObject::Lookup(vb::StringView member) {
    State state = state_->ReadWithoutLog();
    if (state.life != life_) return Reach::CutOff;
    if (!CanonicalMember(kind_, member).empty() || state.ScriptFor(member)) return Reach::Known;
    return Reach::Unknown;
}

// ---- creation -------------------------------------------------------------------

SimAutomation::SimAutomation(std::shared_ptr<StateFile> state) : state_(std::move(state)) {}

std::shared_ptr<Object> SimAutomation::CreateObject(vb::StringView progId) {
    Value made = Perform(*state_, u"automation", u"CreateObject", {Variant(vb::String(progId))}, [&](State& state) {
        if (state.installed) {
            for (const ProgId& p : kProgIds)
                if (SameName(progId, p.progId)) return Value::Object(ObjectName(p.kind));
        }
        throw vb::Error(vb::kCantCreateObject);
    });
    Variant object = ToVariant(made, state_);
    if (object.type() != Variant::Type::Object || !object.AsObject()) throw vb::Error(vb::kTypeMismatch);
    return object.AsObject();
}

void Open(StateFile& state, vb::StringView databasePath) {
    state.Update([&](State& s) {
        s.running = true;
        s.databaseOpen = true;
        s.databasePath = databasePath;
        s.Record({u"host", u"Open", {Value::Text(vb::String(databasePath))}, Outcome::Result(Value::Empty())});
    });
}

void Vanish(StateFile& state) {
    state.Update([&](State& s) {
        s.running = false;
        s.databaseOpen = false;
        ++s.life;
        s.Record({u"host", u"Vanish", {}, Outcome::Result(Value::Empty())});
    });
}

}  // namespace host::sim
