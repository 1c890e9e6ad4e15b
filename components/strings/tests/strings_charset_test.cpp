// Conversions between the OEM and ANSI character sets, StrConvEx and ByteArray2Str.
#include <gtest/gtest.h>

#include "components/strings/string_methods.h"
#include "components/strings/tests/strings_test_support.h"
#include "platform/text/codepage.h"

namespace {

using namespace stringstest;

constexpr char16_t kSource[] = u"Tavrel.Strings2->StrConvEx";

class CharacterSets : public ::testing::Test {
protected:
    strings::StringMethods s{u"Tavrel.Strings2"};

    std::u16string oemToAnsi(std::u16string source) { return s.Oem2CharBuff(source); }
    std::u16string ansiToOem(std::u16string source) { return s.Char2OemBuff(source); }
    std::u16string conv(std::u16string_view text, LONG conversion, LCID lcid) {
        return TextOf(s.StrConvEx(Str(text), Long(conversion), Long(static_cast<LONG>(lcid))));
    }
    std::u16string conv(std::u16string_view text, LONG conversion) {
        return TextOf(s.StrConvEx(Str(text), Long(conversion), Variant::missing()));
    }
};

TEST_F(CharacterSets, OemAndAnsiInTheWesternPair) {
    WesternCodePages pages;
    EXPECT_EQ(u"æ", oemToAnsi(u"\u2018"));  // ANSI byte 0x91 is æ in OEM 850
    EXPECT_EQ(u"\u2018", ansiToOem(u"æ"));
    EXPECT_EQ(u"", oemToAnsi(u""));
    EXPECT_EQ(u"", ansiToOem(u""));
    EXPECT_EQ(u"plain text 123\r\n", oemToAnsi(u"plain text 123\r\n"));
    EXPECT_EQ(u"plain text 123\r\n", ansiToOem(u"plain text 123\r\n"));
    // OEM 0xC9 is a box corner, which 1252 lacks; ANSI 0x91 (U+2018) is missing from 850.
    EXPECT_EQ(u"?", oemToAnsi(u"É"));
    EXPECT_EQ(u"?", ansiToOem(u"\u2018"));
}

TEST_F(CharacterSets, SourceBecomesItsAnsiRoundTrip) {
    WesternCodePages pages;
    std::u16string source = u"a\u0101€";  // 1252 lacks U+0101
    EXPECT_EQ(u"a?\u00c7", s.Oem2CharBuff(source));
    EXPECT_EQ(u"a?€", source);
    source = u"\u0101æ";
    EXPECT_EQ(u"?\u2018", s.Char2OemBuff(source));
    EXPECT_EQ(u"?æ", source);
}

TEST_F(CharacterSets, Utf8AnsiTranslatesTheWholeText) {
    Utf8CodePages pages;
    // "Ç" is two bytes in UTF-8, C3 87: OEM 437 reads them as two characters. The whole text
    // is translated, not just as many bytes as it has characters.
    EXPECT_EQ(u"x\u251c\u00e7y", oemToAnsi(u"xÇy"));
    const std::u16string text = u"naïve café, Ünïcödé";
    const std::u16string oem = ansiToOem(text);
    EXPECT_EQ(text.size(), oem.size());  // every character of the text is one OEM byte
    EXPECT_EQ(text, oemToAnsi(oem));
}

TEST_F(CharacterSets, Utf8AnsiLosesNoByteOfADosFile) {
    Utf8CodePages pages;
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
    const std::u16string asRead = text::AnsiToText(everyByte);  // bytes that are no UTF-8 stay escaped
    const std::u16string converted = oemToAnsi(asRead);
    EXPECT_EQ(u"\u00e9t\u00e9", oemToAnsi(text::AnsiToText("\x82t\x82")));
    EXPECT_EQ(everyByte, text::TextToAnsi(ansiToOem(converted)));
}

TEST_F(CharacterSets, CaseConversions) {
    EXPECT_EQ(u"Hello World", conv(u"hello world", 3));
    EXPECT_EQ(u"HELLO WORLD", conv(u"hello world", 1));
    EXPECT_EQ(u"hello world", conv(u"HeLLo WoRLD", 2));
    EXPECT_EQ(u"Hello World", conv(u"hELLO wORLD", 3, 0x0409));
    EXPECT_EQ(u"ÉCOLE ΣΟΦΊΑ", conv(u"école σοφία", 1, 0x040C));
    // Words end only at space, tab, line feed, vertical tab, form feed, carriage return or U+0000.
    EXPECT_EQ(std::u16string(u"A\tB\nC\vD\fE\rF\0G H-i.j", 19), conv(std::u16string(u"a\tb\nc\vd\fe\rf\0g h-I.J", 19), 3));
    EXPECT_EQ(u"", conv(u"", 1));
}

TEST_F(CharacterSets, WidthAndKana) {
    EXPECT_EQ(u"ＡＢ　１", conv(u"AB 1", 4));
    EXPECT_EQ(u"AB 1", conv(u"ＡＢ　１", 8));
    EXPECT_EQ(u"ヒラガナ", conv(u"ひらがな", 16));
    EXPECT_EQ(u"ひらがな", conv(u"ヒラガナ", 32));
    EXPECT_EQ(u"ガ", conv(u"ｶﾞ", 4));            // half-width kana and its voiced mark become one
    EXPECT_EQ(u"ｶﾞ", conv(u"ガ", 8));
    EXPECT_EQ(u"ＡＢ", conv(u"ab", 1 + 4));       // conversions add up
    EXPECT_EQ(u"カ", conv(u"ｶ", 4 + 16, 0x0411));
}

TEST_F(CharacterSets, AnsiBytesOfTheLocale) {
    WesternCodePages pages;
    // LCID 0: the system's ANSI code page; two bytes per character, the first one low.
    EXPECT_EQ(u"\u4241\u80e9", conv(u"ABé€", 128));
    EXPECT_EQ(u"ABé€", conv(u"\u4241\u80e9", 64));
    // Japanese: Shift-JIS, whatever the system's code page. 日本 is 93 FA 96 7B.
    EXPECT_EQ(u"\ufa93\u7b96", conv(u"日本", 128, 0x0411));
    EXPECT_EQ(u"日本", conv(u"\ufa93\u7b96", 64, 0x0411));
    // Russian: 1251.
    EXPECT_EQ(u"\ue0c0", conv(u"Аа", 128, 0x0419));
    // Conversion 64 with case: the bytes become text first.
    EXPECT_EQ(u"AB", conv(u"\u6261", 64 + 1));
}

TEST_F(CharacterSets, OddByteCountsSurviveInStrings) {
    WesternCodePages pages;
    const Variant packed = s.StrConvEx(Str(u"ABC"), Long(128), Variant::missing());
    ASSERT_EQ(packed.vt, VT_BSTR);
    EXPECT_EQ(3u, SysStringByteLen(packed.bstrVal));
    EXPECT_EQ(u"ABC", TextOf(s.StrConvEx(packed, Long(64), Variant::missing())));
}

TEST_F(CharacterSets, Utf8AnsiBytes) {
    Utf8CodePages pages;
    EXPECT_EQ(u"\ua9c3", conv(u"é", 128));
    EXPECT_EQ(u"é", conv(u"\ua9c3", 64));
}

TEST_F(CharacterSets, InvalidConversionsRaiseError5) {
    for (LONG conversion : {0, -1, 256, 4 + 8, 16 + 32, 64 + 128, 1 + 4 + 8, 512}) {
        EXPECT_TRUE(Raises([&] { conv(u"x", conversion); }, 5, kSource)) << conversion;
    }
    EXPECT_TRUE(Raises([&] { conv(u"x", 1, 0x12345); }, 5, kSource));   // no such locale
    EXPECT_TRUE(Raises([&] { conv(u"x", 128, 0x12345); }, 5, kSource));
}

TEST_F(CharacterSets, StrConvExArguments) {
    EXPECT_EQ(VT_NULL, s.StrConvEx(Variant::null(), Long(1), Variant::missing()).vt);
    EXPECT_TRUE(Raises([&] { s.StrConvEx(Variant::null(), Long(12), Variant::missing()); }, 5, kSource));
    EXPECT_EQ(u"12", TextOf(s.StrConvEx(Long(12), Long(1), Variant::missing())));
    EXPECT_EQ(u"ABC", TextOf(s.StrConvEx(Str(u"abc"), Str(u"1"), Str(u"1033"))));
    EXPECT_EQ(u"ABC", TextOf(s.StrConvEx(Str(u"abc"), Variant::fromDouble(1.4), Variant::missing())));
    EXPECT_TRUE(Raises([&] { s.StrConvEx(Str(u"x"), Str(u"upper"), Variant::missing()); }, 13, kSource));
    EXPECT_TRUE(Raises([&] { s.StrConvEx(Str(u"x"), Variant::null(), Variant::missing()); }, 94, kSource));
    EXPECT_TRUE(Raises([&] { s.StrConvEx(Str(u"x"), Long(1), Variant::null()); }, 94, kSource));
    EXPECT_TRUE(Raises([&] { s.StrConvEx(Str(u"x"), Long(1), Str(u"en")); }, 13, kSource));
    EXPECT_TRUE(Raises([&] { s.StrConvEx(ArrayOf(VT_I4, {Long(1)}), Long(1), Variant::missing()); }, 13, kSource));
}

class ByteArrays : public CharacterSets {
protected:
    std::u16string toText(std::string_view bytes, bool unicode) {
        const Variant array = ByteArray(bytes);
        return TextOf(s.ByteArray2Str(array.parray, unicode));
    }
};

TEST_F(ByteArrays, AnsiBytesBecomeText) {
    WesternCodePages pages;
    EXPECT_EQ(u"AB", toText("AB", false));
    EXPECT_EQ(u"é€", toText("\xE9\x80", false));
    EXPECT_EQ(u"", toText("", false));
    EXPECT_EQ(u"", TextOf(s.ByteArray2Str(nullptr, false)));
}

TEST_F(ByteArrays, UnicodeBytesBecomePackedAnsiBytes) {
    WesternCodePages pages;
    EXPECT_EQ(u"\u4241", toText(std::string("A\0B\0", 4), true));
    EXPECT_EQ(u"\u80e9", toText(std::string("\xE9\x00\xAC\x20", 4), true));  // é € in 1252: E9 80
    EXPECT_EQ(u"", toText("", true));
    // An odd last byte is no character.
    const Variant array = ByteArray(std::string("A\0B", 3));
    const Variant one = s.ByteArray2Str(array.parray, true);
    ASSERT_EQ(one.vt, VT_BSTR);
    EXPECT_EQ(1u, SysStringByteLen(one.bstrVal));
    EXPECT_EQ('A', reinterpret_cast<const char*>(one.bstrVal)[0]);
}

TEST_F(ByteArrays, AFailureIsDescribedAsSuch) {
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    const Variant square = Variant::fromArray(VT_UI1, SafeArrayCreate(VT_UI1, 2, bounds));
    const ComError error = testsupport::ErrorOf([&] { s.ByteArray2Str(square.parray, false); });
    EXPECT_EQ(13, error.number());
    EXPECT_EQ(u"Tavrel.Strings2->ByteArray2Str", error.source());
    EXPECT_EQ(u"Error converting the Byte Array \r\n\r\nReason: Type mismatch\r\nError: 0xD", error.description());
}

}  // namespace
