// The program's own class Strings: the text transformations and how its Variant arguments
// become text.
#include <gtest/gtest.h>

#include <random>

#include "components/strings/html_escape.h"
#include "components/strings/string_methods.h"
#include "components/strings/text_transforms.h"
#include "components/strings/tests/strings_test_support.h"
#include "platform/text/codepage.h"

namespace {

using namespace stringstest;

class StringsClass : public ::testing::Test {
protected:
    std::u16string text(const Variant& result) { return TextOf(result); }
    strings::Strings s;
};

TEST_F(StringsClass, TrimZCutsAtTheFirstNull) {
    EXPECT_EQ(u"abc", text(s.TrimZ(Str(std::u16string(u"abc\0def", 7)))));
    EXPECT_EQ(u"abc", text(s.TrimZ(Str(u"abc"))));
    EXPECT_EQ(u"", text(s.TrimZ(Str(std::u16string(u"\0abc", 4)))));
    EXPECT_EQ(u"12", text(s.TrimZ(Long(12))));
    EXPECT_EQ(u"True", text(s.TrimZ(Variant::fromBool(true))));
    EXPECT_EQ(u"", text(s.TrimZ(Variant())));
}

TEST_F(StringsClass, TrimZRaisesTypeMismatchForEveryFailedConversion) {
    // Null too: TrimZ reports every failure as 13, not as 94.
    EXPECT_TRUE(Raises([&] { s.TrimZ(Variant::null()); }, 13, u"Strings->TrimZ"));
    EXPECT_TRUE(Raises([&] { s.TrimZ(ArrayOf(VT_I4, {Long(1)})); }, 13, u"Strings->TrimZ"));
}

TEST_F(StringsClass, EncodeDoublesEveryDelimiter) {
    EXPECT_EQ(u"a,,b", text(s.Encode(Str(u"a,b"), Str(u","))));
    EXPECT_EQ(u",,,,", text(s.Encode(Str(u",,"), Str(u","))));
    EXPECT_EQ(u"xababyabab", text(s.Encode(Str(u"xabyab"), Str(u"ab"))));
    EXPECT_EQ(u"a,b", text(s.Encode(Str(u"a,b"), Str(u""))));
    EXPECT_EQ(u"", text(s.Encode(Str(u""), Str(u","))));
    // Numbers arrive as their text: 1001 with the delimiter 0.
    EXPECT_EQ(u"100001", text(s.Encode(Long(1001), Long(0))));
}

TEST_F(StringsClass, DecodeMakesDoubledDelimitersSingleLeftToRight) {
    EXPECT_EQ(u"a,,b", text(s.Decode(Str(u"a,,,b"), Str(u","))));
    EXPECT_EQ(u",,", text(s.Decode(Str(u",,,,"), Str(u","))));
    EXPECT_EQ(u"a,b", text(s.Decode(Str(u"a,b"), Str(u","))));
    EXPECT_EQ(u"abab", text(s.Decode(Str(u"ababab"), Str(u"ab"))));
    EXPECT_EQ(u"a,,b", text(s.Decode(Str(u"a,,b"), Str(u""))));
}

TEST_F(StringsClass, CsvAndSqlForms) {
    EXPECT_EQ(u"say \"\"hi\"\"", text(s.EncodeCSV(Str(u"say \"hi\""))));
    EXPECT_EQ(u"say \"hi\"", text(s.DecodeCSV(Str(u"say \"\"hi\"\""))));
    EXPECT_EQ(u"O''Brien", text(s.EncodeSQL(Str(u"O'Brien"))));
    EXPECT_EQ(u"O'Brien", text(s.DecodeSQL(Str(u"O''Brien"))));
    EXPECT_EQ(u"it's \"x\"", text(s.DecodeSQL(s.EncodeSQL(Str(u"it's \"x\"")))));
}

TEST_F(StringsClass, ArgumentsThatAreNotText) {
    EXPECT_TRUE(Raises([&] { s.Encode(Variant::null(), Str(u",")); }, 94, u"Strings->Encode"));
    EXPECT_TRUE(Raises([&] { s.Decode(Str(u"a"), Variant::null()); }, 94, u"Strings->Decode"));
    EXPECT_TRUE(Raises([&] { s.Encode(ArrayOf(VT_BSTR, {Str(u"a")}), Str(u",")); }, 13, u"Strings->Encode"));
    // The CSV and SQL forms raise again what Encode and Decode raised.
    EXPECT_TRUE(Raises([&] { s.EncodeCSV(Variant::null()); }, 94, u"Strings->Encode"));
    EXPECT_TRUE(Raises([&] { s.DecodeSQL(Variant::fromError(DISP_E_PARAMNOTFOUND)); }, 13, u"Strings->Decode"));
}

TEST_F(StringsClass, ArgumentsByReferenceAreReadThrough) {
    Variant target = Str(u"a'b");
    EXPECT_EQ(u"a''b", text(s.EncodeSQL(Variant::byReference(VT_VARIANT, target.ptr()))));
    EXPECT_EQ(u"a'b", TextOf(target));
}

TEST_F(StringsClass, HexUnderTheWesternCodePage) {
    WesternCodePages pages;
    EXPECT_EQ(u"4142", s.EncodeHex(u"AB"));
    EXPECT_EQ(u"0A", s.EncodeHex(u"\n"));
    EXPECT_EQ(u"E980", s.EncodeHex(u"é€"));
    EXPECT_EQ(u"3F", s.EncodeHex(u"\u0101"));  // a character 1252 lacks counts as "?"
    EXPECT_EQ(u"", s.EncodeHex(u""));
    EXPECT_EQ(u"AB", s.DecodeHex(u"4142"));
    EXPECT_EQ(u"A", s.DecodeHex(u"414"));
    EXPECT_EQ(std::u16string(1, u'\0'), s.DecodeHex(u"ZZ"));
    EXPECT_EQ(u"\x04", s.DecodeHex(u"4Z"));  // only the leading digits count
    EXPECT_EQ(std::u16string(1, u'\0'), s.DecodeHex(u" 4"));
    EXPECT_EQ(u"é€", s.DecodeHex(u"e980"));
    EXPECT_EQ(u"", s.DecodeHex(u"4"));
}

TEST_F(StringsClass, HexKeepsEveryByteUnderUtf8) {
    Utf8CodePages pages;
    // A character of two bytes keeps its last.
    EXPECT_EQ(u"41A9", s.EncodeHex(u"Aé"));
    for (unsigned b = 0; b < 256; ++b) {
        static constexpr char16_t digits[] = u"0123456789ABCDEF";
        const std::u16string hex{digits[b >> 4], digits[b & 15]};
        const std::u16string decoded = s.DecodeHex(hex);
        ASSERT_EQ(decoded.size(), 1u);
        EXPECT_EQ(hex, s.EncodeHex(decoded)) << b;
    }
}

TEST_F(StringsClass, RPadFillsUpToTheLength) {
    EXPECT_EQ(u"ab***", text(s.RPad(Str(u"ab"), Str(u"*"), Long(5))));
    EXPECT_EQ(u"ab", text(s.RPad(Str(u"ab"), Str(u"*"), Long(2))));
    EXPECT_EQ(u"ab", text(s.RPad(Str(u"ab"), Str(u"*"), Long(1))));
    EXPECT_EQ(u"ab", text(s.RPad(Str(u"ab"), Str(u"*"), Long(-5))));
    EXPECT_EQ(u"abxx", text(s.RPad(Str(u"ab"), Str(u"xyz"), Str(u"4"))));
    EXPECT_EQ(u"12..", text(s.RPad(Long(12), Str(u"."), Variant::fromDouble(3.5))));  // 3.5 rounds to 4
}

TEST_F(StringsClass, RPadTakesANumberAsACharacterCode) {
    WesternCodePages pages;
    EXPECT_EQ(u"abAA", text(s.RPad(Str(u"ab"), Long(65), Long(4))));
    EXPECT_EQ(u"abA", text(s.RPad(Str(u"ab"), Long(321), Long(3))));  // modulo 256
    EXPECT_EQ(u"a€", text(s.RPad(Str(u"a"), Variant::fromByte(0x80), Long(2))));
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u"ab"), Long(-1), Long(3)); }, 5, u"Strings->RPad"));
}

