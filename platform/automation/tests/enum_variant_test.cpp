// The enumerator's Next, Skip, Reset and Clone rules, and that it owns its values.
#include <gtest/gtest.h>

#include <vector>

#include "platform/automation/enum_variant.h"
#include "platform/automation/error.h"

using namespace automation;

namespace {

// Caller-side slots for Next, cleared again at the end.
class Slots {
public:
    explicit Slots(size_t n) : values_(n) {
        for (auto& v : values_) VariantInit(&v);
    }
    ~Slots() {
        for (auto& v : values_) VariantClear(&v);
    }
    VARIANT* data() { return values_.data(); }
    VARIANT& operator[](size_t i) { return values_[i]; }

private:
    std::vector<VARIANT> values_;
};

ULONG referencesOf(IUnknown* p) {
    p->AddRef();
    return p->Release();
}

ComPtr<IEnumVARIANT> numbers(int count) {
    std::vector<Variant> values;
    for (int i = 1; i <= count; ++i) values.push_back(Variant::fromLong(i));
    return MakeEnumVariant(std::move(values));
}

TEST(EnumVariantTest, NextFetchesInOrderAndSaysWhenItRanShort) {
    auto e = numbers(3);
    Slots out(2);
    ULONG fetched = 99;
    ASSERT_EQ(e->Next(2, out.data(), &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(out[0].lVal, 1);
    EXPECT_EQ(out[1].lVal, 2);

    Slots rest(2);
    EXPECT_EQ(e->Next(2, rest.data(), &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(rest[0].lVal, 3);
    EXPECT_EQ(rest[1].vt, VT_EMPTY);

    Slots after(1);
    EXPECT_EQ(e->Next(1, after.data(), &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

TEST(EnumVariantTest, TheFetchedCountMayBeOmittedOnlyForOneValue) {
    auto e = numbers(3);
    Slots out(2);
    EXPECT_EQ(e->Next(2, out.data(), nullptr), E_POINTER);
    EXPECT_EQ(out[0].vt, VT_EMPTY);  // nothing fetched, position kept
    ASSERT_EQ(e->Next(1, out.data(), nullptr), S_OK);
    EXPECT_EQ(out[0].lVal, 1);
}

TEST(EnumVariantTest, SkipStopsAtTheEnd) {
    auto e = numbers(3);
    EXPECT_EQ(e->Skip(2), S_OK);
    Slots out(1);
    ASSERT_EQ(e->Next(1, out.data(), nullptr), S_OK);
    EXPECT_EQ(out[0].lVal, 3);
    EXPECT_EQ(e->Skip(0), S_OK);
    EXPECT_EQ(e->Skip(1), S_FALSE);

    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(5), S_FALSE);
    EXPECT_EQ(e->Next(1, out.data(), nullptr), S_FALSE);
}

TEST(EnumVariantTest, ResetReturnsToTheFirstValue) {
    auto e = numbers(2);
    e->Skip(2);
    ASSERT_EQ(e->Reset(), S_OK);
    Slots out(1);
    ASSERT_EQ(e->Next(1, out.data(), nullptr), S_OK);
    EXPECT_EQ(out[0].lVal, 1);
}

TEST(EnumVariantTest, AClonesStartsWhereTheOriginalIsAndMovesAlone) {
    auto e = numbers(3);
    e->Skip(1);
    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(e->Clone(clone.put()), S_OK);
    EXPECT_EQ(e->Clone(nullptr), E_POINTER);
    Slots a(1), b(1), c(1);
    ASSERT_EQ(clone->Next(1, a.data(), nullptr), S_OK);
    ASSERT_EQ(clone->Next(1, b.data(), nullptr), S_OK);
    ASSERT_EQ(e->Next(1, c.data(), nullptr), S_OK);
    EXPECT_EQ(a[0].lVal, 2);
    EXPECT_EQ(b[0].lVal, 3);
    EXPECT_EQ(c[0].lVal, 2);
    // The clone keeps the values after the original is gone.
    e.reset();
    clone->Reset();
    ASSERT_EQ(clone->Next(1, a.data(), nullptr), S_OK);
    EXPECT_EQ(a[0].lVal, 1);
}

TEST(EnumVariantTest, ValuesAreCopiesOfWhatWasGiven) {
    std::vector<VARIANT> source(2);
    source[0] = Variant::fromString(u"first").detach();
    source[1] = Variant::fromLong(2).detach();
    ComPtr<IEnumVARIANT> e;
    ASSERT_EQ(CreateEnumVariant(source, e.put()), S_OK);
    for (auto& v : source) VariantClear(&v);  // the enumerator must not depend on these

    Slots out(2);
    ULONG fetched = 0;
    ASSERT_EQ(e->Next(2, out.data(), &fetched), S_OK);
    EXPECT_EQ(BstrView(out[0].bstrVal), u"first");
    EXPECT_EQ(out[1].lVal, 2);
    // Each Next hands out a fresh copy.
    e->Reset();
    Slots again(1);
    ASSERT_EQ(e->Next(1, again.data(), nullptr), S_OK);
    EXPECT_NE(again[0].bstrVal, out[0].bstrVal);
}

TEST(EnumVariantTest, ObjectValuesKeepTheirReferencesBalanced) {
    ComPtr<ICreateErrorInfo> object;
    ASSERT_EQ(CreateErrorInfo(object.put()), S_OK);
    ASSERT_EQ(referencesOf(object.get()), 1u);
    {
        VARIANT value;
        value.vt = VT_UNKNOWN;
        value.punkVal = object.get();
        ComPtr<IEnumVARIANT> e;
        ASSERT_EQ(CreateEnumVariant(std::span<const VARIANT>(&value, 1), e.put()), S_OK);
        EXPECT_EQ(referencesOf(object.get()), 2u);
        ComPtr<IEnumVARIANT> clone;
        ASSERT_EQ(e->Clone(clone.put()), S_OK);
        EXPECT_EQ(referencesOf(object.get()), 2u);  // clones share the values
        Slots out(1);
        ASSERT_EQ(e->Next(1, out.data(), nullptr), S_OK);
        EXPECT_EQ(referencesOf(object.get()), 3u);
    }
    EXPECT_EQ(referencesOf(object.get()), 1u);
}

TEST(EnumVariantTest, AFailedCopyGivesBackNothing) {
    std::vector<Variant> values;
    values.push_back(Variant::fromString(u"fine"));
    values.emplace_back().vt = 15;  // a type no Variant may hold
    auto e = MakeEnumVariant(std::move(values));
    Slots out(2);
    ULONG fetched = 7;
    EXPECT_EQ(e->Next(2, out.data(), &fetched), DISP_E_BADVARTYPE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(out[0].vt, VT_EMPTY);
}

TEST(EnumVariantTest, AnEmptyListEndsAtOnce) {
    auto e = MakeEnumVariant({});
    Slots out(1);
    ULONG fetched = 1;
    EXPECT_EQ(e->Next(1, out.data(), &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(e->Next(0, nullptr, &fetched), S_OK);
}

TEST(EnumVariantTest, ItAnswersOnlyItsInterfaces) {
    auto e = numbers(1);
    ComPtr<IUnknown> unknown;
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(e.queryInterface(IID_IUnknown, unknown), S_OK);
    EXPECT_EQ(e.queryInterface(IID_IDispatch, dispatch), E_NOINTERFACE);
    EXPECT_FALSE(dispatch);
}

}  // namespace
