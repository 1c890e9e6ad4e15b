// 65001: valid UTF-8 both ways, and no byte string ever lost on a round trip.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/automation/utf.h"
#include "platform/text/codepage.h"

namespace {

std::u16string Decode(const std::string& bytes) { return text::BytesToText(bytes, CP_UTF8); }
std::string Encode(const std::u16string& text) { return text::TextToBytes(text, CP_UTF8); }

TEST(Utf8, ValidSequencesOfEveryLength) {
    const std::string bytes = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF\xEF\xBF\xBF";
    const std::u16string text = u"A\u00E9\u20AC\U0001F600\U0010FFFF\uFFFF";
    EXPECT_EQ(Decode(bytes), text);
    EXPECT_EQ(Encode(text), bytes);
}

TEST(Utf8, EverySingleByteRoundTrips) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::string bytes(1, static_cast<char>(byte));
        std::u16string text = Decode(bytes);
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0], byte < 0x80 ? char16_t(byte) : char16_t(0xDC00 + byte)) << byte;
        EXPECT_EQ(Encode(text), bytes) << byte;
    }
}

TEST(Utf8, InvalidSequencesEscapeEachByte) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"overlong slash", "\xC0\xAF", u"\xDCC0\xDCAF"},
        {"overlong three bytes", "\xE0\x80\xAF", u"\xDCE0\xDC80\xDCAF"},
        {"encoded surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
        {"truncated then ASCII", "\xE2\x82" "A", u"\xDCE2\xDC82" u"A"},
        {"stray continuation", "\x80" "b", u"\xDC80" u"b"},
        {"lead byte then valid sequence", "\xE2\xE2\x82\xAC", u"\xDCE2\u20AC"},
        {"truncated at the end", "x\xF0\x9F\x98", u"x\xDCF0\xDC9F\xDC98"},
        {"bytes never used", "\xF5\xFF\xFE", u"\xDCF5\xDCFF\xDCFE"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decode(c.bytes), c.text) << c.name;
        EXPECT_EQ(Encode(c.text), c.bytes) << c.name;
    }
}

// Random byte strings of three leanings: any bytes, bytes from 0x80 up (where sequences are
// made and broken), and ASCII runs of every length with such bytes between them (where the
// block-wise copying of ASCII meets the rest). Each decodes as the plain decoder does and
// comes back whole.
TEST(Utf8, RandomByteStringsDecodeAsThePlainDecoderAndRoundTrip) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> length(0, 64);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> highByte(0x80, 0xFF);
    std::uniform_int_distribution<int> asciiByte(0, 0x7F);
    for (int round = 0; round < 6000; ++round) {
        std::string bytes;
        int n = length(random);
        for (int i = 0; i < n; ++i) {
            switch (round % 3) {
            case 0: bytes.push_back(static_cast<char>(anyByte(random))); break;
            case 1: bytes.push_back(static_cast<char>(highByte(random))); break;
            default:
                for (int run = length(random) / 2; run > 0; --run) bytes.push_back(static_cast<char>(asciiByte(random)));
                bytes.push_back(static_cast<char>(highByte(random)));
            }
        }
        std::u16string text = Decode(bytes);
        ASSERT_EQ(text, automation::Utf8ToUtf16(bytes)) << "round " << round;
        ASSERT_EQ(Encode(text), bytes) << "round " << round;
    }
}

TEST(Utf8, OtherUnpairedSurrogatesGoOutAsReplacementCharacter) {
    EXPECT_EQ(Encode(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Encode(u"\xDC7F\xDD00\xDFFF"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(Encode(u"\xDBFF"), "\xEF\xBF\xBD");
    // A reversed pair is two unpaired surrogates.
    EXPECT_EQ(Encode(u"\xDE00\xD83D"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, LongTextsKeepPairsWholeWhereverTheyFall) {
    for (size_t before = 4090; before < 4100; ++before) {
        const std::u16string text = std::u16string(before, u'a') + u"\U0001F600\xD800" u"b\xDC80";
        EXPECT_EQ(Encode(text), std::string(before, 'a') + "\xF0\x9F\x98\x80\xEF\xBF\xBD" "b\x80") << before;
        EXPECT_EQ(Decode(std::string(before, 'a') + "\xF0\x9F\x98\x80\x80" "b"),
                  std::u16string(before, u'a') + u"\U0001F600\xDC80" u"b")
            << before;
    }
}

TEST(Utf8, StrictFlagsFailInsteadOfEscaping) {
    WCHAR wide[8];
    char bytes[8];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, wide, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xC3\xA9", 3, wide, 8), 2);
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, u"a\xDCFF", 2, bytes, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, u"a\U0001F600", 3, bytes, 8, nullptr, nullptr), 5);
}

TEST(Utf8, CountsAreCodeUnitsAndBytes) {
    const char bytes[] = "\xF0\x9F\x98\x80\xFF";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, bytes, -1, nullptr, 0), 4);  // pair, escape, null
    WCHAR wide[4];
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, bytes, -1, wide, 4), 4);
    EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"\U0001F600\xDCFF\0", 4));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr), 6);
}

}  // namespace
