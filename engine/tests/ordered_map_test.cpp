#include "engine/ordered_map.h"

#include <gtest/gtest.h>

using modHlx::OrderedMap;

namespace {

std::vector<std::u16string> Keys(const OrderedMap<int>& map) {
    std::vector<std::u16string> keys;
    for (const auto& entry : map) keys.push_back(entry.key);
    return keys;
}

TEST(OrderedMap, KeepsFirstInsertionOrderThroughReplacements) {
    OrderedMap<int> map;
    map.assign(u"b", 1);
    map.assign(u"a", 2);
    map.assign(u"c", 3);
    map.assign(u"b", 4);
    EXPECT_EQ(Keys(map), (std::vector<std::u16string>{u"b", u"a", u"c"}));
    EXPECT_EQ(map.get(u"b"), 4);
    EXPECT_EQ(map.size(), 3u);
}

TEST(OrderedMap, ComparesKeysExactly) {
    OrderedMap<int> map;
    map.assign(u"Key", 1);
    map.assign(u"key", 2);
    map.assign(u"Key ", 3);
    EXPECT_EQ(map.size(), 3u);
    EXPECT_EQ(map.get(u"Key"), 1);
    EXPECT_EQ(map.get(u"key"), 2);
    EXPECT_FALSE(map.contains(u"KEY"));
}

TEST(OrderedMap, ReadingAnAbsentKeyGivesAnEmptyValueAndAddsNothing) {
    OrderedMap<std::u16string> map;
    EXPECT_EQ(map.get(u"missing"), u"");
    EXPECT_EQ(map.find(u"missing"), nullptr);
    EXPECT_TRUE(map.empty());
}

TEST(OrderedMap, AddOfAPresentKeyFailsWith457AndKeepsTheOldValue) {
    OrderedMap<int> map;
    map.add(u"x", 1);
    try {
        map.add(u"x", 2);
        FAIL() << "a duplicate key was added";
    } catch (const ComError& error) {
        EXPECT_EQ(error.number(), 457);
        EXPECT_EQ(error.description(), u"This key is already associated with an element of this collection");
    }
    EXPECT_EQ(map.get(u"x"), 1);
    EXPECT_EQ(map.size(), 1u);
}

TEST(OrderedMap, ObtainAppendsAnEmptyValueOnlyOnce) {
    OrderedMap<std::vector<int>> map;
    map.obtain(u"list").push_back(1);
    map.obtain(u"list").push_back(2);
    map.obtain(u"other");
    EXPECT_EQ(map.get(u"list"), (std::vector<int>{1, 2}));
    EXPECT_EQ(map.size(), 2u);
}

TEST(OrderedMap, LookupStaysRightAfterManyAppends) {
    OrderedMap<int> map;
    for (int i = 0; i < 1000; ++i) map.add(std::u16string(1, char16_t(u'A' + i)), i);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(map.get(std::u16string(1, char16_t(u'A' + i))), i);
    EXPECT_EQ(map.at(999).key, std::u16string(1, char16_t(u'A' + 999)));
}

}  // namespace
