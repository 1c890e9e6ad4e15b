#include "platform/automation/guid.h"

#include <gtest/gtest.h>

#include <set>

TEST(Guid, FormatsAndParsesTheRegistryForm) {
    const GUID g{0x43F1E102, 0xA5D6, 0x11D2, {0x9C, 0x68, 0x00, 0x10, 0x5A, 0x32, 0x30, 0xAF}};
    EXPECT_EQ(GuidToString(g), u"{43F1E102-A5D6-11D2-9C68-00105A3230AF}");
    auto back = GuidFromString(u"{43f1e102-a5d6-11d2-9c68-00105a3230af}");
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, g);
    OLECHAR buf[39];
    EXPECT_EQ(StringFromGUID2(g, buf, 39), 39);
    EXPECT_EQ(std::u16string(buf), GuidToString(g));
    EXPECT_EQ(StringFromGUID2(g, buf, 38), 0);
}

TEST(Guid, MalformedTextIsRefused) {
    for (const char16_t* bad : {u"", u"43F1E102-A5D6-11D2-9C68-00105A3230AF", u"{43F1E102-A5D6-11D2-9C68-00105A3230A}",
                                u"{43F1E102-A5D6-11D2-9C68-00105A3230AG}", u"{43F1E102+A5D6-11D2-9C68-00105A3230AF}",
                                u"{43F1E102-A5D6-11D2-9C68-00105A3230AF}x", u"Tavrel.Dictionary"}) {
        EXPECT_FALSE(GuidFromString(bad)) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
        CLSID c;
        EXPECT_EQ(CLSIDFromString(bad, &c), CO_E_CLASSSTRING);
        IID i;
        EXPECT_EQ(IIDFromString(bad, &i), E_INVALIDARG);
    }
}

TEST(Guid, NewGuidsAreRandomVersionFour) {
    std::set<std::u16string> seen;
    for (int i = 0; i < 100; ++i) {
        GUID g;
        ASSERT_EQ(CoCreateGuid(&g), S_OK);
        EXPECT_EQ(g.Data3 >> 12, 4);
        EXPECT_EQ(g.Data4[0] >> 6, 2);
        seen.insert(GuidToString(g));
    }
    EXPECT_EQ(seen.size(), 100u);
}
