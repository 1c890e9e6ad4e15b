// Late-bound calls into an object of a loaded module: every kind of value by value and by
// reference, errors raised inside the module, properties, the default member, enumeration,
// optional arguments, objects created inside the module, and reference counts that balance.
#include <gtest/gtest.h>

#include "platform/automation/client.h"
#include "platform/automation/error.h"
#include "platform/com/creation.h"
#include "platform/com/tests/test_component.h"
#include "platform/com/tests/variant_samples.h"
#include "tests/support/counted_object.h"
#include "tests/support/raised_error.h"

namespace {

using automation::Call;
using automation::Get;
using comtest::Sample;
using comtest::SameValue;
using testsupport::ErrorOf;

Variant ByRef(VARIANT& target) { return Variant::byReference(VT_VARIANT, &target); }

// A typed reference to the value inside v (VT_BYREF | v.vt); not for DECIMAL, whose storage
// overlays the type tag.
Variant TypedRef(Variant& v) { return Variant::byReference(v.vt, &v.llVal); }

Variant DecimalRef(DECIMAL& d) { return Variant::byReference(VT_DECIMAL, &d); }

class Calls : public ::testing::Test {
protected:
    void SetUp() override { object_ = com::CreateObject(u"Tavrel.TestObject"); }
    void TearDown() override {
        object_.reset();
        CoFreeUnusedLibraries();
        EXPECT_FALSE(comtest::IsLoaded(comtest::kTestComponent)) << "an object of the module is still alive";
    }

    Variant call(std::u16string_view name, Variant a) { return Call(object_.get(), name, std::span(a.ptr(), 1)); }
    Variant callWith(std::u16string_view name, std::vector<Variant> args) {
        std::vector<VARIANT> borrowed(args.begin(), args.end());  // args keep owning the values
        return Call(object_.get(), name, borrowed);
    }

