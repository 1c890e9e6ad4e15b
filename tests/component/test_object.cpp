// The class "Tavrel.TestObject": a module for the tests of the component services, with members
// that send every kind of value both ways, raise errors and count the module's live objects.
#include <array>

#include "platform/automation/decimal.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/enum_variant.h"
#include "platform/automation/error_numbers.h"
#include "platform/automation/typename.h"
#include "platform/com/creation.h"
#include "platform/com/module.h"
#include "platform/com/registration.h"

namespace {

using automation::Arguments;
using automation::Param;

constexpr CLSID CLSID_TestObject{0x5A1C0D4E, 0x7B2F, 0x4E61, {0x9C, 0x3A, 0x2D, 0x8E, 0x4F, 0x6A, 0x1B, 0x01}};
constexpr IID IID_TestObject{0x5A1C0D4E, 0x7B2F, 0x4E61, {0x9C, 0x3A, 0x2D, 0x8E, 0x4F, 0x6A, 0x1B, 0x02}};
constexpr GUID LIBID_TestObject{0x5A1C0D4E, 0x7B2F, 0x4E61, {0x9C, 0x3A, 0x2D, 0x8E, 0x4F, 0x6A, 0x1B, 0x00}};

constexpr size_t kSlotCount = 10;

automation::MemberAttributes Restricted() {
    automation::MemberAttributes attributes;
    attributes.restricted = true;
    return attributes;
}

std::u16string SourceOf(std::u16string_view method) { return u"Tavrel.TestObject->" + std::u16string(method); }

// ---- doubling a number in its own type ---------------------------------------------------------

[[noreturn]] void RaiseOverflow() { throw ComError(errnum::kOverflow, SourceOf(u"Twice"), u"Overflow"); }

template <class T>
T DoubledInteger(T value) {
    T result;
    if (__builtin_mul_overflow(value, T(2), &result)) RaiseOverflow();
    return result;
}

DECIMAL DoubledDecimal(const DECIMAL& value) {
    const automation::uint128 mantissa = (automation::uint128(value.Hi32) << 64) | value.Lo64;
    const auto doubled = automation::ExactNumber::fromInteger(value.sign == DECIMAL_NEG, mantissa * 2, -value.scale);
    DECIMAL result{};
    if (FAILED(automation::ToDecimal(doubled, result))) RaiseOverflow();
    return result;
}

// Doubles a number in place; false when the value is not a number.
bool DoubleNumber(VARIANT& v) {
    switch (v.vt) {
    case VT_I1: v.cVal = DoubledInteger(v.cVal); return true;
    case VT_I2: v.iVal = DoubledInteger(v.iVal); return true;
    case VT_I4: v.lVal = DoubledInteger(v.lVal); return true;
    case VT_INT: v.intVal = DoubledInteger(v.intVal); return true;
    case VT_I8: v.llVal = DoubledInteger(v.llVal); return true;
    case VT_UI1: v.bVal = DoubledInteger(v.bVal); return true;
    case VT_UI2: v.uiVal = DoubledInteger(v.uiVal); return true;
    case VT_UI4: v.ulVal = DoubledInteger(v.ulVal); return true;
    case VT_UINT: v.uintVal = DoubledInteger(v.uintVal); return true;
    case VT_UI8: v.ullVal = DoubledInteger(v.ullVal); return true;
    case VT_CY: v.cyVal.int64 = DoubledInteger(v.cyVal.int64); return true;
    case VT_R4: v.fltVal *= 2; return true;
    case VT_R8: v.dblVal *= 2; return true;
    case VT_DECIMAL: {
        const DECIMAL doubled = DoubledDecimal(v.decVal);
        v.decVal = doubled;
        v.vt = VT_DECIMAL;  // the DECIMAL overlays the type tag
        return true;
    }
    default: return false;
    }
}

// ---- the class ---------------------------------------------------------------------------------

class TestObject final : public automation::DispatchObject<TestObject> {
public:
    static const automation::DispatchTable& dispatchTable();

private:
    friend class automation::DispatchObject<TestObject>;
    friend HRESULT com::CreateInstanceOf<TestObject>(IUnknown*, REFIID, void**);
    TestObject() = default;