TEST_F(StringsClass, RPadErrors) {
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u"ab"), Str(u""), Long(5)); }, 5, u"Strings->RPad"));
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u"ab"), Variant(), Long(5)); }, 5, u"Strings->RPad"));
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u"ab"), Variant::null(), Long(5)); }, 94, u"Strings->RPad"));
    EXPECT_TRUE(Raises([&] { s.RPad(Variant::null(), Str(u"*"), Long(5)); }, 94, u"Strings->RPad"));
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u"ab"), Str(u"*"), Variant::null()); }, 94, u"Strings->RPad"));
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u"ab"), Str(u"*"), Str(u"five")); }, 13, u"Strings->RPad"));
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u"ab"), Str(u"*"), Variant::fromDouble(3e9)); }, 6, u"Strings->RPad"));
    EXPECT_TRUE(Raises([&] { s.RPad(Str(u""), Str(u"*"), Long(0x7FFFFFFF)); }, 14, u"Strings->RPad"));
    // Nothing to add: the padding character is never looked at.
    EXPECT_EQ(u"ab", text(s.RPad(Str(u"ab"), Str(u""), Long(2))));
}

TEST_F(StringsClass, EncodeHtmlEscapesFourCharacters) {
    EXPECT_EQ(u"&lt;a&nbsp;href=\"x\"&gt;&amp;amp;&nbsp;b&lt;/a&gt;", text(s.EncodeHTML(Str(u"<a href=\"x\">&amp; b</a>"))));
    EXPECT_EQ(u"'\"\t\r\né€\U0001F600", text(s.EncodeHTML(Str(u"'\"\t\r\né€\U0001F600"))));
    EXPECT_EQ(u"&nbsp;&nbsp;", text(s.EncodeHTML(Str(u"  "))));
    EXPECT_EQ(u"", text(s.EncodeHTML(Str(u""))));
    EXPECT_EQ(u"3", text(s.EncodeHTML(Long(3))));
    EXPECT_TRUE(Raises([&] { s.EncodeHTML(Variant::null()); }, 94, u"Strings->EncodeHTML"));
}

