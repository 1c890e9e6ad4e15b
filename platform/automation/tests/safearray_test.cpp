#include "platform/automation/safearray.h"

#include <gtest/gtest.h>

#include "platform/automation/handles.h"
#include "tests/support/counted_object.h"

namespace {

struct ArrayDeleter {
    void operator()(SAFEARRAY* p) const { EXPECT_EQ(SafeArrayDestroy(p), S_OK); }
};
using ArrayPtr = std::unique_ptr<SAFEARRAY, ArrayDeleter>;

}  // namespace

TEST(SafeArray, VectorBoundsAndKind) {
    ArrayPtr a(SafeArrayCreateVector(VT_I4, -2, 5));
    ASSERT_TRUE(a);
    LONG lo = 0, hi = 0;
    ASSERT_EQ(SafeArrayGetLBound(a.get(), 1, &lo), S_OK);
    ASSERT_EQ(SafeArrayGetUBound(a.get(), 1, &hi), S_OK);
    EXPECT_EQ(lo, -2);
    EXPECT_EQ(hi, 2);
    EXPECT_EQ(SafeArrayGetDim(a.get()), 1u);
    EXPECT_EQ(SafeArrayGetElemsize(a.get()), 4u);
    VARTYPE vt = 0;
    ASSERT_EQ(SafeArrayGetVartype(a.get(), &vt), S_OK);
    EXPECT_EQ(vt, VT_I4);
    EXPECT_EQ(SafeArrayGetLBound(a.get(), 2, &lo), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayGetLBound(a.get(), 0, &lo), DISP_E_BADINDEX);
}

TEST(SafeArray, EmptyVectorHasUpperBoundBelowLower) {
    ArrayPtr a(SafeArrayCreateVector(VT_UI1, 0, 0));
    ASSERT_TRUE(a);
    LONG hi = 0;
    ASSERT_EQ(SafeArrayGetUBound(a.get(), 1, &hi), S_OK);
    EXPECT_EQ(hi, -1);
}

TEST(SafeArray, MultiDimensionalLeftmostIndexVariesFastest) {
    SAFEARRAYBOUND bounds[2] = {{3, 1}, {2, 10}};  // (1 To 3, 10 To 11)
    ArrayPtr a(SafeArrayCreate(VT_I2, 2, bounds));
    ASSERT_TRUE(a);
    for (LONG j = 10; j <= 11; ++j)
        for (LONG i = 1; i <= 3; ++i) {
            LONG idx[2] = {i, j};
            SHORT v = SHORT(i * 100 + j);
            ASSERT_EQ(SafeArrayPutElement(a.get(), idx, &v), S_OK);
        }
    SHORT* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(a.get(), reinterpret_cast<void**>(&data)), S_OK);
    EXPECT_EQ(data[0], 110);
    EXPECT_EQ(data[1], 210);
    EXPECT_EQ(data[3], 111);
    EXPECT_EQ(SafeArrayDestroy(a.get()), DISP_E_ARRAYISLOCKED);
    ASSERT_EQ(SafeArrayUnaccessData(a.get()), S_OK);
    LONG lo = 0, hi = 0;
    SafeArrayGetLBound(a.get(), 2, &lo);
    SafeArrayGetUBound(a.get(), 2, &hi);
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 11);
    LONG outside[2] = {4, 10};
    SHORT v = 0;
    EXPECT_EQ(SafeArrayGetElement(a.get(), outside, &v), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayUnlock(a.get()), E_UNEXPECTED);
}

TEST(SafeArray, StringElementsAreCopiedInAndOut) {
    ArrayPtr a(SafeArrayCreateVector(VT_BSTR, 0, 2));
    Bstr s(u"text");
    LONG i = 1;
    ASSERT_EQ(SafeArrayPutElement(a.get(), &i, s.get()), S_OK);
    Bstr out;
    ASSERT_EQ(SafeArrayGetElement(a.get(), &i, out.put()), S_OK);
    EXPECT_NE(out.get(), s.get());
    EXPECT_EQ(out.view(), u"text");
    i = 0;
    ASSERT_EQ(SafeArrayGetElement(a.get(), &i, out.put()), S_OK);
    EXPECT_TRUE(out.isNull());
}

