// The embedded 1252, 850 and 437 tables against ICU's converters and glibc's iconv, and the
// conversion calls against the tables, byte by byte in both directions.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unicode/ucnv.h>

#include <optional>
#include <set>
#include <string>

#include "platform/text/codepage.h"
#include "platform/text/codepage_tables.h"

using text::detail::CodePageTable;

namespace {

// The character glibc's iconv gives for one byte, if it defines the byte.
std::optional<char16_t> IconvChar(const char* charset, unsigned byte) {
    iconv_t cd = iconv_open("UTF-16LE", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) ADD_FAILURE() << "iconv lacks " << charset;
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[8];
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || sizeof out - outLeft != 2) return std::nullopt;
    return static_cast<char16_t>(out[0] | (out[1] << 8));
}

// The character an ICU converter gives for one byte, if it defines the byte.
std::optional<char16_t> IcuChar(const char* converterName, unsigned byte) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(converterName, &error);
    if (U_FAILURE(error)) {
        ADD_FAILURE() << "ICU lacks " << converterName;
        return std::nullopt;
    }
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    char in = static_cast<char>(byte);
    UChar out[4];
    int32_t length = ucnv_toUChars(converter, out, 4, &in, 1, &error);
    ucnv_close(converter);
    if (U_FAILURE(error) || length != 1) return std::nullopt;
    return out[0];
}

struct TableCase {
    const char* name;
    UINT codePage;
    const CodePageTable* table;
    const char* iconvName;
    const char* icuName;
    std::set<unsigned> iconvDiffers;  // bytes where the platform and glibc disagree
    std::set<unsigned> icuDiffers;    // bytes where the platform and ICU disagree
};

const TableCase kCases[] = {
    {"cp1252", 1252, &text::detail::kCp1252, "CP1252", "windows-1252", {0x81, 0x8D, 0x8F, 0x90, 0x9D}, {}},
    // ICU's IBM tables rotate three control bytes; its 437 has U+03BC where the platform has U+00B5.
    {"cp850", 850, &text::detail::kCp850, "CP850", "ibm-850", {}, {0x1A, 0x1C, 0x7F}},
    {"cp437", 437, &text::detail::kCp437, "CP437", "ibm-437", {}, {0x1A, 0x1C, 0x7F, 0xE6}},
};

class CodePageTableTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(CodePageTableTest, MatchesIconvAndIcuExceptWhereThePlatformDiffers) {
    const TableCase& c = GetParam();
    for (unsigned byte = 0; byte < 256; ++byte) {
        char16_t expected = (*c.table)[byte];
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << byte);
        auto fromIconv = IconvChar(c.iconvName, byte);
        auto fromIcu = IcuChar(c.icuName, byte);
        if (c.iconvDiffers.count(byte)) {
            EXPECT_NE(fromIconv, std::optional<char16_t>(expected));
        } else {
            EXPECT_EQ(fromIconv, std::optional<char16_t>(expected));
        }
        if (c.icuDiffers.count(byte)) {
            EXPECT_NE(fromIcu, std::optional<char16_t>(expected));
        } else {
            EXPECT_EQ(fromIcu, std::optional<char16_t>(expected));
        }
    }
}

TEST_P(CodePageTableTest, EveryByteConvertsToItsCharacterAndBack) {
    const TableCase& c = GetParam();
    for (unsigned byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << byte);
        char in = static_cast<char>(byte);
        WCHAR wide = 0;
        ASSERT_EQ(MultiByteToWideChar(c.codePage, 0, &in, 1, &wide, 1), 1);
        EXPECT_EQ(wide, (*c.table)[byte]);
        char out = 0;
        BOOL usedDefault = 1;
        ASSERT_EQ(WideCharToMultiByte(c.codePage, 0, &wide, 1, &out, 1, nullptr, &usedDefault), 1);
        EXPECT_EQ(static_cast<unsigned char>(out), byte);
        EXPECT_EQ(usedDefault, 0);
    }
}

TEST_P(CodePageTableTest, EachCharacterHasOneByte) {
    std::set<char16_t> seen((*GetParam().table).begin(), (*GetParam().table).end());
    EXPECT_EQ(seen.size(), 256u);
}

INSTANTIATE_TEST_SUITE_P(Tables, CodePageTableTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodePage1252, UndefinedBytesStandForC1Controls) {
    const std::string bytes = "\x81\x8D\x8F\x90\x9D";
    EXPECT_EQ(text::BytesToText(bytes, 1252), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(text::TextToBytes(u"\u0081\u008D\u008F\u0090\u009D", 1252), bytes);
    // The other C1 controls are not in 1252.
    EXPECT_EQ(text::TextToBytes(u"\u0080\u0091\u009F", 1252), "???");
}

TEST(CodePage1252, NamedCharacters) {
    EXPECT_EQ(text::BytesToText("\x80\x91\x92\x99\xE6", 1252), u"\u20AC\u2018\u2019\u2122\u00E6");
    EXPECT_EQ(text::TextToBytes(u"\u20AC\u0160\u0178", 1252), "\x80\x8A\x9F");
}

TEST(CodePage850And437, LettersAndBoxDrawing) {
    EXPECT_EQ(text::BytesToText("\x91\x9B\xC9\xE1", 850), u"\u00E6\u00F8\u2554\u00DF");
    EXPECT_EQ(text::BytesToText("\x91\x9B\xC9\xE1\xE6", 437), u"\u00E6\u00A2\u2554\u00DF\u00B5");
    EXPECT_EQ(text::TextToBytes(u"\u00F8\u00B5", 850), "\x9B\xE6");
    // 437 has no ø and no euro sign.
    EXPECT_EQ(text::TextToBytes(u"\u00F8\u20AC", 437), "??");
}

}  // namespace
