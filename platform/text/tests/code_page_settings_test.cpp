// Which code pages the environment selects.
#include <gtest/gtest.h>

#include "platform/text/codepage.h"
#include "tests/support/scoped_env.h"

namespace {

using testsupport::ScopedEnv;

// A clean slate: no code page variables and the C locale.
class CodePageSettings : public ::testing::Test {
protected:
    CodePageSettings() {
        env.set("TAVREL_ACP", std::nullopt).set("TAVREL_OEMCP", std::nullopt);
        env.set("LC_ALL", std::nullopt).set("LC_CTYPE", std::nullopt).set("LANG", std::nullopt);
    }
    ScopedEnv env;
};

TEST_F(CodePageSettings, VariablesWin) {
    env.set("LC_ALL", "ru_RU.CP1251");
    env.set("TAVREL_ACP", "1252").set("TAVREL_OEMCP", "850");
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(GetOEMCP(), 850u);
    env.set("TAVREL_ACP", "932").set("TAVREL_OEMCP", "65001");
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_EQ(GetOEMCP(), 65001u);
}

TEST_F(CodePageSettings, DefaultsWithoutAnySetting) {
    EXPECT_EQ(GetACP(), CP_UTF8);
    EXPECT_EQ(GetOEMCP(), 437u);
}

TEST_F(CodePageSettings, LocaleCodesetGivesTheAnsiCodePage) {
    struct Case {
        const char* locale;
        UINT codePage;
    };
    for (const Case& c : {Case{"C", CP_UTF8}, Case{"POSIX", CP_UTF8}, Case{"C.UTF-8", CP_UTF8},
                          Case{"de_DE.UTF-8", CP_UTF8}, Case{"de_DE.utf8@euro", CP_UTF8},
                          Case{"ru_RU.CP1251", 1251u}, Case{"ru_RU.KOI8-R", 20866u},
                          Case{"de_DE.ISO-8859-1", 28591u}, Case{"fr_FR.ISO-8859-15@euro", 28605u},
                          Case{"zz_ZZ.CP1250", 1250u}, Case{"ja_JP.eucJP", 20932u},
                          Case{"zz_ZZ.NOT-A-CODESET", CP_UTF8}}) {
        env.set("LC_ALL", c.locale);
        EXPECT_EQ(GetACP(), c.codePage) << c.locale;
    }
}

TEST_F(CodePageSettings, LocaleVariablesInTheCLibrarysOrder) {
    env.set("LANG", "ru_RU.KOI8-R");
    EXPECT_EQ(GetACP(), 20866u);
    env.set("LC_CTYPE", "ru_RU.CP1251");
    EXPECT_EQ(GetACP(), 1251u);
    env.set("LC_ALL", "C.UTF-8");
    EXPECT_EQ(GetACP(), CP_UTF8);
}

TEST_F(CodePageSettings, UnusableValuesAreIgnored) {
    env.set("LC_ALL", "ru_RU.CP1251");
    for (const char* value : {"", "abc", "12345", "1200", "0", "1252x", "-1", "999999"}) {
        env.set("TAVREL_ACP", value).set("TAVREL_OEMCP", value);
        EXPECT_EQ(GetACP(), 1251u) << value;
        EXPECT_EQ(GetOEMCP(), 437u) << value;
    }
}

TEST_F(CodePageSettings, ConversionsSeeAChangeAtOnce) {
    WCHAR wide = 0;
    env.set("TAVREL_ACP", "1252");
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xC0", 1, &wide, 1), 1);
    EXPECT_EQ(wide, u'\u00C0');
    env.set("TAVREL_ACP", "1251");
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xC0", 1, &wide, 1), 1);
    EXPECT_EQ(wide, u'\u0410');
}

}  // namespace
