// The table-driven IDispatch: name lookup, argument binding, by-reference write-back, errors,
// reference counts and type information, through raw Invoke calls.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/enum_variant.h"
#include "tests/support/counted_object.h"

using namespace automation;

namespace {

inline constexpr IID IID_IWidget{0x5A1B2C3D, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

// A dual interface: its own slot follows IDispatch's.
struct IWidget : IDispatch {
    virtual HRESULT Twice(LONG value, LONG* result) = 0;

protected:
    ~IWidget() = default;
};

constexpr DISPID idItem = 0, idDigits = 1, idIncrement = 2, idSwap = 3, idName = 4, idChild = 5, idFail = 6,
                 idExplode = 7, idTwice = 8, idTouch = 9, idDefault = 9999;

class Widget : public DispatchObject<Widget, IWidget> {
public:
    static inline int live = 0;
    Widget() { ++live; }
    ~Widget() override { --live; }

    HRESULT Twice(LONG value, LONG* result) override {
        if (!result) return E_POINTER;
        *result = twice(value);
        return S_OK;
    }

    static const DispatchTable& dispatchTable();

    // Names beginning with "x_" reach the hidden member 9999, which reports the name.
    bool resolveUnknownName(std::u16string_view name, DISPID& id) {
        if (!name.starts_with(u"x_")) return false;
        lastUnknownName_ = name;
        id = idDefault;
        return true;
    }

private:
    static LONG twice(LONG v) { return 2 * v; }

    // a, b and c as the digits of one number, so that the order of the arguments shows.
    Variant digits(Arguments& a) {
        LONG number = a[0].lVal * 100 + a[1].lVal * 10;
        if (!a.isMissing(2)) number += a[2].lVal;
        return Variant::fromLong(number);
    }
    void increment(Arguments& a) { a.byRef(0) = Variant::fromLong(a[0].lVal + 1); }
    void swap(Arguments& a) {
        Variant x = a[0];
        a.byRef(0) = a[1];
        a.byRef(1) = x;
    }
    void setChild(Arguments& a) {
        if (a[0].vt != VT_DISPATCH && a[0].vt != VT_UNKNOWN) throw ComError(424, u"Widget", u"");
        child_ = a[0];
    }
    Variant items() {
        std::vector<Variant> values;
        for (const auto& [key, value] : items_) values.push_back(value);
        return Variant::fromUnknown(MakeEnumVariant(std::move(values)).get());
    }

    std::u16string name_ = u"widget";
    std::map<std::u16string, Variant> items_;
    Variant child_;
    std::u16string lastUnknownName_;
};

const DispatchTable& Widget::dispatchTable() {
    static const DispatchTable table =
        DispatchTable::Builder<Widget>(u"IWidget", IID_IWidget)
            .help(u"A widget for tests", u"widget.chm")
            .method(u"Digits", idDigits,
                    {Param(u"a", VT_I4), Param(u"b", VT_I4).optional(Variant::fromLong(5)),
                     Param(u"c", VT_I4).optional()},
                    &Widget::digits,
                    {.hidden = false, .restricted = false, .helpString = u"Makes a number of its digits"})
            .method(u"Increment", idIncrement, {Param(u"n", VT_I4).byRef()}, &Widget::increment)
            .method(u"Swap", idSwap, {Param(u"x").byRef(), Param(u"y").byRef()}, &Widget::swap)
            .method(u"Touch", idTouch, {Param(u"n", VT_I4)},
                    [](Widget&, Arguments& a) { a.byRef(0) = Variant::fromLong(-1); })
            .get(u"Name", idName, {}, [](Widget& w, Arguments&) { return Variant::fromString(w.name_); })
            .put(u"Name", idName, {Param(u"value", VT_BSTR)},
                 [](Widget& w, Arguments& a) { w.name_ = std::u16string(BstrView(a[0].bstrVal)); })
            .get(u"Item", idItem, {Param(u"key", VT_BSTR)},
                 [](Widget& w, Arguments& a) { return w.items_[std::u16string(BstrView(a[0].bstrVal))]; })
            .put(u"Item", idItem, {Param(u"key", VT_BSTR), Param(u"value")},
                 [](Widget& w, Arguments& a) { w.items_[std::u16string(BstrView(a[0].bstrVal))] = a[1]; })
            .get(u"Child", idChild, {}, [](Widget& w, Arguments&) { return w.child_; })
            .put(u"Child", idChild, {Param(u"value")}, [](Widget& w, Arguments& a) { w.child_ = a[0]; })
            .putRef(u"Child", idChild, {Param(u"value")}, &Widget::setChild)
            .method(u"Fail", idFail, {Param(u"number", VT_I4)},
                    [](Widget&, Arguments& a) -> Variant {
                        throw ComError(a[0].lVal, u"Widget.Fail", u"Failure on request", u"widget.chm", 42);
                    })
            .method(u"Explode", idExplode, {Param(u"outOfMemory", VT_BOOL)},
                    [](Widget&, Arguments& a) -> Variant {
                        if (a[0].boolVal) throw std::bad_alloc();
                        throw std::runtime_error("broken");
                    })
            .method(u"Twice", idTwice, {Param(u"value", VT_I4)},
                    [](Widget&, Arguments& a) { return Variant::fromLong(twice(a[0].lVal)); })
            .get(u"_Default", idDefault, {},
                 [](Widget& w, Arguments&) { return Variant::fromString(w.lastUnknownName_); },
                 {.hidden = true, .restricted = false, .helpString = {}})
            .get(u"_NewEnum", DISPID_NEWENUM, {}, [](Widget& w, Arguments&) { return w.items(); },
                 {.hidden = true, .restricted = true, .helpString = {}})
            .build();
    return table;
}

// The result of one raw Invoke; frees the EXCEPINFO strings.
struct Outcome {
    HRESULT hr = S_OK;
    Variant result;
    EXCEPINFO info{};
    UINT argErr = 0xFFFFFFFF;

    Outcome() = default;
    Outcome(const Outcome&) = delete;
    ~Outcome() {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
    std::u16string_view description() const { return BstrView(info.bstrDescription); }
};

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget_ = Widget::create();
        object = widget_->dispatch();
    }
    void TearDown() override {
        widget_.reset();
        EXPECT_EQ(Widget::live, 0);
        SetErrorInfo(0, nullptr);
    }

    // rgvarg is in the platform's order: named arguments first, then the positional ones last-first.
    void invoke(Outcome& out, DISPID id, WORD flags, std::vector<VARIANT> rgvarg, std::vector<DISPID> named = {},
                bool withExcepInfo = true) {
        DISPPARAMS params{rgvarg.data(), named.data(), UINT(rgvarg.size()), UINT(named.size())};
        out.hr = object->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, flags, &params, &out.result,
                                withExcepInfo ? &out.info : nullptr, &out.argErr);
    }
    // Positional arguments in declaration order.
    void call(Outcome& out, DISPID id, std::vector<VARIANT> args, WORD flags = DISPATCH_METHOD) {
        invoke(out, id, flags, std::vector<VARIANT>(args.rbegin(), args.rend()));
    }
    HRESULT ids(std::vector<const char16_t*> names, std::vector<DISPID>& out) {
        out.assign(names.size(), 12345);
        return object->GetIDsOfNames(GUID_NULL, const_cast<LPOLESTR*>(names.data()), UINT(names.size()),
                                     LOCALE_USER_DEFAULT, out.data());
    }

