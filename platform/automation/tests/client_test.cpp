// Late-bound calls by name through the client helper, and the errors it raises.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "platform/automation/client.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/enum_variant.h"
#include "tests/support/counted_object.h"
#include "tests/support/raised_error.h"

using namespace automation;
using testsupport::ErrorOf;

namespace {

inline constexpr IID IID_IRecorder{0x0B6E1F20, 0x2222, 0x4333, {0x94, 0x44, 0x55, 0x55, 0x66, 0x66, 0x77, 0x77}};

class Recorder : public DispatchObject<Recorder> {
public:
    static inline int live = 0;
    Recorder() { ++live; }
    ~Recorder() override { --live; }

    static const DispatchTable& dispatchTable() {
        static const DispatchTable table =
            DispatchTable::Builder<Recorder>(u"IRecorder", IID_IRecorder)
                .method(u"Concat", 1,
                        {Param(u"first", VT_BSTR), Param(u"second", VT_BSTR).optional(Variant::fromString(u""))},
                        [](Recorder&, Arguments& a) {
                            return Variant::fromString(std::u16string(BstrView(a[0].bstrVal)) +
                                                       std::u16string(BstrView(a[1].bstrVal)));
                        })
                .method(u"Bump", 2, {Param(u"n", VT_I4).byRef()},
                        [](Recorder&, Arguments& a) { a.byRef(0) = Variant::fromLong(a[0].lVal + 1); })
                .get(u"Value", 3, {}, [](Recorder& r, Arguments&) { return r.value_; })
                .put(u"Value", 3, {Param(u"v")}, [](Recorder& r, Arguments& a) { r.value_ = a[0]; })
                .get(u"Owner", 4, {}, [](Recorder& r, Arguments&) { return r.owner_; })
                .putRef(u"Owner", 4, {Param(u"v", VT_DISPATCH)}, [](Recorder& r, Arguments& a) { r.owner_ = a[0]; })
                .method(u"Raise", 5,
                        {Param(u"number", VT_I4), Param(u"description", VT_BSTR).optional(Variant::fromString(u""))},
                        [](Recorder&, Arguments& a) -> Variant {
                            throw ComError(a[0].lVal, u"Recorder.Raise", std::u16string(BstrView(a[1].bstrVal)));
                        })
                .get(u"_NewEnum", DISPID_NEWENUM, {},
                     [](Recorder&, Arguments&) {
                         std::vector<Variant> values;
                         values.push_back(Variant::fromLong(1));
                         values.push_back(Variant::fromString(u"two"));
                         return Variant::fromUnknown(MakeEnumVariant(std::move(values)).get());
                     })
                .build();
        return table;
    }

private:
    Variant value_;
    Variant owner_;
};

// A hand-written object that fails every call with a fixed result, setting error information
// first when it has some; it never fills EXCEPINFO.
class Failing final : public testsupport::CountedObject {
public:
    Failing(HRESULT result, std::u16string source, std::u16string description)
        : result_(result), source_(std::move(source)), description_(std::move(description)) {}

    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
        ids[0] = 1;
        return S_OK;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        if (!description_.empty()) SetErrorInfoFrom(ComError(1, source_, description_));
        return result_;
    }

private:
    HRESULT result_;
    std::u16string source_, description_;
};

// Arguments for one call, owned here and lent out as a span.
class Args {
public:
    Args(std::initializer_list<Variant> values) : owned_(values) { views_.assign(owned_.begin(), owned_.end()); }
    operator std::span<VARIANT>() { return views_; }

private:
    std::vector<Variant> owned_;
    std::vector<VARIANT> views_;
};

class ClientTest : public ::testing::Test {
protected:
    void TearDown() override {
        recorder_.reset();
        EXPECT_EQ(Recorder::live, 0);
    }
    IDispatch* recorder() { return recorder_->dispatch(); }

    ComPtr<Recorder> recorder_ = Recorder::create();
};

TEST_F(ClientTest, CallPassesArgumentsInDeclarationOrder) {
    Variant joined = Call(recorder(), u"concat", Args{Variant::fromString(u"ab"), Variant::fromString(u"cd")});
    EXPECT_EQ(BstrView(joined.bstrVal), u"abcd");
    Variant alone = Call(recorder(), u"Concat", Args{Variant::fromString(u"solo")});
    EXPECT_EQ(BstrView(alone.bstrVal), u"solo");
}

TEST_F(ClientTest, PropertiesAreWrittenAndRead) {
    Put(recorder(), u"Value", Variant::fromLong(12));
    Variant value = Get(recorder(), u"VALUE");
    ASSERT_EQ(value.vt, VT_I4);
    EXPECT_EQ(value.lVal, 12);

    ComPtr<Recorder> owner = Recorder::create();
    PutRef(recorder(), u"Owner", Variant::fromDispatch(owner->dispatch()));
    Variant back = Get(recorder(), u"Owner");
    ASSERT_EQ(back.vt, VT_DISPATCH);
    EXPECT_EQ(back.pdispVal, owner->dispatch());
    // An object reference cannot be assigned by value where only put-reference exists.
    ComError error = ErrorOf([&] { Put(recorder(), u"Owner", Variant::fromDispatch(owner->dispatch())); });
    EXPECT_EQ(error.number(), 438);
}

