#include <gtest/gtest.h>

#include "platform/automation/handles.h"
#include "platform/automation/safearray.h"
#include "tests/support/counted_object.h"

TEST(VariantCopy, StringIsDuplicatedWithEmbeddedNulls) {
    Variant src = Variant::fromString(std::u16string_view(u"a\0b", 3));
    Variant dst;
    ASSERT_EQ(VariantCopy(&dst, &src), S_OK);
    ASSERT_EQ(dst.vt, VT_BSTR);
    EXPECT_NE(dst.bstrVal, src.bstrVal);
    EXPECT_EQ(BstrView(dst.bstrVal), std::u16string_view(u"a\0b", 3));
}

TEST(VariantCopy, NullStringStaysNull) {
    Variant src;
    src.vt = VT_BSTR;
    src.bstrVal = nullptr;
    Variant dst;
    ASSERT_EQ(VariantCopy(&dst, &src), S_OK);
    EXPECT_EQ(dst.vt, VT_BSTR);
    EXPECT_EQ(dst.bstrVal, nullptr);
}

TEST(VariantCopy, ObjectReferencesBalance) {
    testsupport::CountedObject obj;
    {
        Variant a = Variant::fromDispatch(&obj);
        EXPECT_EQ(obj.references(), 2);
        Variant b = a;
        EXPECT_EQ(obj.references(), 3);
        b = Variant::fromLong(1);  // the old value is released
        EXPECT_EQ(obj.references(), 2);
        Variant c = std::move(a);
        EXPECT_EQ(obj.references(), 2);
    }
    EXPECT_EQ(obj.references(), 1);
}

TEST(VariantCopy, ByReferenceCopiesThePointerButCopyIndTheValue) {
    LONG target = 41;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_I4 | VT_BYREF;
    ref.plVal = &target;
    Variant plain;
    ASSERT_EQ(VariantCopy(&plain, &ref), S_OK);
    EXPECT_EQ(plain.plVal, &target);
    Variant resolved;
    ASSERT_EQ(VariantCopyInd(&resolved, &ref), S_OK);
    EXPECT_EQ(resolved.vt, VT_I4);
    target = 42;
    EXPECT_EQ(resolved.lVal, 41);
}

TEST(VariantCopy, CopyIndThroughVariantReferenceAndInPlace) {
    Variant inner = Variant::fromString(u"deep");
    Variant ref;
    ref.vt = VT_VARIANT | VT_BYREF;
    ref.pvarVal = &inner;
    ASSERT_EQ(VariantCopyInd(&ref, &ref), S_OK);  // in place: the reference becomes the value
    ASSERT_EQ(ref.vt, VT_BSTR);
    EXPECT_NE(ref.bstrVal, inner.bstrVal);
    EXPECT_EQ(BstrView(ref.bstrVal), u"deep");
}

TEST(VariantCopy, ByReferenceStringAndArray) {
    Variant s = Variant::fromString(u"ref");
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BSTR | VT_BYREF;
    ref.pbstrVal = &s.bstrVal;
    Variant copy;
    ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
    EXPECT_EQ(BstrView(copy.bstrVal), u"ref");
    EXPECT_NE(copy.bstrVal, s.bstrVal);

    SAFEARRAY* arr = SafeArrayCreateVector(VT_UI1, 0, 3);
    ref.vt = VT_ARRAY | VT_UI1 | VT_BYREF;
    ref.pparray = &arr;
    Variant arrCopy;
    ASSERT_EQ(VariantCopyInd(&arrCopy, &ref), S_OK);
    EXPECT_EQ(arrCopy.vt, VT_ARRAY | VT_UI1);
    EXPECT_NE(arrCopy.parray, arr);
    SafeArrayDestroy(arr);
}

TEST(VariantCopy, BadTypesAreRefused) {
    VARIANT bad;
    VariantInit(&bad);
    bad.vt = 0x7F;
    Variant dst = Variant::fromLong(7);
    EXPECT_EQ(VariantCopy(&dst, &bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(dst.vt, VT_I4);  // untouched on failure
    EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
    bad.vt = VT_EMPTY | VT_BYREF;
    EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
    bad.vt = VT_VARIANT;  // a Variant cannot hold a bare Variant
    EXPECT_EQ(VariantCopy(&dst, &bad), DISP_E_BADVARTYPE);
}

TEST(VariantCopy, DecimalCopiesWhole) {
    Variant d;
    d.decVal.scale = 2;
    d.decVal.sign = DECIMAL_NEG;
    d.decVal.Hi32 = 1;
    d.decVal.Lo64 = 12345;
    d.vt = VT_DECIMAL;
    Variant copy = d;
    EXPECT_EQ(copy.vt, VT_DECIMAL);
    EXPECT_EQ(copy.decVal.scale, 2);
    EXPECT_EQ(copy.decVal.sign, DECIMAL_NEG);
    EXPECT_EQ(copy.decVal.Hi32, 1u);
    EXPECT_EQ(copy.decVal.Lo64, 12345u);
}

TEST(VariantCopy, ClearOfLockedArrayFailsAndKeepsIt) {
    Variant v = Variant::fromArray(VT_I4, SafeArrayCreateVector(VT_I4, 0, 1));
    SafeArrayLock(v.parray);
    EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(v.vt, VT_ARRAY | VT_I4);
    SafeArrayUnlock(v.parray);
}