    ComPtr<Widget> widget_;
    IDispatch* object = nullptr;
};

VARIANT longArg(LONG v) { return Variant::fromLong(v).detach(); }
VARIANT missingArg() { return Variant::missing().detach(); }

// ---- names ------------------------------------------------------------------------------------------

TEST_F(DispatchTest, NamesResolveWithoutRegardToCase) {
    std::vector<DISPID> out;
    ASSERT_EQ(ids({u"dIGITS"}, out), S_OK);
    EXPECT_EQ(out[0], idDigits);
    ASSERT_EQ(ids({u"NAME"}, out), S_OK);
    EXPECT_EQ(out[0], idName);
    ASSERT_EQ(ids({u"_newenum"}, out), S_OK);
    EXPECT_EQ(out[0], DISPID_NEWENUM);
}

TEST_F(DispatchTest, ParameterNamesResolveToTheirPositions) {
    std::vector<DISPID> out;
    ASSERT_EQ(ids({u"Digits", u"C", u"a"}, out), S_OK);
    EXPECT_EQ(out, (std::vector<DISPID>{idDigits, 2, 0}));
    // The value parameter of Item's put is found under the shared member name.
    ASSERT_EQ(ids({u"item", u"Value"}, out), S_OK);
    EXPECT_EQ(out, (std::vector<DISPID>{idItem, 1}));
}

