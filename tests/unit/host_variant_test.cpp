#include <gtest/gtest.h>

#include "host/host_object.h"
#include "platform/locale.h"
#include "platform/vb/error.h"
#include "tests/unit/error_of.h"

namespace {

using host::Variant;

TEST(HostVariant, HostAnswersBecomeTextTheWayTheProgramReadsFields) {
    EXPECT_EQ(Variant().AsString(), u"");
    EXPECT_EQ(Variant(int16_t(-5)).AsString(), u"-5");
    EXPECT_EQ(Variant(int32_t(99120)).AsString(), u"99120");
    EXPECT_EQ(Variant::Bool(true).AsString(), u"True");
    EXPECT_EQ(Variant(u"12 All\u00e9e des H\u00e9rons").AsString(), u"12 All\u00e9e des H\u00e9rons");
}

TEST(HostVariant, IntegersConvertWithOverflowAndTypeMismatch) {
    platform::SetDecimalSeparatorForTesting(u'.');
    EXPECT_EQ(Variant(u" 1 ").AsInt16(), 1);
    EXPECT_EQ(Variant(int32_t(1)).AsInt16(), 1);
    EXPECT_EQ(Variant::Bool(true).AsInt32(), -1);
    EXPECT_EQ(Variant().AsInt32(), 0);
    EXPECT_EQ(ErrorNumberOf([] { Variant(int32_t(40000)).AsInt16(); }), vb::kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { Variant(u"yes").AsInt16(); }), vb::kTypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { Variant(std::shared_ptr<host::Object>()).AsInt32(); }), vb::kTypeMismatch);
    platform::SetDecimalSeparatorForTesting(0);
}

TEST(HostVariant, BooleansReadFromNumbersAndWords) {
    EXPECT_TRUE(Variant::Bool(true).AsBool());
    EXPECT_FALSE(Variant(int32_t(0)).AsBool());
    EXPECT_TRUE(Variant(int16_t(2)).AsBool());
    EXPECT_TRUE(Variant(u"TRUE").AsBool());
    EXPECT_FALSE(Variant(u"False").AsBool());
    EXPECT_EQ(ErrorNumberOf([] { Variant(u"maybe").AsBool(); }), vb::kTypeMismatch);
}

TEST(HostObjectReference, CallsThroughNothingRaiseError91) {
    host::HostObject nothing;
    EXPECT_TRUE(nothing.IsNothing());
    EXPECT_EQ(ErrorNumberOf([&] { nothing.Call(u"GetOpenDBName"); }), vb::kObjectNotSet);
    EXPECT_EQ(ErrorNumberOf([&] { nothing.Get(u"Views"); }), vb::kObjectNotSet);
    EXPECT_EQ(ErrorNumberOf([&] { nothing.CallId(2); }), vb::kObjectNotSet);
}

// Arguments reach the object with the types the call site gives them.
class Recorder : public host::Object {
public:
    Variant Invoke(vb::StringView member, host::InvokeKind kind, const std::vector<Variant>& args) override {
        lastMember = member;
        lastKind = kind;
        lastArgs = args;
        return Variant(u"ok");
    }
    Variant InvokeId(int32_t id, const std::vector<Variant>& args) override {
        lastId = id;
        lastArgs = args;
        return Variant(int32_t(1));
    }
    vb::String lastMember;
    host::InvokeKind lastKind{};
    int32_t lastId = 0;
    std::vector<Variant> lastArgs;
};

TEST(HostObjectReference, PassesArgumentsWithTheirTypesAndReleases) {
    auto recorder = std::make_shared<Recorder>();
    host::HostObject ref(recorder);
    ref.Call(u"Create", int16_t(1), u"CV");
    EXPECT_EQ(recorder->lastMember, u"Create");
    ASSERT_EQ(recorder->lastArgs.size(), 2u);
    EXPECT_EQ(recorder->lastArgs[0].type(), Variant::Type::I2);
    EXPECT_EQ(recorder->lastArgs[1].type(), Variant::Type::String);
    ref.CallId(1, int32_t(0));
    EXPECT_EQ(recorder->lastArgs[0].type(), Variant::Type::I4);
    ref.Get(u"Views");
    EXPECT_EQ(recorder->lastKind, host::InvokeKind::PropertyGet);
    ref.SetNothing();
    EXPECT_EQ(recorder.use_count(), 1);
}

}  // namespace
