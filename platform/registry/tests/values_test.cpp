// Setting, querying and deleting values: types, sizes, names and buffer sizes.
#include <gtest/gtest.h>

#include <numeric>

#include "platform/registry/registry.h"
#include "platform/registry/tests/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace regtest;

namespace {

class ValuesTest : public ::testing::Test {
protected:
    testsupport::TempRegistry registry_;
    Key key_ = CreateKey(HKEY_CURRENT_USER, u"Software\\Maker\\Product");
};

std::vector<BYTE> Bytes(std::initializer_list<int> values) {
    std::vector<BYTE> bytes;
    for (int v : values) bytes.push_back(static_cast<BYTE>(v));
    return bytes;
}

TEST_F(ValuesTest, EveryTypeKeepsItsNumberAndBytes) {
    struct Case {
        const char16_t* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Case cases[] = {
        {u"text", REG_SZ, Bytes({'h', 0, 'i', 0, 0, 0})},
        {u"binary", REG_BINARY, Bytes({0, 255, 0, 7})},
        {u"number", REG_DWORD, Bytes({0x78, 0x56, 0x34, 0x12})},
        {u"multi", REG_MULTI_SZ, Bytes({'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0})},
        {u"expand", REG_EXPAND_SZ, Bytes({'%', 0, 0, 0})},
        {u"qword", REG_QWORD, Bytes({1, 2, 3, 4, 5, 6, 7, 8})},
        {u"odd type", 0x12345678, Bytes({9})},
        {u"short number", REG_DWORD, Bytes({1, 2})},
        {u"empty", REG_BINARY, {}},
    };
    for (const Case& c : cases)
        ASSERT_EQ(RegSetValueExW(key_, c.name, 0, c.type, c.data.data(), static_cast<DWORD>(c.data.size())),
                  ERROR_SUCCESS);
    for (const Case& c : cases) {
        std::optional<Value> value = QueryValue(key_, c.name);
        ASSERT_TRUE(value) << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST_F(ValuesTest, QueryGivesTypeAndSizeFirstThenTheData) {
    ASSERT_EQ(SetString(key_, u"name", u"abcdef"), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExW(key_, u"name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 14u);
    EXPECT_EQ(RegQueryValueExW(key_, u"name", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);

    std::vector<BYTE> buffer(20, 0xAA);
    size = 13;
    type = 0;
    EXPECT_EQ(RegQueryValueExW(key_, u"name", nullptr, &type, buffer.data(), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 14u);
    EXPECT_EQ(type, REG_SZ);
    size = 14;
    ASSERT_EQ(RegQueryValueExW(key_, u"name", nullptr, &type, buffer.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(buffer.data())), u"abcdef");
    EXPECT_EQ(buffer[14], 0xAA);
    size = 20;
    ASSERT_EQ(RegQueryValueExW(key_, u"name", nullptr, &type, buffer.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 14u);
}

TEST_F(ValuesTest, QueryRefusesBadArgumentsAndReportsMissingValues) {
    ASSERT_EQ(SetDword(key_, u"n", 5), ERROR_SUCCESS);
    BYTE buffer[4];
    DWORD reserved = 0, size = 4;
    EXPECT_EQ(RegQueryValueExW(key_, u"n", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key_, u"n", &reserved, nullptr, buffer, &size), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key_, u"missing", nullptr, nullptr, buffer, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetValueExW(key_, u"n", 0, REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegSetValueExW(key_, u"none", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    size = 4;
    EXPECT_EQ(RegQueryValueExW(key_, u"none", nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
}

TEST_F(ValuesTest, NullAndEmptyNamesBothMeanTheDefaultValue) {
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key_, nullptr, nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(SetString(key_, nullptr, u"default"), ERROR_SUCCESS);
    EXPECT_EQ(QueryString(key_, u""), u"default");
    ASSERT_EQ(SetString(key_, u"", u"changed"), ERROR_SUCCESS);
    EXPECT_EQ(QueryString(key_, nullptr), u"changed");
    EXPECT_EQ(ValueNames(key_), std::vector<std::u16string>{u""});
    ASSERT_EQ(RegDeleteValueW(key_, nullptr), ERROR_SUCCESS);
    EXPECT_FALSE(QueryValue(key_, u"").has_value());
}

TEST_F(ValuesTest, ValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
    ASSERT_EQ(SetString(key_, u"LastFolder", u"one"), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key_, u"LASTFOLDER", u"two"), ERROR_SUCCESS);
    EXPECT_EQ(QueryString(key_, u"lastfolder"), u"two");
    EXPECT_EQ(ValueNames(key_), std::vector<std::u16string>{u"LastFolder"});
}

TEST_F(ValuesTest, AValueNameMayHoldBackslashes) {
    ASSERT_EQ(SetString(key_, u"a\\b\\", u"x"), ERROR_SUCCESS);
    EXPECT_EQ(QueryString(key_, u"A\\B\\"), u"x");
    EXPECT_TRUE(SubkeyNames(key_).empty());
    EXPECT_FALSE(QueryValue(key_, u"a\\b").has_value());
}

TEST_F(ValuesTest, AValueAndASubkeyMayShareAName) {
    CreateKey(key_, u"Same");
    ASSERT_EQ(SetDword(key_, u"Same", 1), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyNames(key_), std::vector<std::u16string>{u"Same"});
    EXPECT_EQ(ValueNames(key_), std::vector<std::u16string>{u"Same"});
}

TEST_F(ValuesTest, DeletingAValueRemovesOnlyThatValue) {
    ASSERT_EQ(SetDword(key_, u"keep", 1), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key_, u"Drop", 2), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key_, u"DROP"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key_, u"drop"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ValueNames(key_), std::vector<std::u16string>{u"keep"});
}

TEST_F(ValuesTest, LargeDataRoundTrips) {
    std::vector<BYTE> data(100000);
    std::iota(data.begin(), data.end(), 0);
    ASSERT_EQ(RegSetValueExW(key_, u"big", 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    std::optional<Value> value = QueryValue(key_, u"big");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data, data);
}

TEST_F(ValuesTest, RootsHoldValuesToo) {
    ASSERT_EQ(SetDword(HKEY_LOCAL_MACHINE, u"atRoot", 9), ERROR_SUCCESS);
    EXPECT_TRUE(QueryValue(HKEY_LOCAL_MACHINE, u"atRoot").has_value());
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, u"atRoot").has_value());
}

}  // namespace
