// Case, title, width and kana mapping, LCMapStringW's rules, and LCIDs.
#include <gtest/gtest.h>

#include <string>

#include "platform/automation/error.h"
#include "platform/text/locale_map.h"
#include "tests/support/scoped_env.h"

namespace {

constexpr LCID kJapanese = 0x0411;
constexpr LCID kGerman = 0x0407;

// A literal's whole text, nulls inside included.
template <size_t N>
std::u16string WithNulls(const char16_t (&literal)[N]) {
    return std::u16string(literal, N - 1);
}

std::u16string Map(std::u16string_view source, DWORD flags, LCID lcid = kJapanese) {
    return text::MapString(source, flags, lcid);
}

TEST(CaseMapping, UpperAndLowerKeepTheLength) {
    EXPECT_EQ(Map(u"Hello, Wörld ǅ", LCMAP_UPPERCASE, kGerman), u"HELLO, WÖRLD Ǆ");
    EXPECT_EQ(Map(u"HELLO, WÖRLD Ǆ", LCMAP_LOWERCASE, kGerman), u"hello, wörld ǆ");
    // One code point for one: ß stays, and so does the dotted capital I's length.
    EXPECT_EQ(Map(u"straße", LCMAP_UPPERCASE, kGerman), u"STRAßE");
    EXPECT_EQ(Map(u"\u0130", LCMAP_LOWERCASE, kGerman).size(), 1u);
    // Letters beyond the BMP map too; an unpaired surrogate stays.
    EXPECT_EQ(Map(u"\U00010428\xD800", LCMAP_UPPERCASE, kGerman), u"\U00010400\xD800");
    // Full-width letters have case.
    EXPECT_EQ(Map(u"ａ", LCMAP_UPPERCASE), u"Ａ");
}

TEST(TitleCase, FirstCharacterOfEachWordUpperTheRestLower) {
    EXPECT_EQ(text::TitleCase(u"hello world"), u"Hello World");
    EXPECT_EQ(text::TitleCase(u"hELLO wORLD"), u"Hello World");
    // Every separator starts a word; other punctuation does not.
    EXPECT_EQ(text::TitleCase(WithNulls(u"a\tb\nc\vd\fe\rf\0g h-i j.k")), WithNulls(u"A\tB\nC\vD\fE\rF\0G H-i J.k"));
    // A word starting with a non-letter keeps its letters lower.
    EXPECT_EQ(text::TitleCase(u"1ST (PLACE)  éTÉ"), u"1st (place)  Été");
    EXPECT_EQ(text::TitleCase(u""), u"");
    EXPECT_EQ(Map(u"hello WORLD", LCMAP_TITLECASE, kGerman), u"Hello World");
}

TEST(WidthMapping, AsciiAndSpaceToFullWidthAndBack) {
    EXPECT_EQ(Map(u"Ab1 ~\\", LCMAP_FULLWIDTH), u"Ａｂ１\u3000～＼");
    EXPECT_EQ(Map(u"Ａｂ１\u3000～＼", LCMAP_HALFWIDTH), u"Ab1 ~\\");
    std::u16string ascii;
    for (char16_t c = 0x21; c <= 0x7E; ++c) ascii.push_back(c);
    std::u16string wide = Map(ascii, LCMAP_FULLWIDTH);
    for (size_t i = 0; i < ascii.size(); ++i) EXPECT_EQ(wide[i], ascii[i] + 0xFEE0) << i;
    EXPECT_EQ(Map(wide, LCMAP_HALFWIDTH), ascii);
    // Signs with a wide form.
    EXPECT_EQ(Map(u"¢£¥", LCMAP_FULLWIDTH), u"￠￡￥");
}

TEST(WidthMapping, KatakanaWithSoundMarks) {
    EXPECT_EQ(Map(u"ｶﾞｷﾞﾊﾟｱ", LCMAP_FULLWIDTH), u"ガギパア");
    EXPECT_EQ(Map(u"ガギパアヴ", LCMAP_HALFWIDTH), u"ｶﾞｷﾞﾊﾟｱｳﾞ");
    // A mark that cannot join the kana before it stands alone as a spacing mark.
    EXPECT_EQ(Map(u"ｱﾞﾟ", LCMAP_FULLWIDTH), u"ア゛゜");
    EXPECT_EQ(Map(u"゛゜", LCMAP_HALFWIDTH), u"ﾞﾟ");
    EXPECT_EQ(Map(u"｡｢｣､･ｰ", LCMAP_FULLWIDTH), u"。「」、・ー");
    // Hiragana has no half-width form.
    EXPECT_EQ(Map(u"がぎ", LCMAP_HALFWIDTH), u"がぎ");
    // Half-width Hangul letters.
    EXPECT_EQ(Map(u"\uFFA1", LCMAP_FULLWIDTH), u"\u3131");
}

TEST(KanaMapping, HiraganaAndKatakana) {
    EXPECT_EQ(Map(u"ひらがな ぁゖゝゞ", LCMAP_KATAKANA), u"ヒラガナ ァヶヽヾ");
    EXPECT_EQ(Map(u"カタカナ ァヶヽヾ", LCMAP_HIRAGANA), u"かたかな ぁゖゝゞ");
    // Katakana without a hiragana form, and half-width katakana, stay.
    EXPECT_EQ(Map(u"ヷヺｶ", LCMAP_HIRAGANA), u"ヷヺｶ");
}

TEST(KanaMapping, CombinedWithWidth) {
    // Full width first, then kana; kana first, then half width.
    EXPECT_EQ(Map(u"ｶﾞ", LCMAP_FULLWIDTH | LCMAP_HIRAGANA), u"が");
    EXPECT_EQ(Map(u"が", LCMAP_HALFWIDTH | LCMAP_KATAKANA), u"ｶﾞ");
    EXPECT_EQ(Map(u"abc", LCMAP_FULLWIDTH | LCMAP_UPPERCASE), u"ＡＢＣ");
}

TEST(LCMapStringW, CountsAndBuffers) {
    WCHAR buffer[8] = {};
    EXPECT_EQ(LCMapStringW(kGerman, LCMAP_UPPERCASE, u"abc", -1, nullptr, 0), 4);
    ASSERT_EQ(LCMapStringW(kGerman, LCMAP_UPPERCASE, u"abc", -1, buffer, 8), 4);
    EXPECT_EQ(std::u16string(buffer, 4), std::u16string(u"ABC\0", 4));
    // Half width can make the text longer.
    EXPECT_EQ(LCMapStringW(kJapanese, LCMAP_HALFWIDTH, u"ガ", 1, nullptr, 0), 2);
    SetLastError(0);
    EXPECT_EQ(LCMapStringW(kJapanese, LCMAP_HALFWIDTH, u"ガ", 1, buffer, 1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(LCMapStringW(kGerman, LCMAP_UPPERCASE, u"abc", 0, buffer, 8), 0);
    EXPECT_EQ(GetLastError(), 87u);
    EXPECT_EQ(LCMapStringW(kGerman, LCMAP_UPPERCASE, nullptr, 1, buffer, 8), 0);
    EXPECT_EQ(GetLastError(), 87u);
}

TEST(LCMapStringW, FlagRules) {
    WCHAR buffer[8];
    for (DWORD flags : {DWORD{0}, LCMAP_HIRAGANA | LCMAP_KATAKANA, LCMAP_HALFWIDTH | LCMAP_FULLWIDTH,
                        DWORD{0x00000400} /* sort key */, DWORD{0x01000000} /* linguistic casing */}) {
        SetLastError(0);
        EXPECT_EQ(LCMapStringW(kJapanese, flags, u"a", 1, buffer, 8), 0) << std::hex << flags;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS) << std::hex << flags;
    }
    EXPECT_THROW(text::MapString(u"a", LCMAP_HIRAGANA | LCMAP_KATAKANA, kJapanese), ComError);
}

TEST(Lcid, UnknownLcidIsAnInvalidParameter) {
    WCHAR buffer[8];
    SetLastError(0);
    EXPECT_EQ(LCMapStringW(0x1234, LCMAP_UPPERCASE, u"a", 1, buffer, 8), 0);
    EXPECT_EQ(GetLastError(), 87u);
    EXPECT_EQ(LCMapStringW(0x2000, LCMAP_UPPERCASE, u"a", 1, buffer, 8), 0);
    try {
        text::MapString(u"a", LCMAP_UPPERCASE, 0x1234);
        FAIL() << "no error";
    } catch (const ComError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_FALSE(text::LocaleNameForLcid(0x1234));
    EXPECT_FALSE(text::AnsiCodePageForLcid(0x1234));
}

TEST(Lcid, IcuLocaleNames) {
    EXPECT_EQ(text::LocaleNameForLcid(0x0409), "en_US");
    EXPECT_EQ(text::LocaleNameForLcid(kGerman), "de_DE");
    EXPECT_EQ(text::LocaleNameForLcid(kJapanese), "ja_JP");
    EXPECT_EQ(text::LocaleNameForLcid(0x0804), "zh_CN");
    EXPECT_EQ(text::LocaleNameForLcid(0x0404), "zh_Hant_TW");
}

TEST(Lcid, DefaultLcidsStandForTheProcessLocale) {
    testsupport::ScopedEnv env;
    env.set("LC_ALL", std::nullopt).set("LC_CTYPE", std::nullopt);
    env.set("LANG", "de_DE.UTF-8");
    EXPECT_EQ(GetUserDefaultLCID(), kGerman);
    EXPECT_EQ(GetSystemDefaultLCID(), kGerman);
    for (LCID lcid : {LCID{0}, LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT}) {
        EXPECT_EQ(text::LocaleNameForLcid(lcid), "de_DE");
        EXPECT_EQ(text::AnsiCodePageForLcid(lcid), 1252u);
    }
    env.set("LC_ALL", "ja_JP.eucJP");
    EXPECT_EQ(GetUserDefaultLCID(), kJapanese);
    EXPECT_EQ(text::AnsiCodePageForLcid(0), 932u);
    env.set("LC_ALL", "C");
    EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
    EXPECT_EQ(text::LocaleNameForLcid(LOCALE_USER_DEFAULT), "en_US");
}

TEST(Lcid, AnsiCodePages) {
    struct Case {
        LCID lcid;
        UINT codePage;
    };
    for (const Case& c : {Case{0x0411, 932}, Case{0x0804, 936}, Case{0x1004, 936}, Case{0x0412, 949},
                          Case{0x0404, 950}, Case{0x0C04, 950}, Case{0x0405, 1250}, Case{0x0415, 1250},
                          Case{0x041A, 1250}, Case{0x081A, 1250}, Case{0x0C1A, 1251}, Case{0x0419, 1251},
                          Case{0x0422, 1251}, Case{0x0402, 1251}, Case{0x0408, 1253}, Case{0x041F, 1254},
                          Case{0x042C, 1254}, Case{0x082C, 1251}, Case{0x040D, 1255}, Case{0x0401, 1256},
                          Case{0x0429, 1256}, Case{0x0425, 1257}, Case{0x0427, 1257}, Case{0x042A, 1258},
                          Case{0x041E, 874}, Case{0x0409, 1252}, Case{0x0407, 1252}, Case{0x040C, 1252},
                          Case{0x10407, 1252}}) {
        EXPECT_EQ(text::AnsiCodePageForLcid(c.lcid), c.codePage) << std::hex << c.lcid;
    }
}

}  // namespace
