#include "engine/default_definition.h"

#include <gtest/gtest.h>

namespace {

TEST(GetHLX, MapsTheVisualBasicExtensionsToVb) {
    for (const char16_t* name : {u"a.vb", u"m.bas", u"c.ctl", u"k.cls", u"s.vbs"})
        EXPECT_EQ(GetHLX(name), u"vb.hlx") << std::string(name, name + 5);
}

TEST(GetHLX, MapsThePageExtensionsToAsp) {
    for (const char16_t* name : {u"p.asp", u"p.htm", u"p.html"}) EXPECT_EQ(GetHLX(name), u"asp.hlx");
}

TEST(GetHLX, TreatsCapitalsLikeLowerCase) {
    EXPECT_EQ(GetHLX(u"MODULE.BAS"), u"vb.hlx");
    EXPECT_EQ(GetHLX(u"Index.Html"), u"asp.hlx");
    EXPECT_EQ(GetHLX(u"Main.C"), u"c.hlx");
    EXPECT_EQ(GetHLX(u"x.ÄBC"), u"äbc.hlx");
}

TEST(GetHLX, OtherExtensionsNameTheirOwnFile) {
    EXPECT_EQ(GetHLX(u"/src/main.cpp"), u"cpp.hlx");
    EXPECT_EQ(GetHLX(u"archive.tar.gz"), u"gz.hlx");
    EXPECT_EQ(GetHLX(u"/home/u/.bashrc"), u"bashrc.hlx");
}

TEST(GetHLX, NoExtensionGivesOnlyTheExtension) {
    EXPECT_EQ(GetHLX(u"Makefile"), u".hlx");
    EXPECT_EQ(GetHLX(u"trailing."), u".hlx");
    EXPECT_EQ(GetHLX(u"/some.dir/README"), u".hlx");
    EXPECT_EQ(GetHLX(u""), u".hlx");
}

}  // namespace
