// Enumerating subkeys and values: order, buffer sizes and the end of the list.
#include <gtest/gtest.h>

#include <string>

#include "platform/registry/registry.h"
#include "platform/registry/store.h"
#include "platform/registry/tests/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace regtest;

namespace {

class EnumerationTest : public ::testing::Test {
protected:
    testsupport::TempRegistry registry_;
    Key key_ = CreateKey(HKEY_CURRENT_USER, u"List");
};

TEST_F(EnumerationTest, SubkeysComeInOrderOfTheirUpperCaseNames) {
    for (const char16_t* name : {u"beta", u"_under", u"Alpha", u"gamma", u"Zeta", u"delta", u"\u00E9cole", u"1st"})
        CreateKey(key_, name);
    // Upper-cased, "_" (0x5F) sorts after "Z" (0x5A) and the accented letter after both.
    EXPECT_EQ(SubkeyNames(key_), (std::vector<std::u16string>{u"1st", u"Alpha", u"beta", u"delta", u"gamma", u"Zeta",
                                                               u"_under", u"\u00E9cole"}));
}

TEST_F(EnumerationTest, ValuesComeInTheOrderTheyWereFirstSet) {
    for (const char16_t* name : {u"b", u"a", u"c", u"D"}) ASSERT_EQ(SetDword(key_, name, 1), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key_, u"B", 2), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key_), (std::vector<std::u16string>{u"b", u"a", u"c", u"D"}));
    ASSERT_EQ(RegDeleteValueW(key_, u"a"), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key_, u"A", 3), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key_), (std::vector<std::u16string>{u"b", u"c", u"D", u"A"}));
}

TEST_F(EnumerationTest, EnumKeyNeedsRoomForTheNameAndItsNull) {
    CreateKey(key_, u"Hello");
    char16_t buffer[8] = u"xxxxxxx";
    EXPECT_EQ(RegEnumKeyW(key_, 0, buffer, 5), ERROR_MORE_DATA);
    EXPECT_EQ(RegEnumKeyW(key_, 0, buffer, 6), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(buffer), u"Hello");
    EXPECT_EQ(RegEnumKeyW(key_, 1, buffer, 8), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKeyW(key_, 0, nullptr, 8), ERROR_INVALID_PARAMETER);
    Key empty = CreateKey(key_, u"Hello");
    EXPECT_EQ(RegEnumKeyW(empty, 0, buffer, 8), ERROR_NO_MORE_ITEMS);
}

