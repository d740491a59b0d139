// A host object reached through IDispatch: the one place where a call by
// member name or dispatch id is made and its outcome turned into a value or
// a run-time error (host/com/com_error.h).
#pragma once

#include <oaidl.h>

#include "host/com/apartment.h"
#include "platform/win32/scoped.h"
#include "host/object.h"

namespace host::com {

class DispatchObject : public Object {
public:
    explicit DispatchObject(win::ComPtr<IDispatch> dispatch);
    ~DispatchObject() override;

    // Methods and property reads alike with DISPATCH_METHOD |
    // DISPATCH_PROPERTYGET, as the runtime calls a member late-bound when
    // it uses the answer: a server that declares the member as a property
    // with arguments (GetField(27) read as a property) answers as well.
    Variant Invoke(vb::StringView member, InvokeKind kind, const std::vector<Variant>& args) override;
    // A method by its dispatch id.
    Variant InvokeId(int32_t dispatchId, const std::vector<Variant>& args) override;

    IDispatch* dispatch() const { return dispatch_.get(); }

private:
    win::ComPtr<IDispatch> dispatch_;
    ApartmentStamp stamp_;
};

// The member's dispatch id; raises 438 when the object has no such member.
DISPID DispatchIdOf(IDispatch* target, vb::StringView member);
// One call: the arguments in order (packed last first, as IDispatch takes
// them); the result as a value, or the failure raised as vb::Error.
Variant CallDispatch(IDispatch* target, DISPID id, WORD flags, const std::vector<Variant>& args);

}  // namespace host::com
