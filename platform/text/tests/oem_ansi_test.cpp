// Byte translation between the OEM and the ANSI code page.
#include <gtest/gtest.h>

#include <string>

#include "platform/text/codepage.h"
#include "tests/support/scoped_env.h"

namespace {

std::string OemToAnsi(const std::string& oem) {
    std::string out(oem.size(), '\0');
    EXPECT_EQ(OemToCharBuffA(oem.data(), out.data(), static_cast<DWORD>(oem.size())), 1);
    return out;
}

std::string AnsiToOem(const std::string& ansi) {
    std::string out(ansi.size(), '\0');
    EXPECT_EQ(CharToOemBuffA(ansi.data(), out.data(), static_cast<DWORD>(ansi.size())), 1);
    return out;
}

class OemAnsi : public ::testing::Test {
protected:
    OemAnsi() { testsupport::ScopedEnv::westernPair(env); }
    testsupport::ScopedEnv env;
};

TEST_F(OemAnsi, WesternPairBothWays) {
    // OEM 0x91 is æ, ANSI 0xE6; 0x9B is ø, ANSI 0xF8; 0xE1 is ß, ANSI 0xDF.
    EXPECT_EQ(OemToAnsi("\x91\x9B\xE1"), "\xE6\xF8\xDF");
    EXPECT_EQ(AnsiToOem("\xE6\xF8\xDF"), "\x91\x9B\xE1");
    // ANSI 0x91 is U+2018, which 850 lacks; OEM 0xC9 is a box corner, which 1252 lacks.
    EXPECT_EQ(AnsiToOem("\x91"), "?");
    EXPECT_EQ(OemToAnsi("\xC9"), "?");
    EXPECT_EQ(OemToAnsi("plain ASCII\r\n"), "plain ASCII\r\n");
}

TEST_F(OemAnsi, EveryOemByteThatAnsiHasComesBack) {
    int kept = 0;
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::string oem(1, static_cast<char>(byte));
        std::string ansi = OemToAnsi(oem);
        if (ansi == "?" && byte != '?') continue;
        EXPECT_EQ(AnsiToOem(ansi), oem) << byte;
        ++kept;
    }
    // 850 holds all of Latin-1 but for its box drawing and a few signs.
    EXPECT_GT(kept, 200);
}

TEST_F(OemAnsi, InPlaceAndCountedTranslation) {
    char buffer[] = "\x91\x91xyz";
    ASSERT_EQ(OemToCharBuffA(buffer, buffer, 2), 1);
    EXPECT_EQ(std::string(buffer), "\xE6\xE6xyz");  // only two bytes translated
    ASSERT_EQ(OemToCharBuffA(buffer, buffer, 0), 1);
    EXPECT_EQ(std::string(buffer), "\xE6\xE6xyz");
}

TEST_F(OemAnsi, FollowsTheCurrentCodePages) {
    env.set("TAVREL_OEMCP", "437");
    EXPECT_EQ(OemToAnsi("\x9B"), "\xA2");  // 437's 0x9B is the cent sign
    env.set("TAVREL_ACP", "1251").set("TAVREL_OEMCP", "866");
    EXPECT_EQ(OemToAnsi("\x80\xA0"), "\xC0\xE0");  // Cyrillic A and a
    env.set("TAVREL_ACP", "65001").set("TAVREL_OEMCP", "850");
    // Into UTF-8 a character can need more bytes than the buffer has: the bytes that fit.
    EXPECT_EQ(OemToAnsi("\x91" "a"), "\xC3\xA6");
}

TEST_F(OemAnsi, NullPointersFail) {
    char buffer[4];
    SetLastError(0);
    EXPECT_EQ(OemToCharBuffA(nullptr, buffer, 1), 0);
    EXPECT_EQ(GetLastError(), 87u);
    EXPECT_EQ(CharToOemBuffA("a", nullptr, 1), 0);
}

}  // namespace