    Variant echo(Arguments& args) { return args[0]; }
    Variant echoType(Arguments& args) { return Variant::fromString(automation::TypeName(args[0])); }
    void twice(Arguments& args);
    void raise(Arguments& args) {
        throw ComError(args[0].lVal, SourceOf(u"Raise"), std::u16string(BstrView(args[1].bstrVal)));
    }
    Variant name(Arguments&) { return Variant::fromString(name_); }
    void setName(Arguments& args) { name_ = BstrView(args[0].bstrVal); }
    Variant& slot(const Variant& index);
    Variant item(Arguments& args) { return slot(args[0]); }
    void setItem(Arguments& args) { slot(args[0]) = args[1]; }
    Variant newEnum(Arguments&) {
        return Variant::fromUnknown(automation::MakeEnumVariant({slots_.begin(), slots_.end()}).get());
    }
    Variant optional(Arguments& args);
    Variant createObject(Arguments& args) {
        return Variant::fromDispatch(com::CreateObject(BstrView(args[0].bstrVal)).get());
    }
    Variant self(Arguments&) { return Variant::fromDispatch(dispatch()); }
    Variant liveObjects(Arguments&) { return Variant::fromLong(LONG(com::ThisModule().objects())); }

    com::LiveObject live_;
    std::u16string name_;
    std::array<Variant, kSlotCount> slots_;
};

const automation::DispatchTable& TestObject::dispatchTable() {
    using B = automation::DispatchTable::Builder<TestObject>;
    static const automation::DispatchTable table =
        B(u"_TestObject", IID_TestObject)
            .help(u"Tavrel TestObject Interface")
            .method(u"Echo", 1, {Param(u"Value")}, &TestObject::echo)
            .method(u"EchoType", 2, {Param(u"Value")}, &TestObject::echoType)
            .method(u"Twice", 3, {Param(u"Value").byRef()}, &TestObject::twice)
            .method(u"Raise", 4, {Param(u"Number", VT_I4), Param(u"Description", VT_BSTR)}, &TestObject::raise)
            .get(u"Name", 5, {}, &TestObject::name)
            .put(u"Name", 5, {Param(u"Value", VT_BSTR)}, &TestObject::setName)
            .get(u"Item", DISPID_VALUE, {Param(u"Index", VT_I4)}, &TestObject::item)
            .put(u"Item", DISPID_VALUE, {Param(u"Index", VT_I4), Param(u"Value")}, &TestObject::setItem)
            .putRef(u"Item", DISPID_VALUE, {Param(u"Index", VT_I4), Param(u"Value")}, &TestObject::setItem)
            .get(u"_NewEnum", DISPID_NEWENUM, {}, &TestObject::newEnum, Restricted())
            .method(u"Optional", 6,
                    {Param(u"A"), Param(u"B").optional(Variant::fromLong(10)), Param(u"C").optional()},
                    &TestObject::optional)
            .method(u"CreateObject", 7, {Param(u"ProgId", VT_BSTR)}, &TestObject::createObject)
            .get(u"Self", 8, {}, &TestObject::self)
            .get(u"LiveObjects", 9, {}, &TestObject::liveObjects)
            .build();
    return table;
}

// Numbers doubled in their own type, strings repeated, Booleans negated, anything else becomes
// the String "changed".
void TestObject::twice(Arguments& args) {
    Variant& value = args.byRef(0);
    if (DoubleNumber(value)) return;
    if (value.vt == VT_BSTR) {
        const std::u16string text(BstrView(value.bstrVal));
        value = Variant::fromString(text + text);
    } else if (value.vt == VT_BOOL) {
        value.boolVal = value.boolVal ? VARIANT_FALSE : VARIANT_TRUE;
    } else {
        value = Variant::fromString(u"changed");
    }
}

Variant& TestObject::slot(const Variant& index) {
    if (index.lVal < 0 || size_t(index.lVal) >= kSlotCount)
        throw ComError(errnum::kSubscriptOutOfRange, SourceOf(u"Item"), u"Subscript out of range");
    return slots_[size_t(index.lVal)];
}

Variant TestObject::optional(Arguments& args) {
    const std::u16string c = args.isMissing(2) ? u"missing" : args[2].toString();
    return Variant::fromString(u"A=" + args[0].toString() + u";B=" + args[1].toString() + u";C=" + c);
}

com::ClassFactory factory(&com::CreateInstanceOf<TestObject>);

com::ClassRegistration Registration() {
    return {CLSID_TestObject, u"Tavrel.TestObject.1", u"Tavrel.TestObject", u"TestObject Class", u"Apartment",
            LIBID_TestObject, true};
}

}  // namespace

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return com::GetClassObject({{CLSID_TestObject, factory}}, rclsid, riid, ppv);
}

HRESULT DllCanUnloadNow() { return com::ThisModule().canUnloadNow(); }

HRESULT DllRegisterServer() {
    return com::RegisterModuleClass(Registration(), reinterpret_cast<const void*>(&DllRegisterServer));
}

HRESULT DllUnregisterServer() { return com::UnregisterClass(Registration()); }