TEST(SafeArray, CopyIsDeepAndKeepsBoundsAndFixedSize) {
    ArrayPtr a(SafeArrayCreateVector(VT_VARIANT, 5, 2));
    a->fFeatures |= FADF_FIXEDSIZE;
    Variant s = Variant::fromString(u"abc");
    LONG i = 6;
    ASSERT_EQ(SafeArrayPutElement(a.get(), &i, &s), S_OK);
    SAFEARRAY* raw = nullptr;
    ASSERT_EQ(SafeArrayCopy(a.get(), &raw), S_OK);
    ArrayPtr copy(raw);
    EXPECT_TRUE(copy->fFeatures & FADF_FIXEDSIZE);
    LONG lo = 0;
    SafeArrayGetLBound(copy.get(), 1, &lo);
    EXPECT_EQ(lo, 5);
    VARIANT* cells = static_cast<VARIANT*>(copy->pvData);
    VARIANT* original = static_cast<VARIANT*>(a->pvData);
    ASSERT_EQ(cells[1].vt, VT_BSTR);
    EXPECT_NE(cells[1].bstrVal, original[1].bstrVal);
    EXPECT_EQ(BstrView(cells[1].bstrVal), u"abc");
    SAFEARRAYBOUND bigger{4, 5};
    EXPECT_EQ(SafeArrayRedim(copy.get(), &bigger), DISP_E_ARRAYISLOCKED);
}

TEST(SafeArray, ObjectElementsHoldOneReferenceEach) {
    testsupport::CountedObject obj;
    {
        ArrayPtr a(SafeArrayCreateVector(VT_UNKNOWN, 0, 3));
        for (LONG i = 0; i < 3; ++i) ASSERT_EQ(SafeArrayPutElement(a.get(), &i, &obj), S_OK);
        EXPECT_EQ(obj.references(), 4);
        SAFEARRAY* raw = nullptr;
        ASSERT_EQ(SafeArrayCopy(a.get(), &raw), S_OK);
        EXPECT_EQ(obj.references(), 7);
        SafeArrayDestroy(raw);
        EXPECT_EQ(obj.references(), 4);
    }
    EXPECT_EQ(obj.references(), 1);
}

TEST(SafeArray, RedimGrowsWithZerosAndShrinksReleasing) {
    ArrayPtr a(SafeArrayCreateVector(VT_BSTR, 1, 2));
    Bstr s(u"kept");
    LONG i = 1;
    SafeArrayPutElement(a.get(), &i, s.get());
    i = 2;
    SafeArrayPutElement(a.get(), &i, s.get());
    SAFEARRAYBOUND one{1, 1};
    ASSERT_EQ(SafeArrayRedim(a.get(), &one), S_OK);  // the released string would show under ASan
    SAFEARRAYBOUND three{3, 1};
    ASSERT_EQ(SafeArrayRedim(a.get(), &three), S_OK);
    BSTR* cells = static_cast<BSTR*>(a->pvData);
    EXPECT_EQ(BstrView(cells[0]), u"kept");
    EXPECT_EQ(cells[1], nullptr);
    EXPECT_EQ(cells[2], nullptr);
}

TEST(SafeArray, DescriptorAndDataAllocatedSeparately) {
    SAFEARRAY* a = nullptr;
    ASSERT_EQ(SafeArrayAllocDescriptorEx(VT_R8, 2, &a), S_OK);
    a->rgsabound[0] = {2, 0};
    a->rgsabound[1] = {3, 0};
    ASSERT_EQ(SafeArrayAllocData(a), S_OK);
    EXPECT_EQ(SafeArrayElementCount(a), 6u);
    EXPECT_EQ(SafeArrayDestroyData(a), S_OK);
    EXPECT_EQ(SafeArrayDestroyDescriptor(a), S_OK);
    EXPECT_EQ(SafeArrayAllocDescriptor(0, &a), E_INVALIDARG);
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 1), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VARTYPE(0x7FF), 0, 1), nullptr);
}