TEST_F(DispatchTest, UnknownNamesAreMarkedAndReported) {
    std::vector<DISPID> out;
    EXPECT_EQ(ids({u"Frobnicate"}, out), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(out[0], DISPID_UNKNOWN);
    EXPECT_EQ(ids({u"Digits", u"zz", u"b"}, out), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(out, (std::vector<DISPID>{idDigits, DISPID_UNKNOWN, 1}));
    EXPECT_EQ(ids({u"Frobnicate", u"a"}, out), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(out, (std::vector<DISPID>{DISPID_UNKNOWN, DISPID_UNKNOWN}));
}

TEST_F(DispatchTest, LookupsRejectAnInterfaceIdentifier) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(u"Digits")};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_IWidget, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
    Outcome out;
    DISPPARAMS none{};
    EXPECT_EQ(object->Invoke(idName, IID_IWidget, 0, DISPATCH_PROPERTYGET, &none, &out.result, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

TEST_F(DispatchTest, TheClassAnswersUnknownSingleNamesItself) {
    std::vector<DISPID> out;
    ASSERT_EQ(ids({u"x_Colour"}, out), S_OK);
    EXPECT_EQ(out[0], idDefault);
    Outcome read;
    invoke(read, out[0], DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
    ASSERT_EQ(read.hr, S_OK);
    EXPECT_EQ(BstrView(read.result.bstrVal), u"x_Colour");
    // Not with named arguments, and not for names the class declines.
    EXPECT_EQ(ids({u"x_Colour", u"a"}, out), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids({u"Colour"}, out), DISP_E_UNKNOWNNAME);
}

// ---- member lookup and argument counts ------------------------------------------------------------

TEST_F(DispatchTest, MembersAreFoundByDispidAndKind) {
    Outcome unknown, putOnMethod, methodOnProperty, getWithBoth;
    invoke(unknown, 777, DISPATCH_METHOD, {});
    EXPECT_EQ(unknown.hr, DISP_E_MEMBERNOTFOUND);
    VARIANT value = longArg(1);
    DISPID putId = DISPID_PROPERTYPUT;
    invoke(putOnMethod, idDigits, DISPATCH_PROPERTYPUT, {value}, {putId});
    EXPECT_EQ(putOnMethod.hr, DISP_E_MEMBERNOTFOUND);
    invoke(methodOnProperty, idName, DISPATCH_METHOD, {});
    EXPECT_EQ(methodOnProperty.hr, DISP_E_MEMBERNOTFOUND);
    invoke(getWithBoth, idName, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
    ASSERT_EQ(getWithBoth.hr, S_OK);
    EXPECT_EQ(BstrView(getWithBoth.result.bstrVal), u"widget");
}

TEST_F(DispatchTest, OptionalArgumentsTakeTheirDefaultsOrStayMissing) {
    Outcome onlyA, explicitMissing, all;
    call(onlyA, idDigits, {longArg(1)});
    ASSERT_EQ(onlyA.hr, S_OK);
    EXPECT_EQ(onlyA.result.lVal, 150);  // b defaults to 5, c stays missing
    call(explicitMissing, idDigits, {longArg(1), missingArg(), longArg(7)});
    ASSERT_EQ(explicitMissing.hr, S_OK);
    EXPECT_EQ(explicitMissing.result.lVal, 157);
    call(all, idDigits, {longArg(1), longArg(2), longArg(3)});
    EXPECT_EQ(all.result.lVal, 123);
}

TEST_F(DispatchTest, ArgumentCountsAreChecked) {
    Outcome tooMany, tooFew, missingRequired;
    call(tooMany, idDigits, {longArg(1), longArg(2), longArg(3), longArg(4)});
    EXPECT_EQ(tooMany.hr, DISP_E_BADPARAMCOUNT);
    call(tooFew, idDigits, {});
    EXPECT_EQ(tooFew.hr, DISP_E_BADPARAMCOUNT);
    // A required argument passed as "missing": rgvarg is {c, b, a}, so a sits at index 2.
    call(missingRequired, idDigits, {missingArg(), longArg(2), longArg(3)});
    EXPECT_EQ(missingRequired.hr, DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(missingRequired.argErr, 2u);
}

TEST_F(DispatchTest, NamedArgumentsBindByParameterPosition) {
    // Digits(c:=7, a:=1): b takes its default.
    Outcome named;
    invoke(named, idDigits, DISPATCH_METHOD, {longArg(7), longArg(1)}, {2, 0});
    ASSERT_EQ(named.hr, S_OK);
    EXPECT_EQ(named.result.lVal, 157);
    // Digits(b:=1) leaves out the required a.
    Outcome leftOut;
    invoke(leftOut, idDigits, DISPATCH_METHOD, {longArg(1)}, {1});
    EXPECT_EQ(leftOut.hr, DISP_E_PARAMNOTOPTIONAL);
    // A parameter number the member lacks, and one given twice.
    Outcome unknown, twice;
    invoke(unknown, idDigits, DISPATCH_METHOD, {longArg(1), longArg(2)}, {0, 7});
    EXPECT_EQ(unknown.hr, DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(unknown.argErr, 1u);
    invoke(twice, idDigits, DISPATCH_METHOD, {longArg(1), longArg(2)}, {0, 0});
    EXPECT_EQ(twice.hr, DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(twice.argErr, 1u);
}

TEST_F(DispatchTest, MalformedParametersAreRefused) {
    Outcome out;
    VARIANT arg = longArg(1);
    DISPPARAMS moreNamedThanArgs{&arg, nullptr, 0, 1};
    EXPECT_EQ(object->Invoke(idDigits, GUID_NULL, 0, DISPATCH_METHOD, &moreNamedThanArgs, nullptr, nullptr, nullptr),
              E_INVALIDARG);
    DISPPARAMS noArray{nullptr, nullptr, 1, 0};
    EXPECT_EQ(object->Invoke(idDigits, GUID_NULL, 0, DISPATCH_METHOD, &noArray, nullptr, nullptr, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(object->Invoke(idDigits, GUID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              E_INVALIDARG);
}

// ---- conversions ------------------------------------------------------------------------------------

TEST_F(DispatchTest, ArgumentsAreConvertedToTheDeclaredType) {
    Outcome out;
    Variant text = Variant::fromString(u"4");
    call(out, idDigits, {text, Variant::fromDouble(2.5)});
    ASSERT_EQ(out.hr, S_OK);
    EXPECT_EQ(out.result.lVal, 420);  // 2.5 rounds to the even 2
}

TEST_F(DispatchTest, AFailedConversionNamesTheArgumentInRgvargOrder) {
    Variant bad = Variant::fromString(u"abc");
    Outcome second, first;
    call(second, idDigits, {longArg(1), bad});  // rgvarg {b, a}
    EXPECT_EQ(second.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(second.argErr, 0u);
    call(first, idDigits, {bad, longArg(1)});
    EXPECT_EQ(first.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(first.argErr, 1u);
    Outcome overflow;
    call(overflow, idDigits, {Variant::fromDouble(1e20)});
    EXPECT_EQ(overflow.hr, DISP_E_OVERFLOW);
    EXPECT_EQ(overflow.argErr, 0u);
}

// ---- by-reference arguments ---------------------------------------------------------------------------

TEST_F(DispatchTest, ByReferenceArgumentsAreWrittenBack) {
    LONG n = 41;
    VARIANT ref = Variant::byReference(VT_I4, &n);
    Outcome out;
    call(out, idIncrement, {ref});
    ASSERT_EQ(out.hr, S_OK);
    EXPECT_EQ(n, 42);

    // A Variant by reference receives the declared type.
    Variant holder = Variant::fromString(u"9");
    VARIANT varRef = Variant::byReference(VT_VARIANT, &holder);
    Outcome viaVariant;
    call(viaVariant, idIncrement, {varRef});
    ASSERT_EQ(viaVariant.hr, S_OK);
    EXPECT_EQ(holder.vt, VT_I4);
    EXPECT_EQ(holder.lVal, 10);

    // A reference to another type gets the result converted back to that type.
    double d = 2.0;
    VARIANT dblRef = Variant::byReference(VT_R8, &d);
    Outcome viaDouble;
    call(viaDouble, idIncrement, {dblRef});
    ASSERT_EQ(viaDouble.hr, S_OK);
    EXPECT_EQ(d, 3.0);
}

TEST_F(DispatchTest, WriteBackReplacesStringsAndLeavesValuesAlone) {
    Variant left = Variant::fromString(u"left"), right = Variant::fromString(u"right");
    Outcome out;
    call(out, idSwap, {Variant::byReference(VT_BSTR, &left.bstrVal), Variant::byReference(VT_VARIANT, &right)});
    ASSERT_EQ(out.hr, S_OK);
    EXPECT_EQ(BstrView(left.bstrVal), u"right");
    EXPECT_EQ(BstrView(right.bstrVal), u"left");

    // Passed by value: the handler's change stays inside.
    Variant byValue = Variant::fromString(u"kept");
    Outcome plain;
    call(plain, idSwap, {byValue, Variant::fromLong(1)});
    ASSERT_EQ(plain.hr, S_OK);
    EXPECT_EQ(BstrView(byValue.bstrVal), u"kept");

    // A by-value parameter never writes through a reference.
    LONG n = 5;
    VARIANT ref = Variant::byReference(VT_I4, &n);
    Outcome touched;
    call(touched, idTouch, {ref});
    ASSERT_EQ(touched.hr, S_OK);
    EXPECT_EQ(n, 5);
}

TEST_F(DispatchTest, AWriteBackThatCannotConvertIsATypeMismatch) {
    // Swap puts a String into a reference to a Long.
    LONG n = 1;
    VARIANT ref = Variant::byReference(VT_I4, &n);
    Outcome out;
    call(out, idSwap, {ref, Variant::fromString(u"not a number")});
    EXPECT_EQ(out.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(out.argErr, 1u);
    EXPECT_EQ(n, 1);
}

// ---- properties ---------------------------------------------------------------------------------------

TEST_F(DispatchTest, PropertyPutTakesTheNamedValue) {
    Variant value = Variant::fromString(u"renamed");
    Outcome put;
    invoke(put, idName, DISPATCH_PROPERTYPUT, {value}, {DISPID_PROPERTYPUT});
    ASSERT_EQ(put.hr, S_OK);
    EXPECT_EQ(put.result.vt, VT_EMPTY);
    Outcome get;
    invoke(get, idName, DISPATCH_PROPERTYGET, {});
    EXPECT_EQ(BstrView(get.result.bstrVal), u"renamed");
}

TEST_F(DispatchTest, IndexedPropertyPutSeparatesIndexAndValue) {
    Variant key = Variant::fromString(u"k");
    // rgvarg: the named value first, then the index.
    Outcome put;
    invoke(put, idItem, DISPATCH_PROPERTYPUT, {longArg(7), key}, {DISPID_PROPERTYPUT});
    ASSERT_EQ(put.hr, S_OK);
    // Without the named value, the last positional argument is the value.
    Variant other = Variant::fromString(u"m");
    Outcome positional;
    invoke(positional, idItem, DISPATCH_PROPERTYPUT, {longArg(8), other});
    ASSERT_EQ(positional.hr, S_OK);
    Outcome k, m;
    call(k, idItem, {key}, DISPATCH_PROPERTYGET);
    call(m, idItem, {other}, DISPATCH_PROPERTYGET);
    EXPECT_EQ(k.result.lVal, 7);
    EXPECT_EQ(m.result.lVal, 8);
    // A put with no value at all.
    Outcome empty;
    invoke(empty, idItem, DISPATCH_PROPERTYPUT, {});
    EXPECT_EQ(empty.hr, DISP_E_BADPARAMCOUNT);
}

TEST_F(DispatchTest, PutAndPutRefTogetherChooseByTheValue) {
    testsupport::CountedObject probe;
    VARIANT object;
    object.vt = VT_UNKNOWN;
    object.punkVal = &probe;
    Outcome byRef;
    invoke(byRef, idChild, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF, {object}, {DISPID_PROPERTYPUT});
    ASSERT_EQ(byRef.hr, S_OK);
    EXPECT_EQ(probe.references(), 2);
    // A plain value goes to the put, which the put-reference would refuse with 424.
    Outcome byValue;
    invoke(byValue, idChild, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF, {longArg(3)}, {DISPID_PROPERTYPUT});
    ASSERT_EQ(byValue.hr, S_OK);
    EXPECT_EQ(probe.references(), 1);
    Outcome refused;
    invoke(refused, idChild, DISPATCH_PROPERTYPUTREF, {longArg(3)}, {DISPID_PROPERTYPUT});
    EXPECT_EQ(refused.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(refused.info.scode, HRESULT_FROM_ERRNUMBER(424));
    EXPECT_EQ(refused.description(), u"Object required");
}

TEST_F(DispatchTest, ObjectReferencesBalance) {
    testsupport::CountedObject probe;
    {
        VARIANT object;
        object.vt = VT_UNKNOWN;
        object.punkVal = &probe;
        Outcome set;
        invoke(set, idChild, DISPATCH_PROPERTYPUTREF, {object}, {DISPID_PROPERTYPUT});
        ASSERT_EQ(set.hr, S_OK);
        EXPECT_EQ(probe.references(), 2);  // the widget holds one
        Outcome get;
        invoke(get, idChild, DISPATCH_PROPERTYGET, {});
        ASSERT_EQ(get.result.vt, VT_UNKNOWN);
        EXPECT_EQ(get.result.punkVal, &probe);
        EXPECT_EQ(probe.references(), 3);  // and the result one more
    }
    EXPECT_EQ(probe.references(), 2);
    widget_.reset();
    EXPECT_EQ(probe.references(), 1);
}

// ---- errors -------------------------------------------------------------------------------------------

TEST_F(DispatchTest, ARaisedErrorFillsExcepInfo) {
    Outcome out;
    call(out, idFail, {longArg(53)});
    ASSERT_EQ(out.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(out.info.scode, HRESULT_FROM_ERRNUMBER(53));
    EXPECT_EQ(BstrView(out.info.bstrSource), u"Widget.Fail");
    EXPECT_EQ(out.description(), u"Failure on request");
    EXPECT_EQ(BstrView(out.info.bstrHelpFile), u"widget.chm");
    EXPECT_EQ(out.info.dwHelpContext, 42u);
}

TEST_F(DispatchTest, WithoutExcepInfoTheErrorTravelsAsErrorInformation) {
    Outcome out;
    invoke(out, idFail, DISPATCH_METHOD, {longArg(76)}, {}, false);
    EXPECT_EQ(out.hr, HRESULT_FROM_ERRNUMBER(76));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    Bstr source, description;
    info->GetSource(source.put());
    info->GetDescription(description.put());
    EXPECT_EQ(source.view(), u"Widget.Fail");
    EXPECT_EQ(description.view(), u"Failure on request");
}

TEST_F(DispatchTest, OtherExceptionsBecomeResults) {
    Outcome memory, other;
    call(memory, idExplode, {Variant::fromBool(true)});
    EXPECT_EQ(memory.hr, E_OUTOFMEMORY);
    call(other, idExplode, {Variant::fromBool(false)});
    EXPECT_EQ(other.hr, E_UNEXPECTED);
}

// ---- interfaces and type information ----------------------------------------------------------------

TEST_F(DispatchTest, QueryInterfaceKeepsOneIdentity) {
    ComPtr<IUnknown> unknown;
    ComPtr<IDispatch> dispatch;
    ComPtr<IWidget> own;
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(widget_.queryInterface(IID_IUnknown, unknown), S_OK);
    ASSERT_EQ(widget_.queryInterface(IID_IDispatch, dispatch), S_OK);
    ASSERT_EQ(widget_.queryInterface(IID_IWidget, own), S_OK);
    ASSERT_EQ(widget_.queryInterface(IID_ISupportErrorInfo, support), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(dispatch.get()));
    EXPECT_EQ(static_cast<void*>(own.get()), static_cast<void*>(dispatch.get()));
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IWidget), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IEnumVARIANT), S_FALSE);
    ComPtr<IUnknown> back;
    ASSERT_EQ(support.queryInterface(IID_IUnknown, back), S_OK);
    EXPECT_EQ(back.get(), unknown.get());

    ComPtr<IEnumVARIANT> none;
    EXPECT_EQ(widget_.queryInterface(IID_IEnumVARIANT, none), E_NOINTERFACE);
    EXPECT_FALSE(none);
    // One reference from widget_ and five from the pointers above.
    EXPECT_EQ(widget_->AddRef(), 7u);
    widget_->Release();
}

TEST_F(DispatchTest, TheDualInterfaceSlotAndInvokeAgree) {
    ComPtr<IWidget> own;
    ASSERT_EQ(widget_.queryInterface(IID_IWidget, own), S_OK);
    LONG direct = 0;
    ASSERT_EQ(own->Twice(21, &direct), S_OK);
    Outcome late;
    call(late, idTwice, {longArg(21)});
    EXPECT_EQ(late.result.lVal, direct);
    EXPECT_EQ(direct, 42);
}

TEST_F(DispatchTest, TypeInformationDescribesTheInterface) {
    UINT count = 0;
    ASSERT_EQ(object->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(object->GetTypeInfo(1, 0, info.put()), DISP_E_BADINDEX);
    EXPECT_EQ(object->GetTypeInfo(0, 0, nullptr), E_POINTER);
    ASSERT_EQ(object->GetTypeInfo(0, 0, info.put()), S_OK);

    Bstr name, doc, file;
    DWORD context = 99;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, name.put(), doc.put(), &context, file.put()), S_OK);
    EXPECT_EQ(name.view(), u"IWidget");
    EXPECT_EQ(doc.view(), u"A widget for tests");
    EXPECT_EQ(file.view(), u"widget.chm");
    EXPECT_EQ(context, 0u);
    ASSERT_EQ(info->GetDocumentation(idDigits, name.put(), doc.put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(name.view(), u"Digits");
    EXPECT_EQ(doc.view(), u"Makes a number of its digits");
    EXPECT_EQ(info->GetDocumentation(4242, name.put(), nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);

    LPOLESTR names[] = {const_cast<LPOLESTR>(u"twice")};
    MEMBERID id = 0;
    ASSERT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, idTwice);
    VARIANT arg = longArg(5);
    DISPPARAMS params{&arg, nullptr, 1, 0};
    Variant result;
    ASSERT_EQ(info->Invoke(object, id, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 10);
}

TEST_F(DispatchTest, TypeInformationOutlivesTheObject) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(object->GetTypeInfo(0, 0, info.put()), S_OK);
    widget_.reset();
    Bstr name;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.view(), u"IWidget");
}

TEST_F(DispatchTest, NewEnumHandsOutAnEnumerator) {
    Variant key = Variant::fromString(u"a");
    Outcome put;
    invoke(put, idItem, DISPATCH_PROPERTYPUT, {longArg(1), key}, {DISPID_PROPERTYPUT});
    Outcome out;
    invoke(out, DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
    ASSERT_EQ(out.hr, S_OK);
    ASSERT_EQ(out.result.vt, VT_UNKNOWN);
    ComPtr<IEnumVARIANT> items;
    ASSERT_EQ(out.result.punkVal->QueryInterface(IID_IEnumVARIANT, items.putVoid()), S_OK);
    Variant first;
    ASSERT_EQ(items->Next(1, &first, nullptr), S_OK);
    EXPECT_EQ(first.lVal, 1);
}

// A class on plain IDispatch that does not offer ISupportErrorInfo.
class Plain : public DispatchObject<Plain, IDispatch, false> {
public:
    static const DispatchTable& dispatchTable() {
        static const DispatchTable table =
            DispatchTable::Builder<Plain>(u"IPlain", GUID_NULL)
                .get(u"Answer", 1, {}, [](Plain&, Arguments&) { return Variant::fromLong(42); })
                .build();
        return table;
    }
};

TEST(PlainDispatchTest, WorksWithoutErrorInfoSupport) {
    ComPtr<Plain> plain = Plain::create();
    ComPtr<ISupportErrorInfo> support;
    EXPECT_EQ(plain.queryInterface(IID_ISupportErrorInfo, support), E_NOINTERFACE);
    Variant result;
    DISPPARAMS none{};
    ASSERT_EQ(plain->Invoke(1, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 42);
}

// ---- table checks ---------------------------------------------------------------------------------------

TEST(DispatchTableTest, TablesThatCannotWorkAreRefused) {
    using B = DispatchTable::Builder<Widget>;
    auto nothing = [](Widget&, Arguments&) {};
    EXPECT_THROW(B(u"I", GUID_NULL).put(u"P", 1, {}, nothing).build(), std::logic_error);
    EXPECT_THROW(B(u"I", GUID_NULL).method(u"M", 1, {}, nothing).method(u"N", 1, {}, nothing).build(),
                 std::logic_error);
    EXPECT_THROW(B(u"I", GUID_NULL).get(u"P", 1, {}, nothing).put(u"p", 2, {Param(u"v")}, nothing).build(),
                 std::logic_error);
    EXPECT_THROW(B(u"I", GUID_NULL).method(u"M", 1, {Param(u"a").optional(), Param(u"b")}, nothing).build(),
                 std::logic_error);
    // A get, put and put-reference may share a DISPID; a put's value may follow optional indexes.
    EXPECT_NO_THROW(B(u"I", GUID_NULL)
                        .get(u"P", 1, {Param(u"i").optional()}, nothing)
                        .put(u"P", 1, {Param(u"i").optional(), Param(u"v")}, nothing)
                        .putRef(u"P", 1, {Param(u"i").optional(), Param(u"v")}, nothing)
                        .build());
}

}  // namespace