    comtest::RegisteredTestComponent component_;
    ComPtr<IDispatch> object_;
};

// ---- values both ways ------------------------------------------------------------------------

TEST_F(Calls, EchoGivesBackEveryKindUnchanged) {
    for (auto samples : {comtest::ScalarSamples(), comtest::ArraySamples()})
        for (Sample& sample : samples) {
            SCOPED_TRACE(sample.name);
            EXPECT_TRUE(SameValue(sample.value, call(u"Echo", sample.value)));
            EXPECT_TRUE(SameValue(sample.value, call(u"Echo", ByRef(sample.value)))) << "passed by reference";
        }
}

TEST_F(Calls, EchoOfAnObjectIsTheSameObjectAndBalancesItsReferences) {
    testsupport::CountedObject object;
    for (VARTYPE kind : {VT_DISPATCH, VT_UNKNOWN}) {
        Variant value = kind == VT_DISPATCH ? Variant::fromDispatch(&object) : Variant::fromUnknown(&object);
        {
            Variant back = call(u"Echo", value);
            EXPECT_EQ(kind, back.vt);
            EXPECT_EQ(static_cast<IUnknown*>(&object), back.punkVal);
        }
        EXPECT_EQ(2, object.references());
    }
    EXPECT_EQ(1, object.references());
}

TEST_F(Calls, TwiceChangesTheCallersVariable) {
    for (auto samples : {comtest::ScalarSamples(), comtest::ArraySamples()})
        for (Sample& sample : samples) {
            SCOPED_TRACE(sample.name);
            Variant variable = sample.value;
            EXPECT_TRUE(call(u"Twice", ByRef(variable)).isEmpty()) << "Twice returns nothing";
            EXPECT_TRUE(SameValue(sample.twice, variable));
        }
}

TEST_F(Calls, TwiceWritesThroughTypedReferencesOfTheirOwnKind) {
    for (Sample& sample : comtest::ScalarSamples()) {
        if (sample.value.vt == VT_EMPTY || sample.value.vt == VT_NULL || sample.twice.vt != sample.value.vt) continue;
        SCOPED_TRACE(sample.name);
        Variant variable = sample.value;
        if (variable.vt == VT_DECIMAL) {
            DECIMAL number = variable.decVal;
            call(u"Twice", DecimalRef(number));
            variable.decVal = number;
            variable.vt = VT_DECIMAL;
        } else {
            call(u"Twice", TypedRef(variable));
        }
        EXPECT_TRUE(SameValue(sample.twice, variable));
    }
}

TEST_F(Calls, TwiceReplacesAnObjectAndReleasesIt) {
    testsupport::CountedObject object;
    Variant variable = Variant::fromDispatch(&object);
    call(u"Twice", ByRef(variable));
    EXPECT_TRUE(SameValue(Variant::fromString(u"changed"), variable));
    EXPECT_EQ(1, object.references());
}

TEST_F(Calls, TwiceThatCannotStoreItsResultLeavesTheVariableAsItWas) {
    Variant date = comtest::Make(VT_DATE, 45000.75);
    EXPECT_EQ(13, ErrorOf([&] { call(u"Twice", TypedRef(date)); }).number());  // "changed" is no Date
    EXPECT_TRUE(SameValue(comtest::Make(VT_DATE, 45000.75), date));

    Variant big = Variant::fromInt(20000);
    const ComError overflow = ErrorOf([&] { call(u"Twice", ByRef(big)); });
    EXPECT_EQ(6, overflow.number());
    EXPECT_EQ(u"Tavrel.TestObject->Twice", overflow.source());
    EXPECT_TRUE(SameValue(Variant::fromInt(20000), big));
}

TEST_F(Calls, EchoTypeNamesWhatArrivedInTheModule) {
    const auto typeName = [&](Variant v) { return Bstr::attach(call(u"EchoType", std::move(v)).detach().bstrVal).str(); };
    EXPECT_EQ(u"Long", typeName(Variant::fromLong(1)));
    EXPECT_EQ(u"String", typeName(comtest::MakeNullString()));
    EXPECT_EQ(u"Decimal", typeName(comtest::MakeDecimal(false, 0, 0, 1)));
    EXPECT_EQ(u"Byte()", typeName(comtest::MakeVector<BYTE>(VT_UI1, 0, {1})));
    EXPECT_EQ(u"_TestObject", typeName(Variant::fromDispatch(object_.get())));
    EXPECT_EQ(u"Nothing", typeName(Variant::fromDispatch(nullptr)));
}

// ---- errors ----------------------------------------------------------------------------------

TEST_F(Calls, AnErrorRaisedInTheModuleArrivesWhole) {
    const ComError error = ErrorOf([&] { callWith(u"Raise", {Variant::fromLong(1001), Variant::fromString(u"Went wrong")}); });
    EXPECT_EQ(1001, error.number());
    EXPECT_EQ(HRESULT_FROM_ERRNUMBER(1001), error.hresult());
    EXPECT_EQ(u"Tavrel.TestObject->Raise", error.source());
    EXPECT_EQ(u"Went wrong", error.description());

    const ComError failure = ErrorOf([&] { callWith(u"Raise", {Variant::fromLong(E_FAIL), Variant::fromString(u"")}); });
    EXPECT_EQ(E_FAIL, failure.hresult());
}

TEST_F(Calls, WithoutExcepInfoTheErrorComesAsErrorInformation) {
    Variant args[2] = {Variant::fromString(u"Not here"), Variant::fromLong(53)};  // reversed
    DISPPARAMS params{automation::Args(args).data(), nullptr, 2, 0};
    const HRESULT result = object_->Invoke(4, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                           nullptr, nullptr);
    EXPECT_EQ(HRESULT_FROM_ERRNUMBER(53), result);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, info.put()));
    Bstr source, description;
    info->GetSource(source.put());
    info->GetDescription(description.put());
    EXPECT_EQ(u"Tavrel.TestObject->Raise", source.view());
    EXPECT_EQ(u"Not here", description.view());
}

// ---- members ---------------------------------------------------------------------------------

TEST_F(Calls, NameIsAStringPropertyStartingEmpty) {
    EXPECT_TRUE(SameValue(Variant::fromString(u""), Get(object_.get(), u"Name")));
    automation::Put(object_.get(), u"Name", Variant::fromLong(42));
    EXPECT_TRUE(SameValue(Variant::fromString(u"42"), Get(object_.get(), u"Name")));
}

