// The marshalled format: the exact bytes of each kind of record, round trips, and malformed or
// hostile byte arrays, which fail and leave the dictionary empty.
#include "components/dictionary/tests/dictionary_test_support.h"
#include "tests/support/counted_object.h"

namespace {

using namespace dictionarytest;
using Bytes = std::vector<BYTE>;

// The bytes of a dictionary holding one item "a" with the value.
Bytes OneItem(Variant value) {
    auto d = NewDictionary();
    AddItem(d.get(), u"a", std::move(value));
    return Marshalled(d.get());
}

const Bytes kHeader{0x01, 0, 0, 0, 0x08, 0, 0x04, 0, 0, 0, 0x61, 0, 0, 0};

Bytes WithHeader(Bytes value) {
    Bytes all = kHeader;
    all.insert(all.end(), value.begin(), value.end());
    return all;
}

TEST(DictionaryFormat, BytesOfEachRecord) {
    auto empty = NewDictionary();
    Variant array;
    ASSERT_EQ(S_OK, empty->MarshallDictionary(array.ptr()));
    LONG lower = 0, upper = 0;
    SafeArrayGetLBound(array.parray, 1, &lower);
    SafeArrayGetUBound(array.parray, 1, &upper);
    EXPECT_EQ(std::make_pair(1, 4), std::make_pair(lower, upper));
    EXPECT_TRUE(array.parray->fFeatures & FADF_FIXEDSIZE);
    EXPECT_EQ(Bytes(4, 0), BytesOf(array));

    EXPECT_EQ(WithHeader({0x02, 0, 0x01, 0}), OneItem(Variant::fromInt(1)));
    EXPECT_EQ(WithHeader({0x0B, 0, 0xFF, 0xFF}), OneItem(Variant::fromBool(true)));
    EXPECT_EQ(WithHeader({0x00, 0}), OneItem(Variant()));
    EXPECT_EQ(WithHeader({0x01, 0}), OneItem(Variant::null()));
    EXPECT_EQ(WithHeader({0x08, 0, 0x04, 0, 0, 0, 0x62, 0, 0, 0}), OneItem(Str(u"b")));
    EXPECT_EQ(WithHeader({0x09, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              OneItem(Variant::fromDispatch(nullptr)));

    Variant longs = Variant::fromArray(VT_I4, SafeArrayCreateVector(VT_I4, 0, 3));
    static_cast<LONG*>(longs.parray->pvData)[2] = 7;
    const Bytes arrayBytes = OneItem(longs);
    ASSERT_EQ(kHeader.size() + 2 + 24 + 8 + 12, arrayBytes.size());
    EXPECT_EQ(Bytes({0x03, 0x20, 0x01, 0x00}), Bytes(arrayBytes.begin() + 14, arrayBytes.begin() + 18));
    EXPECT_EQ(Bytes({3, 0, 0, 0, 0, 0, 0, 0}), Bytes(arrayBytes.begin() + 40, arrayBytes.begin() + 48));
    EXPECT_EQ(7, arrayBytes[56]);

    auto keys = NewDictionary();
    AddItem(keys.get(), nullptr, Variant());
    AddItem(keys.get(), u"", Variant());
    EXPECT_EQ(Bytes({2, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 8, 0, 2, 0, 0, 0, 0, 0, 0, 0}), Marshalled(keys.get()));
}

TEST(DictionaryFormat, RoundTripKeepsOrderDuplicatesAndNesting) {
    auto inner = NewDictionary();
    AddItem(inner.get(), u"deep", Str(u"x"));
    auto d = NewDictionary();
    AddItem(d.get(), u"k", Variant::fromInt(1));
    AddItem(d.get(), nullptr, Variant::fromDouble(2.5));
    AddItem(d.get(), u"k", Variant::fromDispatch(inner.get()));
    const Bytes bytes = Marshalled(d.get());

    auto back = NewDictionary();
    ASSERT_EQ(S_OK, Unmarshall(back.get(), bytes));
    EXPECT_EQ(bytes, Marshalled(back.get()));
    Variant third = Variant::fromLong(3), nested;
    ASSERT_EQ(S_OK, back->get_Item(third.ptr(), nested.ptr()));
    ASSERT_EQ(VT_DISPATCH, nested.vt);
    EXPECT_NE(static_cast<IDispatch*>(inner.get()), nested.pdispVal);  // a new object

    Variant zeroBased = ByteArray(bytes, 0);
    EXPECT_EQ(S_OK, back->UnmarshallDictionary(zeroBased.ptr()));
    EXPECT_EQ(3, Count(back.get()));
}

TEST(DictionaryFormat, ValuesTheFormatCannotHoldFailTheSave) {
    testsupport::CountedObject notPersistable;
    Variant strings = Variant::fromArray(VT_BSTR, SafeArrayCreateVector(VT_BSTR, 0, 1));
    auto self = NewDictionary();
    AddItem(self.get(), u"me", Variant::fromDispatch(self.get()));
    for (auto [value, expected] : {std::pair{Variant::fromDispatch(&notPersistable), E_NOINTERFACE},
                                   std::pair{strings, DISP_E_BADVARTYPE},
                                   std::pair{Variant::fromDispatch(self.get()), E_FAIL}}) {
        auto d = NewDictionary();
        AddItem(d.get(), u"a", value);
        Variant result;
        EXPECT_EQ(expected, d->MarshallDictionary(result.ptr()));
        EXPECT_TRUE(result.isEmpty());
    }
    self->Clear();  // ends the cycle
}

TEST(DictionaryFormat, MalformedBytesFailAndLeaveTheDictionaryEmpty) {
    const Bytes unknownClass{1, 0, 0, 0, 8, 0, 0, 0, 0, 0, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const Bytes cases[] = {
        {1, 0, 0},                                                    // short count
        {0xFF, 0xFF, 0xFF, 0x7F, 8, 0, 0, 0, 0, 0, 0, 0},             // huge count
        {1, 0, 0, 0, 8, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x61},             // huge key length
        {1, 0, 0, 0, 8, 0, 3, 0, 0, 0, 0x61, 0, 0, 0, 0},             // odd key length
        {1, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0},                   // key that is no string
        {1, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0x77, 0x00},                   // unknown value type
        {1, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0x08, 0x20},                   // array of strings
        {1, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0x03, 0x60, 1, 0},             // array cut short
        WithHeader({0x11, 0x20, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                    0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}),             // huge array
        WithHeader({0x03, 0x20, 1, 0, 0, 0, 2, 0, 0, 0}),             // wrong element size
        unknownClass,
        {2, 0, 0, 0, 8, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
         8, 0, 0, 0, 0, 0, 9, 0, 1, 2, 3},                            // a null object, then a class ID cut short
    };
    for (const Bytes& bytes : cases) {
        auto d = NewDictionary();
        AddItem(d.get(), u"old", Variant());
        EXPECT_TRUE(FAILED(Unmarshall(d.get(), bytes))) << ::testing::PrintToString(bytes);
        EXPECT_EQ(0, Count(d.get()));
    }
    // Dictionaries nested in one another: a hostile depth fails instead of exhausting the stack.
    const auto nested = [](int levels) {
        const Bytes level{1, 0, 0, 0, 8, 0, 0, 0, 0, 0, 9, 0, 0x02, 0xE1, 0xF1, 0x43, 0xD6, 0xA5, 0xD2, 0x11,
                          0x9C, 0x68, 0x00, 0x10, 0x5A, 0x32, 0x30, 0xAF};
        Bytes bytes;
        for (int i = 0; i < levels; ++i) bytes.insert(bytes.end(), level.begin(), level.end());
        bytes.insert(bytes.end(), 4, 0);
        return bytes;
    };
    auto d = NewDictionary();
    EXPECT_EQ(S_OK, Unmarshall(d.get(), nested(100)));
    EXPECT_EQ(E_FAIL, Unmarshall(d.get(), nested(300)));

    const SAFEARRAYBOUND square[] = {{2, 0}, {2, 0}};
    Variant text = Str(u"x"), matrix = Variant::fromArray(VT_UI1, SafeArrayCreate(VT_UI1, 2, square));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, d->UnmarshallDictionary(text.ptr()));
    EXPECT_EQ(DISP_E_BADVARTYPE, d->UnmarshallDictionary(matrix.ptr()));
}

}  // namespace
