// The array helpers that results and arguments are built on.
#include "platform/automation/arrays.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/automation/safearray.h"
#include "tests/support/counted_object.h"
#include "tests/support/raised_error.h"

using namespace automation;

namespace {

LONG LowerBound(const Variant& array) {
    LONG lower = -1;
    EXPECT_EQ(SafeArrayGetLBound(array.parray, 1, &lower), S_OK);
    return lower;
}

}  // namespace

TEST(Arrays, NewVectorStartsAtZeroWithEmptyElements) {
    const Variant strings = NewVector(VT_BSTR, 2);
    EXPECT_EQ(strings.vt, VT_ARRAY | VT_BSTR);
    EXPECT_EQ(SafeArrayGetDim(strings.parray), 1u);
    EXPECT_EQ(SafeArrayElementCount(strings.parray), 2u);
    EXPECT_EQ(LowerBound(strings), 0);
    EXPECT_EQ(ArrayData(strings.parray).as<BSTR>()[1], nullptr);
    EXPECT_EQ(SafeArrayElementCount(NewVector(VT_VARIANT, 0).parray), 0u);
}

TEST(Arrays, BytesGoInAndComeOutWhole) {
    const std::string bytes("a\0\xFF", 3);
    const Variant array = ByteArray(bytes);
    EXPECT_EQ(array.vt, VT_ARRAY | VT_UI1);
    EXPECT_EQ(LowerBound(array), 0);
    EXPECT_EQ(ArrayBytes(array.parray), bytes);
    EXPECT_EQ(ArrayBytes(ByteArray({}).parray), "");
    EXPECT_EQ(ArrayBytes(nullptr), "");
    // Every dimension, in memory order.
    SAFEARRAYBOUND bounds[2] = {{2, 1}, {2, 0}};
    const Variant square = Variant::fromArray(VT_UI1, SafeArrayCreate(VT_UI1, 2, bounds));
    std::memcpy(ArrayData(square.parray).as<char>(), "wxyz", 4);
    EXPECT_EQ(ArrayBytes(square.parray), "wxyz");
}

TEST(Arrays, DataIsLockedWhileAccessed) {
    const Variant array = NewVector(VT_I4, 1);
    {
        const ArrayData data(array.parray);
        EXPECT_EQ(array.parray->cLocks, 1u);
        EXPECT_EQ(SafeArrayDestroy(array.parray), DISP_E_ARRAYISLOCKED);
    }
    EXPECT_EQ(array.parray->cLocks, 0u);
    EXPECT_EQ(testsupport::ErrorNumberOf([] { ArrayData nothing(nullptr); }), 5);
}

TEST(Arrays, StringAndVariantArraysHoldTheirValues) {
    const Variant strings = StringArray({u"one", u"", u"three"});
    ASSERT_EQ(strings.vt, VT_ARRAY | VT_BSTR);
    ASSERT_EQ(SafeArrayElementCount(strings.parray), 3u);
    const ArrayData texts(strings.parray);
    EXPECT_EQ(BstrView(texts.as<BSTR>()[0]), u"one");
    EXPECT_NE(texts.as<BSTR>()[1], nullptr);  // an empty string, not a null one
    EXPECT_EQ(BstrView(texts.as<BSTR>()[2]), u"three");

    testsupport::CountedObject object;
    {
        std::vector<Variant> values;
        values.push_back(Variant::fromLong(7));
        values.push_back(Variant::fromDispatch(&object));
        const Variant array = VariantArray(std::move(values));
        ASSERT_EQ(array.vt, VT_ARRAY | VT_VARIANT);
        EXPECT_EQ(object.references(), 2);  // taken over, not copied
        const ArrayData cells(array.parray);
        EXPECT_EQ(cells.as<VARIANT>()[0].lVal, 7);
        EXPECT_EQ(cells.as<VARIANT>()[1].pdispVal, &object);
    }
    EXPECT_EQ(object.references(), 1);
}

TEST(Arrays, AnElementComesOutAsAVariantOfItsKind) {
    const Variant strings = StringArray({u"a", u"b"});
    const LONG second = 1;
    const Variant text = ArrayElement(strings.parray, &second, VT_BSTR);
    ASSERT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(BstrView(text.bstrVal), u"b");
    EXPECT_NE(text.bstrVal, ArrayData(strings.parray).as<BSTR>()[1]);  // a copy

    Variant decimals = NewVector(VT_DECIMAL, 1);
    ArrayData(decimals.parray).as<DECIMAL>()[0].Lo64 = 42;
    const LONG first = 0;
    const Variant decimal = ArrayElement(decimals.parray, &first, VT_DECIMAL);
    EXPECT_EQ(decimal.vt, VT_DECIMAL);
    EXPECT_EQ(decimal.decVal.Lo64, 42u);

    std::vector<Variant> values;
    values.push_back(Variant::fromDouble(2.5));
    const Variant variants = VariantArray(std::move(values));
    EXPECT_EQ(ArrayElement(variants.parray, &first, VT_VARIANT).dblVal, 2.5);

    const LONG beyond = 2;
    EXPECT_EQ(testsupport::ErrorNumberOf([&] { ArrayElement(strings.parray, &beyond, VT_BSTR); }), 9);
}