// Escaping one character at a time, as a reference.
std::u16string EscapedOneByOne(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        switch (c) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u' ': out += u"&nbsp;"; break;
        default: out += c;
        }
    }
    return out;
}

TEST(EncodeHtml, LongTextsOfEveryMixture) {
    std::mt19937 random(7);
    const std::u16string alphabet = u"&<> ab\u00e9\u20ac;\n";
    for (size_t length : {1u, 7u, 8u, 9u, 17u, 1025u, 70000u, 200000u}) {
        std::u16string text;
        for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        EXPECT_EQ(EscapedOneByOne(text), strings::EncodeHTML(text)) << length;
    }
    for (char16_t unit : {u' ', u'x'}) {  // every unit escaped; none
        const std::u16string same(100000, unit);
        EXPECT_EQ(EscapedOneByOne(same), strings::EncodeHTML(same)) << int(unit);
    }
}

// Escaped straight into code page 65001's bytes: as the escaped text converted, with pairs cut
// by blocks, lone surrogates and bytes that were not UTF-8 among ASCII runs of every length.
TEST(EncodeHtml, StraightToUtf8IsTheEscapedTextInCodePage65001) {
    std::mt19937 random(11);
    const std::u16string alphabet = u"&<> abcdefgh;\n\u00e9\u20ac\xD83D\xDE00\xDC80\xDCFF\xDC7F";
    for (size_t length : {0u, 1u, 7u, 8u, 9u, 15u, 16u, 17u, 33u, 1000u, 20000u}) {
        for (size_t plain : {0u, 1u, 6u}) {  // more plain ASCII: long runs without escapes
            std::u16string text;
            for (size_t i = 0; i < length; ++i) {
                const size_t pick = random() % (alphabet.size() + plain * 8);
                text += pick < alphabet.size() ? alphabet[pick] : char16_t(u'a' + pick % 26);
            }
            std::string bytes(strings::HtmlEscapeRoom(text.size()), '\0');
            bool usedDefault = false;
            bytes.resize(size_t(strings::EscapeHtmlIntoUtf8(text, bytes.data(), usedDefault) - bytes.data()));
            const std::u16string escaped = EscapedOneByOne(text);
            EXPECT_EQ(text::TextToBytes(escaped, CP_UTF8), bytes) << length << " " << plain;
            // The alphabet holds no U+FFFD of its own: one in the bytes stands for a lone surrogate.
            EXPECT_EQ(bytes.find("\xEF\xBF\xBD") != std::string::npos, usedDefault) << length << " " << plain;
        }
    }
}

TEST(TabJoining, JoinAndSplitAreInverse) {
    EXPECT_EQ(u"a\t\tb", strings::JoinWithTabs({u"a", u"", u"b"}));
    EXPECT_EQ((std::vector<std::u16string>{u"a", u"", u"b"}), strings::SplitAtTabs(u"a\t\tb"));
    EXPECT_EQ((std::vector<std::u16string>{u"", u""}), strings::SplitAtTabs(u"\t"));
    EXPECT_TRUE(strings::SplitAtTabs(u"").empty());
    EXPECT_EQ(u"", strings::JoinWithTabs({}));
}

}  // namespace
