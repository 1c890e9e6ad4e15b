#include <gtest/gtest.h>

#include <string>

#include "platform/automation/handles.h"
#include "platform/automation/safearray.h"
#include "platform/automation/typename.h"
#include "tests/support/counted_object.h"

using automation::TypeName;
using automation::TypeNameOfKind;

namespace {

// Type information that only knows its own name.
class NamedTypeInfo final : public ITypeInfo {
public:
    explicit NamedTypeInfo(std::u16string name) : name_(std::move(name)) {}
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (riid != IID_IUnknown && riid != IID_ITypeInfo) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ULONG(++refs_); }
    ULONG Release() override { return ULONG(--refs_); }
    HRESULT GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return E_NOTIMPL; }
    HRESULT Invoke(void*, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
    HRESULT GetDocumentation(MEMBERID memid, BSTR* name, BSTR* doc, DWORD* context, BSTR* helpFile) override {
        if (memid != MEMBERID_NIL) return TYPE_E_ELEMENTNOTFOUND;
        if (name) *name = SysAllocString(std::u16string_view(name_));
        if (doc) *doc = nullptr;
        if (context) *context = 0;
        if (helpFile) *helpFile = nullptr;
        return S_OK;
    }
    int references() const { return refs_; }

private:
    std::u16string name_;
    int refs_ = 1;
};

// An object that describes itself with the type information above.
class DescribedObject final : public testsupport::CountedObject {
public:
    explicit DescribedObject(NamedTypeInfo& info) : info_(info) {}
    HRESULT GetTypeInfoCount(UINT* n) override { *n = 1; return S_OK; }
    HRESULT GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
        if (index != 0) return DISP_E_BADINDEX;
        info_.AddRef();
        *out = &info_;
        return S_OK;
    }

private:
    NamedTypeInfo& info_;
};

Variant ofKind(VARTYPE vt) {
    Variant v;
    v.vt = vt;
    v.llVal = 0;
    return v;
}

}  // namespace

TEST(TypeName, ScalarKindsHaveTheRuntimesNames) {
    struct Case {
        VARTYPE vt;
        std::u16string_view name;
    };
    for (const Case& c : {Case{VT_EMPTY, u"Empty"}, {VT_NULL, u"Null"}, {VT_I2, u"Integer"}, {VT_I4, u"Long"},
                          {VT_R4, u"Single"}, {VT_R8, u"Double"}, {VT_CY, u"Currency"}, {VT_DATE, u"Date"},
                          {VT_BOOL, u"Boolean"}, {VT_ERROR, u"Error"}, {VT_UI1, u"Byte"}, {VT_I1, u"SByte"},
                          {VT_UI2, u"UInteger"}, {VT_UI4, u"ULong"}, {VT_I8, u"LongLong"}, {VT_UI8, u"ULongLong"},
                          {VT_INT, u"Long"}, {VT_UINT, u"ULong"}}) {
        EXPECT_EQ(TypeName(ofKind(c.vt)), c.name) << "vt " << c.vt;
    }
    EXPECT_EQ(TypeName(Variant::fromString(u"x")), u"String");
    EXPECT_EQ(TypeName(Variant::missing()), u"Error");
    Variant d;
    ASSERT_EQ(VariantChangeType(&d, Variant::fromLong(1).ptr(), 0, VT_DECIMAL), S_OK);
    EXPECT_EQ(TypeName(d), u"Decimal");
}

TEST(TypeName, ArraysAreTheElementNameWithParentheses) {
    Variant bytes = Variant::fromArray(VT_UI1, SafeArrayCreateVector(VT_UI1, 0, 4));
    EXPECT_EQ(TypeName(bytes), u"Byte()");
    Variant variants = Variant::fromArray(VT_VARIANT, SafeArrayCreateVector(VT_VARIANT, 0, 1));
    EXPECT_EQ(TypeName(variants), u"Variant()");
    EXPECT_EQ(TypeNameOfKind(VT_ARRAY | VT_BSTR), u"String()");
    EXPECT_EQ(TypeNameOfKind(VT_ARRAY | VT_DISPATCH), u"Object()");
    EXPECT_EQ(TypeNameOfKind(VT_ARRAY | VT_I2), u"Integer()");
}

TEST(TypeName, ObjectsByTheirTypeInformation) {
    NamedTypeInfo info(u"IDictionary");
    DescribedObject described(info);
    testsupport::CountedObject plain;
    {
        EXPECT_EQ(TypeName(Variant::fromDispatch(&described)), u"IDictionary");
        EXPECT_EQ(TypeName(Variant::fromDispatch(&plain)), u"Object");  // no type information
        EXPECT_EQ(TypeName(Variant::fromUnknown(&plain)), u"Unknown");
        EXPECT_EQ(TypeName(Variant::fromDispatch(nullptr)), u"Nothing");
        EXPECT_EQ(TypeName(Variant::fromUnknown(nullptr)), u"Nothing");
    }
    EXPECT_EQ(described.references(), 1);
    EXPECT_EQ(info.references(), 1);
    EXPECT_EQ(plain.references(), 1);
}

TEST(TypeName, ByReferenceValuesByWhatTheyReferTo) {
    LONG number = 5;
    Variant ref;
    ref.vt = VT_I4 | VT_BYREF;
    ref.plVal = &number;
    EXPECT_EQ(TypeName(ref), u"Long");

    Variant inner = Variant::fromString(u"s");
    Variant variantRef;
    variantRef.vt = VT_VARIANT | VT_BYREF;
    variantRef.pvarVal = &inner;
    EXPECT_EQ(TypeName(variantRef), u"String");

    NamedTypeInfo info(u"_System");
    DescribedObject described(info);
    IDispatch* object = &described;
    Variant objectRef;
    objectRef.vt = VT_DISPATCH | VT_BYREF;
    objectRef.ppdispVal = &object;
    EXPECT_EQ(TypeName(objectRef), u"_System");
    object = nullptr;
    EXPECT_EQ(TypeName(objectRef), u"Nothing");

    SAFEARRAY* array = nullptr;
    Variant arrayRef;
    arrayRef.vt = VT_ARRAY | VT_UI1 | VT_BYREF;
    arrayRef.pparray = &array;
    EXPECT_EQ(TypeName(arrayRef), u"Byte()");
}

TEST(TypeName, KindsNoVariantHoldsAreUnknown) {
    VARIANT odd;
    VariantInit(&odd);
    odd.vt = VT_RECORD;
    EXPECT_EQ(TypeName(odd), u"Unknown");
    odd.vt = VT_VECTOR | VT_I4;
    EXPECT_EQ(TypeName(odd), u"Unknown");
    odd.vt = VT_I4 | VT_BYREF;
    odd.byref = nullptr;
    EXPECT_EQ(TypeName(odd), u"Unknown");
}
