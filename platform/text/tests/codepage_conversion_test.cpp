// MultiByteToWideChar and WideCharToMultiByte: counts, size queries, buffers, flags, default
// characters, and the code pages that come from ICU.
#include <gtest/gtest.h>

#include <string>

#include "platform/automation/error.h"
#include "platform/text/codepage.h"
#include "tests/support/scoped_env.h"

namespace {

constexpr DWORD kInvalidParameter = 87;

TEST(MultiByteToWideChar, NullTerminatedInputCountsTheNull) {
    WCHAR buffer[8] = {};
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "ab\xE9", -1, nullptr, 0), 4);
    ASSERT_EQ(MultiByteToWideChar(1252, 0, "ab\xE9", -1, buffer, 8), 4);
    EXPECT_EQ(std::u16string(buffer, 4), std::u16string(u"ab\u00E9\0", 4));
}

TEST(MultiByteToWideChar, CountedInputKeepsEmbeddedNulls) {
    WCHAR buffer[4] = {u'x', u'x', u'x', u'x'};
    ASSERT_EQ(MultiByteToWideChar(850, 0, "a\0b", 3, buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer, 4), std::u16string(u"a\0bx", 4));
}

TEST(MultiByteToWideChar, TooSmallBufferFailsAndWritesNothing) {
    WCHAR buffer[2] = {u'x', u'x'};
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, buffer, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(buffer[0], u'x');
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, buffer, 3 - 1), 0);
}

TEST(MultiByteToWideChar, BadArgumentsFailWithInvalidParameter) {
    WCHAR buffer[4];
    struct Case {
        UINT codePage;
        const char* input;
        int inputCount;
        WCHAR* output;
        int outputCount;
    };
    for (const Case& c : {Case{1252, nullptr, 1, buffer, 4}, Case{1252, "a", 0, buffer, 4},
                          Case{1252, "a", -2, buffer, 4}, Case{1252, "a", 1, buffer, -1},
                          Case{1252, "a", 1, nullptr, 4}, Case{12345, "a", 1, buffer, 4},
                          Case{1200, "a", 1, buffer, 4}}) {
        SetLastError(0);
        EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.input, c.inputCount, c.output, c.outputCount), 0);
        EXPECT_EQ(GetLastError(), kInvalidParameter) << "code page " << c.codePage;
    }
}

TEST(MultiByteToWideChar, UnsupportedFlagsFail) {
    WCHAR buffer[4];
    for (DWORD flags : {MB_COMPOSITE, MB_USEGLYPHCHARS, DWORD{0x100}}) {
        SetLastError(0);
        EXPECT_EQ(MultiByteToWideChar(1252, flags, "a", 1, buffer, 4), 0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    }
    EXPECT_EQ(MultiByteToWideChar(1252, MB_PRECOMPOSED, "a", 1, buffer, 4), 1);
    // 65001 takes only the error flag.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, buffer, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

TEST(MultiByteToWideChar, AliasesFollowTheSettings) {
    testsupport::ScopedEnv env;
    env.set("TAVREL_ACP", "1252").set("TAVREL_OEMCP", "850");
    WCHAR wide = 0;
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x91", 1, &wide, 1), 1);
    EXPECT_EQ(wide, u'\u2018');
    ASSERT_EQ(MultiByteToWideChar(CP_THREAD_ACP, 0, "\x91", 1, &wide, 1), 1);
    EXPECT_EQ(wide, u'\u2018');
    ASSERT_EQ(MultiByteToWideChar(CP_OEMCP, 0, "\x91", 1, &wide, 1), 1);
    EXPECT_EQ(wide, u'\u00E6');
}

TEST(WideCharToMultiByte, SizesAndBuffers) {
    char buffer[8] = {};
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u00E9t\u00E9", -1, nullptr, 0, nullptr, nullptr), 4);
    ASSERT_EQ(WideCharToMultiByte(1252, 0, u"\u00E9t\u00E9", -1, buffer, 8, nullptr, nullptr), 4);
    EXPECT_EQ(std::string(buffer, 4), std::string("\xE9t\xE9\0", 4));
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u00E9t\u00E9", 3, buffer, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    // Three UTF-8 bytes for one character: the size counts bytes.
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", 1, nullptr, 0, nullptr, nullptr), 3);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", 1, buffer, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(WideCharToMultiByte, MissingCharactersBecomeTheDefaultCharacter) {
    char buffer[8] = {};
    BOOL used = 0;
    // No best fit: the Greek alpha does not become "a", and a surrogate pair is one character.
    ASSERT_EQ(WideCharToMultiByte(1252, 0, u"a\u03B1\U0001F600b", 5, buffer, 8, nullptr, &used), 4);
    EXPECT_EQ(std::string(buffer, 4), "a??b");
    EXPECT_EQ(used, 1);
    ASSERT_EQ(WideCharToMultiByte(1252, 0, u"a\u03B1", 2, buffer, 8, "*", &used), 2);
    EXPECT_EQ(std::string(buffer, 2), "a*");
    ASSERT_EQ(WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, u"ab", 2, buffer, 8, "*", &used), 2);
    EXPECT_EQ(used, 0);
    // An unpaired surrogate is missing too.
    ASSERT_EQ(WideCharToMultiByte(850, 0, u"\xD800x", 2, buffer, 8, nullptr, &used), 2);
    EXPECT_EQ(std::string(buffer, 2), "?x");
}

TEST(WideCharToMultiByte, Utf8RefusesDefaultCharactersAndOtherFlags) {
    char buffer[8];
    BOOL used = 0;
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, buffer, 8, "?", nullptr), 0);
    EXPECT_EQ(GetLastError(), kInvalidParameter);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, buffer, 8, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), kInvalidParameter);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, u"a", 1, buffer, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    // The error flag is for 65001 only.
    EXPECT_EQ(WideCharToMultiByte(1252, WC_ERR_INVALID_CHARS, u"a", 1, buffer, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"a", 1, buffer, 8, "", nullptr), 0);
    EXPECT_EQ(GetLastError(), kInvalidParameter);
}