TEST_F(ClientTest, ByReferenceArgumentsReachTheCaller) {
    LONG n = 6;
    Variant ref = Variant::byReference(VT_I4, &n);
    Call(recorder(), u"Bump", std::span<VARIANT>(ref.ptr(), 1));
    EXPECT_EQ(n, 7);
}

TEST_F(ClientTest, DispatchFailuresRaiseTheRuntimeErrors) {
    struct Case {
        std::u16string member;
        std::vector<Variant> args;
        LONG number;
        const char16_t* description;
    };
    std::vector<Case> cases;
    cases.push_back({u"NoSuchMember", {}, 438, u"Object doesn't support this property or method"});
    cases.push_back({u"Bump", {Variant::fromString(u"abc")}, 13, u"Type mismatch"});
    cases.push_back({u"Bump", {}, 450, u"Wrong number of arguments or invalid property assignment"});
    cases.push_back({u"Concat", {Variant::missing()}, 449, u"Argument not optional"});
    cases.push_back({u"Bump", {Variant::fromDouble(1e12)}, 6, u"Overflow"});
    for (auto& c : cases) {
        std::vector<VARIANT> args(c.args.begin(), c.args.end());
        ComError error = ErrorOf([&] { Call(recorder(), c.member, args); });
        EXPECT_EQ(error.number(), c.number) << std::string(c.member.begin(), c.member.end());
        EXPECT_EQ(error.description(), c.description);
    }
}

TEST_F(ClientTest, ANullObjectIsError91) {
    ComError error = ErrorOf([] { Call(nullptr, u"Anything"); });
    EXPECT_EQ(error.number(), 91);
    EXPECT_EQ(error.description(), u"Object variable or With block variable not set");
}

TEST_F(ClientTest, ARaisedErrorArrivesWithItsNumberSourceAndDescription) {
    ComError error = ErrorOf(
        [&] { Call(recorder(), u"Raise", Args{Variant::fromLong(1000), Variant::fromString(u"Custom failure")}); });
    EXPECT_EQ(error.number(), 1000);
    EXPECT_EQ(error.hresult(), hr(0x800A03E8));
    EXPECT_EQ(error.source(), u"Recorder.Raise");
    EXPECT_EQ(error.description(), u"Custom failure");

    ComError standard = ErrorOf([&] { Call(recorder(), u"Raise", Args{Variant::fromLong(5)}); });
    EXPECT_EQ(standard.description(), u"Invalid procedure call or argument");
}

TEST_F(ClientTest, ErrorInformationCrossesWithoutExcepInfo) {
    Failing object(HRESULT_FROM_ERRNUMBER(53), u"Legacy->Open", u"Could not open x.txt");
    ComError error = ErrorOf([&] { Call(&object, u"Open"); });
    EXPECT_EQ(error.number(), 53);
    EXPECT_EQ(error.source(), u"Legacy->Open");
    EXPECT_EQ(error.description(), u"Could not open x.txt");
    EXPECT_EQ(object.references(), 1);
}

TEST_F(ClientTest, ErrorInformationFromAnEarlierFailureIsNotTaken) {
    SetErrorInfoFrom(ComError(5, u"Earlier", u"stale"));
    Failing object(DISP_E_TYPEMISMATCH, u"", u"");
    ComError error = ErrorOf([&] { Call(&object, u"Anything"); });
    EXPECT_EQ(error.number(), 13);
    EXPECT_EQ(error.description(), u"Type mismatch");
    EXPECT_EQ(error.source(), u"");
}

TEST_F(ClientTest, InvokeByDispid) {
    Invoke(recorder(), 3, DISPATCH_PROPERTYPUT, Args{Variant::fromLong(3)});
    EXPECT_EQ(Invoke(recorder(), 3, DISPATCH_PROPERTYGET).lVal, 3);
    EXPECT_EQ(GetDispId(recorder(), u"owner"), 4);
}

TEST_F(ClientTest, EnumerateVisitsTheValues) {
    ComPtr<IEnumVARIANT> items = Enumerate(recorder());
    std::vector<Variant> values(3);
    ULONG fetched = 0;
    EXPECT_EQ(items->Next(3, automation::Args(values).data(), &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(values[0].lVal, 1);
    EXPECT_EQ(BstrView(values[1].bstrVal), u"two");
}

TEST_F(ClientTest, EnumerateWithoutNewEnumIsError438) {
    Failing object(DISP_E_MEMBERNOTFOUND, u"", u"");
    ComError error = ErrorOf([&] { Enumerate(&object); });
    EXPECT_EQ(error.number(), 438);
}

}  // namespace
