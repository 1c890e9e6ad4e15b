// ASCII character helpers and the UTF-8 and UTF-16 forms of code points.
#include <gtest/gtest.h>

#include "platform/automation/ascii.h"
#include "platform/automation/utf.h"

using namespace automation;

TEST(Ascii, OnlyTheLettersAToZFold) {
    EXPECT_TRUE(EqualIgnoringAsciiCase(u"Item", u"iTEM"));
    EXPECT_FALSE(EqualIgnoringAsciiCase(u"\u00C9t\u00E9", u"\u00E9T\u00C9"));
    EXPECT_FALSE(EqualIgnoringAsciiCase(u"ab", u"abc"));
    EXPECT_FALSE(EqualIgnoringAsciiCase(u"@", u"`"));  // the neighbours of A and a
    EXPECT_EQ(AsciiUppercase(u"prog.id_\u00E9z"), u"PROG.ID_\u00E9Z");
    EXPECT_EQ(AsciiLower(u'['), u'[');
}

TEST(Ascii, HexadecimalDigitsBothWays) {
    EXPECT_EQ(HexDigitValue(u'0'), 0);
    EXPECT_EQ(HexDigitValue(u'f'), 15);
    EXPECT_EQ(HexDigitValue(u'F'), 15);
    EXPECT_EQ(HexDigitValue(u'g'), -1);
    EXPECT_EQ(HexDigitValue(u'\uFF10'), -1);  // a full-width digit is none
    EXPECT_EQ(UpperHex(0), u"0");
    EXPECT_EQ(UpperHex(0x35), u"35");
    EXPECT_EQ(UpperHex(0xAB, 4), u"00AB");
    EXPECT_EQ(UpperHex(0x800A01C9), u"800A01C9");
}

TEST(Utf, Utf16ToUtf8ReplacesUnpairedSurrogates) {
    EXPECT_EQ(Utf16ToUtf8(u"a\u00E9\u20AC\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'x', char16_t(0xD800)}), "x\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDC00), u'y'}), "\xEF\xBF\xBDy");
}

TEST(Utf, Utf8ToUtf16KeepsEveryByte) {
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
    // An overlong form, an encoded surrogate and a cut sequence are no characters: each byte
    // becomes U+DC80 + (byte - 0x80).
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), (std::u16string{0xDCC0, 0xDC80}));
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), (std::u16string{0xDCED, 0xDCA0, 0xDC80}));
    EXPECT_EQ(Utf8ToUtf16("z\xE2\x82"), (std::u16string{u'z', 0xDCE2, 0xDC82}));
}

TEST(Utf, SequencesAndPairs) {
    EXPECT_EQ(ReadUtf8Sequence("\xF4\x8F\xBF\xBF!").codePoint, char32_t(0x10FFFF));
    EXPECT_EQ(ReadUtf8Sequence("\xF4\x8F\xBF\xBF!").length, 4u);
    EXPECT_EQ(ReadUtf8Sequence("\xF4\x90\x80\x80").length, 0u);  // beyond U+10FFFF
    std::u16string pair;
    AppendUtf16(pair, 0x1F600);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(CodePointOfPair(pair[0], pair[1]), char32_t(0x1F600));
}