TEST_F(Calls, ItemHoldsTenSlotsAndIsTheDefaultMember) {
    for (LONG i = 0; i < 10; ++i) {
        Variant index = Variant::fromLong(i);
        automation::Put(object_.get(), u"Item", Variant::fromLong(i * i), std::span(index.ptr(), 1));
    }
    Variant byText = Variant::fromString(u"3");
    EXPECT_TRUE(SameValue(Variant::fromLong(9), Get(object_.get(), u"Item", std::span(byText.ptr(), 1))));
    Variant seven = Variant::fromInt(7);
    EXPECT_TRUE(SameValue(Variant::fromLong(49), automation::Invoke(object_.get(), DISPID_VALUE, DISPATCH_PROPERTYGET,
                                                                     std::span(seven.ptr(), 1))));
    for (LONG outside : {-1, 10}) {
        Variant index = Variant::fromLong(outside);
        const ComError error = ErrorOf([&] { Get(object_.get(), u"Item", std::span(index.ptr(), 1)); });
        EXPECT_EQ(9, error.number());
        EXPECT_EQ(u"Subscript out of range", error.description());
    }
}

TEST_F(Calls, NewEnumListsTheSlots) {
    Variant index = Variant::fromLong(4);
    automation::Put(object_.get(), u"Item", Variant::fromString(u"four"), std::span(index.ptr(), 1));
    ComPtr<IEnumVARIANT> items = automation::Enumerate(object_.get());
    ASSERT_TRUE(items);
    VARIANT slots[11];
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, items->Next(11, slots, &fetched));
    ASSERT_EQ(10u, fetched);
    for (ULONG i = 0; i < fetched; ++i) {
        Variant slot = Variant::attach(slots[i]);
        EXPECT_TRUE(SameValue(i == 4 ? Variant::fromString(u"four") : Variant(), slot)) << "slot " << i;
    }
}

TEST_F(Calls, OptionalArgumentsTakeTheirDefaultsOrStayMissing) {
    const auto text = [](Variant v) { return Bstr::attach(v.detach().bstrVal).str(); };
    EXPECT_EQ(u"A=x;B=10;C=missing", text(callWith(u"Optional", {Variant::fromString(u"x")})));
    EXPECT_EQ(u"A=1;B=2.5;C=True",
              text(callWith(u"Optional", {Variant::fromLong(1), Variant::fromDouble(2.5), Variant::fromBool(true)})));
    EXPECT_EQ(u"A=a;B=10;C=c", text(callWith(u"Optional", {Variant::fromString(u"a"), Variant::missing(),
                                                           Variant::fromString(u"c")})));
    EXPECT_EQ(450, ErrorOf([&] { callWith(u"Optional", {}); }).number());
}

TEST_F(Calls, ObjectsCreatedInsideTheModuleAndSelf) {
    Variant other = call(u"CreateObject", Variant::fromString(u"Tavrel.TestObject"));
    ASSERT_EQ(VT_DISPATCH, other.vt);
    EXPECT_NE(object_.get(), other.pdispVal);
    EXPECT_TRUE(SameValue(Variant::fromLong(2), Get(object_.get(), u"LiveObjects")));

    Variant self = Get(other.pdispVal, u"Self");
    ASSERT_EQ(VT_DISPATCH, self.vt);
    EXPECT_EQ(other.pdispVal, self.pdispVal);
    other.clear();
    EXPECT_TRUE(SameValue(Variant::fromLong(2), Get(object_.get(), u"LiveObjects"))) << "Self still holds it";
    self.clear();
    EXPECT_TRUE(SameValue(Variant::fromLong(1), Get(object_.get(), u"LiveObjects")));

    const ComError error = ErrorOf([&] { call(u"CreateObject", Variant::fromString(u"No.Such.Class")); });
    EXPECT_EQ(CO_E_CLASSSTRING, error.hresult());
    EXPECT_EQ(u"Invalid class string", error.description());
}

TEST_F(Calls, TheModuleMayUnloadOnceTheLastObjectIsReleased) {
    void* module = dlopen(comtest::kTestComponent, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(nullptr, module);
    auto canUnloadNow = reinterpret_cast<HRESULT (*)()>(dlsym(module, "DllCanUnloadNow"));
    ASSERT_NE(nullptr, canUnloadNow);
    EXPECT_EQ(S_FALSE, canUnloadNow());
    object_.reset();
    EXPECT_EQ(S_OK, canUnloadNow());
    dlclose(module);
}

TEST_F(Calls, TypeInformationNamesTheInterface) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, object_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()));
    Bstr name;
    ASSERT_EQ(S_OK, info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr));
    EXPECT_EQ(u"_TestObject", name.view());
}

}  // namespace