TEST_F(EnumerationTest, EnumKeyExCountsCharactersBothWays) {
    CreateKey(key_, u"Hello");
    char16_t buffer[8];
    DWORD length = 5;
    EXPECT_EQ(RegEnumKeyExW(key_, 0, buffer, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(length, 5u);
    length = 6;
    ASSERT_EQ(RegEnumKeyExW(key_, 0, buffer, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(std::u16string(buffer), u"Hello");
    length = 8;
    EXPECT_EQ(RegEnumKeyExW(key_, 1, buffer, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    DWORD reserved = 0;
    EXPECT_EQ(RegEnumKeyExW(key_, 0, buffer, &length, &reserved, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumKeyExW(key_, 0, buffer, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(EnumerationTest, EnumValueWantsRoomForBothNameAndData) {
    std::vector<BYTE> data(3000, 0x5A);
    ASSERT_EQ(RegSetValueExW(key_, u"small", 0, REG_DWORD, data.data(), 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key_, u"large", 0, REG_BINARY, data.data(), 3000), ERROR_SUCCESS);
    char16_t name[8];
    std::vector<BYTE> buffer(2000);
    DWORD nameLength = 5, type = 0, size = 2000;
    EXPECT_EQ(RegEnumValueW(key_, 0, name, &nameLength, nullptr, &type, buffer.data(), &size), ERROR_MORE_DATA);
    nameLength = 6;
    ASSERT_EQ(RegEnumValueW(key_, 0, name, &nameLength, nullptr, &type, buffer.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(nameLength, 5u);
    EXPECT_EQ(std::u16string(name), u"small");
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);

    // Data larger than the buffer: the size needed comes back.
    nameLength = 8;
    size = 2000;
    EXPECT_EQ(RegEnumValueW(key_, 1, name, &nameLength, nullptr, &type, buffer.data(), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 3000u);
    // Without a data buffer only the size is asked for.
    nameLength = 8;
    size = 0;
    ASSERT_EQ(RegEnumValueW(key_, 1, name, &nameLength, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3000u);
    EXPECT_EQ(std::u16string(name, nameLength), u"large");
    EXPECT_EQ(type, REG_BINARY);

    nameLength = 8;
    EXPECT_EQ(RegEnumValueW(key_, 2, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumValueW(key_, 0, name, &nameLength, nullptr, nullptr, buffer.data(), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumValueW(key_, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(EnumerationTest, IndexesFollowChangesBetweenCalls) {
    CreateKey(key_, u"A");
    CreateKey(key_, u"C");
    char16_t buffer[4];
    ASSERT_EQ(RegEnumKeyW(key_, 1, buffer, 4), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(buffer), u"C");
    CreateKey(key_, u"B");
    ASSERT_EQ(RegEnumKeyW(key_, 1, buffer, 4), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(buffer), u"B");
}

// The engine steps one walk through all values and all subkeys of the key takes.
uint64_t StepsToEnumerate(HKEY key) {
    uint64_t before = tavrel::registry::StatementSteps();
    EXPECT_FALSE(ValueNames(key).empty());
    EXPECT_FALSE(SubkeyNames(key).empty());
    return tavrel::registry::StatementSteps() - before;
}

void AddEntries(HKEY key, int from, int to) {
    for (int i = from; i < to; ++i) {
        std::u16string name = u"n" + std::u16string(1, char16_t(u'A' + i % 26)) + std::u16string(i / 26 + 1, u'x');
        ASSERT_EQ(SetDword(key, name.c_str(), DWORD(i)), ERROR_SUCCESS);
        CreateKey(key, name.c_str());
    }
}

TEST_F(EnumerationTest, EachNextIndexCostsTheSameHoweverLongTheList) {
    AddEntries(key_, 0, 400);
    uint64_t steps400 = StepsToEnumerate(key_);
    AddEntries(key_, 400, 800);
    uint64_t steps800 = StepsToEnumerate(key_);
    // Twice the entries: twice the work when each step is constant, four times when quadratic.
    EXPECT_LT(double(steps800), 2.5 * double(steps400)) << steps400 << " then " << steps800;
}

// Index requests in any order on one or two handles, with changes in between, give what a
// fresh look at the list would.
TEST_F(EnumerationTest, IndexesInAnyOrderAndAcrossChangesFindTheRightEntry) {
    for (const char16_t* name : {u"a", u"b", u"c", u"d"}) {
        ASSERT_EQ(SetDword(key_, name, 1), ERROR_SUCCESS);
        CreateKey(key_, name);
    }
    Key other = CreateKey(HKEY_CURRENT_USER, u"List");
    auto valueAt = [](HKEY key, DWORD index) {
        char16_t name[8];
        DWORD length = 8;
        LSTATUS status = RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        return status == ERROR_SUCCESS ? std::u16string(name, length) : u"end";
    };
    auto subkeyAt = [](HKEY key, DWORD index) {
        char16_t name[8];
        return RegEnumKeyW(key, index, name, 8) == ERROR_SUCCESS ? std::u16string(name) : u"end";
    };
    EXPECT_EQ(valueAt(key_, 0), u"a");
    EXPECT_EQ(subkeyAt(key_, 0), u"a");
    EXPECT_EQ(valueAt(key_, 1), u"b");
    EXPECT_EQ(subkeyAt(key_, 1), u"b");
    EXPECT_EQ(valueAt(other, 2), u"c");
    EXPECT_EQ(valueAt(key_, 2), u"c");
    EXPECT_EQ(valueAt(key_, 1), u"b");
    EXPECT_EQ(valueAt(key_, 2), u"c");
    ASSERT_EQ(RegDeleteValueW(other, u"b"), ERROR_SUCCESS);
    EXPECT_EQ(valueAt(key_, 3), u"end");
    ASSERT_EQ(RegDeleteKeyW(other, u"a"), ERROR_SUCCESS);
    CreateKey(other, u"B2");
    EXPECT_EQ(subkeyAt(key_, 2), u"c");
    EXPECT_EQ(subkeyAt(key_, 3), u"d");
    EXPECT_EQ(subkeyAt(key_, 4), u"end");
    EXPECT_EQ(valueAt(key_, 2), u"d");
    EXPECT_EQ(valueAt(key_, 3), u"end");
}

}  // namespace