TEST(IcuCodePages, SingleByteCodePagesFromIcu) {
    EXPECT_EQ(text::BytesToText("\xC0\xE0\xA8", 1251), u"\u0410\u0430\u0401");
    EXPECT_EQ(text::TextToBytes(u"\u0416\u00E9", 1251), "\xC6?");
    EXPECT_EQ(text::BytesToText("\xC1\xE1", 1253), u"\u0391\u03B1");
    EXPECT_EQ(text::BytesToText("\xA1", 874), u"\u0E01");
    // The question mark for a missing character is the code page's own (0x6F in EBCDIC 037).
    EXPECT_EQ(text::TextToBytes(u"A\u0416", 37), "\xC1\x6F");
    // ICU's IBM table for 866 rotates the controls; the platform keeps them as in ASCII.
    EXPECT_EQ(text::BytesToText("\x1A\x1C\x7F\x80", 866), u"\x1A\x1C\x7F\u0410");
}

TEST(IcuCodePages, DoubleByteCodePages) {
    // Shift-JIS "日本" and a half-width katakana.
    EXPECT_EQ(text::BytesToText("\x93\xFA\x96\x7B\xB1", 932), u"\u65E5\u672C\uFF71");
    EXPECT_EQ(text::TextToBytes(u"\u65E5\u672C", 932), "\x93\xFA\x96\x7B");
    EXPECT_EQ(text::BytesToText("\xC4\xE3", 936), u"\u4F60");
    EXPECT_EQ(text::BytesToText("\xB0\xA1", 949), u"\uAC00");
    EXPECT_EQ(text::BytesToText("\xA4\x40", 950), u"\u4E00");
    // A missing character is "?" (one byte), and a size query counts the bytes.
    EXPECT_EQ(text::TextToBytes(u"a\u00E9\u65E5", 932), "a?\x93\xFA");
    EXPECT_EQ(WideCharToMultiByte(932, 0, u"\u65E5\u672C", 2, nullptr, 0, nullptr, nullptr), 4);
    BOOL used = 0;
    char buffer[8];
    ASSERT_EQ(WideCharToMultiByte(932, 0, u"\u00E9", 1, buffer, 8, "*", &used), 1);
    EXPECT_EQ(buffer[0], '*');
    EXPECT_EQ(used, 1);
}

TEST(IcuCodePages, UndefinedBytesBecomeQuestionMarksOrFail) {
    // A lead byte at the end, and a byte 1253 leaves undefined.
    EXPECT_EQ(text::BytesToText("a\x93", 932), u"a?");
    EXPECT_EQ(text::BytesToText("\xD2", 1253), u"?");
    WCHAR buffer[4];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, "a\x93", 2, buffer, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(MultiByteToWideChar(1253, MB_ERR_INVALID_CHARS, "\xD2", 1, buffer, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(IsValidCodePage, KnownAndUnknownNumbers) {
    for (UINT cp : {437u, 850u, 1252u, 65001u, 1250u, 1258u, 874u, 932u, 936u, 949u, 950u, 28591u, 20866u}) {
        EXPECT_TRUE(IsValidCodePage(cp)) << cp;
    }
    for (UINT cp : {0u, 1u, 2u, 3u, 1200u, 1201u, 12000u, 12345u, 65535u}) {
        EXPECT_FALSE(IsValidCodePage(cp)) << cp;
    }
}

TEST(StringForms, UnavailableCodePageRaisesInvalidProcedureCall) {
    try {
        text::BytesToText("a", 12345);
        FAIL() << "no error";
    } catch (const ComError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_THROW(text::TextToBytes(u"a", 1200), ComError);
    EXPECT_EQ(text::BytesToText("", 1252), u"");
    EXPECT_EQ(text::TextToBytes(u"", 932), "");
}

TEST(StringForms, AnsiFormsFollowTheAnsiCodePage) {
    testsupport::ScopedEnv env;
    env.set("TAVREL_ACP", "1252");
    EXPECT_EQ(text::AnsiToText("\x80"), u"\u20AC");
    EXPECT_EQ(text::TextToAnsi(u"\u20AC\u0416"), "\x80?");
    env.set("TAVREL_ACP", "1251");
    EXPECT_EQ(text::AnsiToText("\x80"), u"\u0402");
    EXPECT_EQ(text::TextToAnsi(u"\u20AC\u0416"), "\x88\xC6");
}

}  // namespace
