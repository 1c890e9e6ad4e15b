#include "platform/automation/bstr.h"

#include <gtest/gtest.h>

#include "platform/automation/handles.h"

TEST(Bstr, KeepsLengthEmbeddedNullsAndTerminator) {
    const char16_t text[] = {u'a', 0, u'b'};
    Bstr b = Bstr::attach(SysAllocStringLen(text, 3));
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(SysStringLen(b.get()), 3u);
    EXPECT_EQ(SysStringByteLen(b.get()), 6u);
    EXPECT_EQ(b.view(), std::u16string_view(text, 3));
    EXPECT_EQ(b.get()[3], 0);
}

TEST(Bstr, NullIsDistinctFromEmpty) {
    Bstr empty = Bstr::attach(SysAllocString(u""));
    EXPECT_FALSE(empty.isNull());
    EXPECT_EQ(SysStringLen(empty.get()), 0u);
    EXPECT_EQ(SysAllocString(static_cast<const OLECHAR*>(nullptr)), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);  // must be harmless
}

TEST(Bstr, ByteLengthMayBeOdd) {
    Bstr b = Bstr::attach(SysAllocStringByteLen("abc", 3));
    EXPECT_EQ(SysStringByteLen(b.get()), 3u);
    EXPECT_EQ(SysStringLen(b.get()), 1u);
    EXPECT_EQ(reinterpret_cast<const char*>(b.get())[2], 'c');
    EXPECT_EQ(reinterpret_cast<const char*>(b.get())[3], 0);
    EXPECT_EQ(reinterpret_cast<const char*>(b.get())[4], 0);
}

TEST(Bstr, NullSourceGivesZeroFilledString) {
    Bstr b = Bstr::attach(SysAllocStringLen(nullptr, 4));
    ASSERT_EQ(b.length(), 4u);
    for (char16_t c : b.view()) EXPECT_EQ(c, 0);
}

TEST(Bstr, ReallocFromItsOwnCharacters) {
    BSTR b = SysAllocString(u"hello world");
    ASSERT_TRUE(SysReAllocStringLen(&b, b + 6, 5));
    EXPECT_EQ(BstrView(b), u"world");
    ASSERT_TRUE(SysReAllocString(&b, nullptr));
    EXPECT_EQ(b, nullptr);
}

TEST(Bstr, WrapperCopiesAndMoves) {
    Bstr a(u"x\0y");
    Bstr copy = a;
    EXPECT_NE(copy.get(), a.get());
    EXPECT_EQ(copy.view(), a.view());
    Bstr moved = std::move(copy);
    EXPECT_TRUE(copy.isNull());
    EXPECT_EQ(moved.str(), a.str());
}

TEST(Bstr, RawBytesAreTheCodeUnitsLowByteFirst) {
    EXPECT_EQ(StringBytes(u"A\u20AC"), std::string("A\0\xAC\x20", 4));
    EXPECT_EQ(TextOfStringBytes(std::string("A\0\xAC\x20!", 5)), u"A\u20AC");  // the odd byte is dropped
    Bstr odd = Bstr::attach(SysAllocStringByteLen("abc", 3));
    EXPECT_EQ(BstrBytes(odd.get()), "abc");
    EXPECT_EQ(BstrBytes(nullptr), "");
}
