// Opening and creating keys: paths, roots, names, handles and access rights.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/registry/registry.h"
#include "platform/registry/tests/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace regtest;

namespace {

class KeysTest : public ::testing::Test {
protected:
    testsupport::TempRegistry registry_;
};

DWORD CreateDisposition(HKEY parent, const char16_t* path) {
    Key key;
    DWORD disposition = 0;
    EXPECT_EQ(RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), &disposition),
              ERROR_SUCCESS);
    return disposition;
}

TEST_F(KeysTest, CreateMakesEveryMissingKeyAndTellsWhetherItWasNew) {
    EXPECT_EQ(CreateDisposition(HKEY_CURRENT_USER, u"Software\\Maker\\Product"), REG_CREATED_NEW_KEY);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Software"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Software\\Maker"));
    EXPECT_EQ(CreateDisposition(HKEY_CURRENT_USER, u"Software\\Maker\\Product"), REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(CreateDisposition(HKEY_CURRENT_USER, u"Software\\Maker\\Other"), REG_CREATED_NEW_KEY);
    EXPECT_EQ(SubkeyNames(CreateKey(HKEY_CURRENT_USER, u"Software\\Maker")),
              (std::vector<std::u16string>{u"Other", u"Product"}));
}

TEST_F(KeysTest, CreateAndOpenRelativeToAnOpenKey) {
    Key maker = CreateKey(HKEY_CURRENT_USER, u"Software\\Maker");
    Key settings = CreateKey(maker, u"Product\\Settings");
    ASSERT_EQ(SetString(settings, u"Last", u"file.asp"), ERROR_SUCCESS);
    Key reopened;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"Software\\Maker\\Product\\Settings", reopened), ERROR_SUCCESS);
    EXPECT_EQ(QueryString(reopened, u"Last"), u"file.asp");
}

TEST_F(KeysTest, OpeningAMissingKeyFailsAndClearsTheResult) {
    CreateKey(HKEY_CURRENT_USER, u"Software");
    HKEY key = reinterpret_cast<HKEY>(static_cast<uintptr_t>(1));
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Missing", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, nullptr, 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(KeysTest, AnEmptyOrNullPathOpensANewHandleToTheSameKey) {
    Key key = CreateKey(HKEY_CURRENT_USER, u"Software\\Maker");
    Key same;
    ASSERT_EQ(OpenKey(key, nullptr, same, KEY_ALL_ACCESS), ERROR_SUCCESS);
    EXPECT_NE(same.get(), key.get());
    ASSERT_EQ(SetDword(same, u"n", 7), ERROR_SUCCESS);
    EXPECT_TRUE(QueryValue(key, u"n").has_value());
    Key again;
    EXPECT_EQ(OpenKey(key, u"", again), ERROR_SUCCESS);
    Key root;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"", root), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyNames(root), std::vector<std::u16string>{u"Software"});
}

TEST_F(KeysTest, TheFourRootsAreSeparateTrees) {
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
    for (DWORD i = 0; i < 4; ++i) ASSERT_EQ(SetDword(CreateKey(roots[i], u"Shared"), u"root", i), ERROR_SUCCESS);
    for (DWORD i = 0; i < 4; ++i) {
        Key key;
        ASSERT_EQ(OpenKey(roots[i], u"Shared", key), ERROR_SUCCESS);
        std::optional<Value> value = QueryValue(key, u"root");
        ASSERT_TRUE(value);
        DWORD stored = 0;
        std::memcpy(&stored, value->data.data(), sizeof stored);
        EXPECT_EQ(stored, i);
    }
    CreateKey(HKEY_LOCAL_MACHINE, u"OnlyHere");
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, u"OnlyHere"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"OnlyHere"));
    EXPECT_FALSE(KeyExists(HKEY_USERS, u"OnlyHere"));
}

TEST_F(KeysTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
    CreateKey(HKEY_CURRENT_USER, u"Software\\MixedCase");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"SOFTWARE\\mixedcase"));
    EXPECT_EQ(CreateDisposition(HKEY_CURRENT_USER, u"software\\MIXEDCASE"), REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(SubkeyNames(CreateKey(HKEY_CURRENT_USER, u"Software")), std::vector<std::u16string>{u"MixedCase"});
}

TEST_F(KeysTest, CaseFoldingUsesTheSimpleUpperCaseMappingBeyondAscii) {
    CreateKey(HKEY_CURRENT_USER, u"\u00C4rger\\\u03A3\u03B9\u03B3\u03BC\u03B1\\\U00010400");
    // Latin-1, Greek, and a supplementary-plane letter (Deseret) in the other case.
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"\u00E4RGER\\\u03C3\u0399\u0393\u039C\u0391\\\U00010428"));
    // A lone surrogate matches only itself.
    CreateKey(HKEY_CURRENT_USER, u"x\xD800y");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"X\xD800Y"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"X\xD801Y"));
    // A one-to-many upper case (sharp s to SS) is not a simple mapping: the names differ.
    CreateKey(HKEY_CURRENT_USER, u"Stra\u00DFe");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"STRASSE"));
}

TEST_F(KeysTest, OddNamesComeBackUnitForUnit) {
    const std::u16string names[] = {u"with/slash",  u"\"quoted\"", u" spaced ", u"lone\xDC00low",
                                    u"high\xD83D",  u"\uFFFF",     u"\U0001F600", u"semi;colon=1",
                                    u"%MODULE%'s"};
    Key parent = CreateKey(HKEY_CURRENT_USER, u"Odd");
    for (const std::u16string& name : names) {
        CreateKey(parent, name.c_str());
        ASSERT_EQ(SetString(parent, name.c_str(), name), ERROR_SUCCESS);
    }
    std::vector<std::u16string> keys;
    for (DWORD i = 0;; ++i) {
        char16_t buffer[64];
        DWORD length = 64;
        LSTATUS result = RegEnumKeyExW(parent, i, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(result, ERROR_SUCCESS);
        keys.emplace_back(buffer, length);
    }
    std::vector<std::u16string> expected(std::begin(names), std::end(names));
    EXPECT_EQ(ValueNames(parent), expected);
    std::sort(keys.begin(), keys.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
    for (const std::u16string& name : names) EXPECT_EQ(QueryString(parent, name.c_str()), name);
}

TEST_F(KeysTest, BackslashesSeparateKeysWithOneTrailingBackslashAllowed) {
    CreateKey(HKEY_CURRENT_USER, u"A\\B");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"A\\B\\"));
    Key key;
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, u"\\A", key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, u"A\\\\B", key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, u"A\\B\\\\", key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"\\C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"C"));
}

// "k\k\...\k", levels names deep.
std::u16string NestedPath(size_t levels) {
    std::u16string path = u"k";
    for (size_t i = 1; i < levels; ++i) path += u"\\k";
    return path;
}

TEST_F(KeysTest, KeysReachAtMost512LevelsBelowTheirRoot) {
    Key deepest;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, NestedPath(512).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              deepest.out(), nullptr),
              ERROR_SUCCESS);
    Key tooDeep;
    EXPECT_EQ(RegCreateKeyExW(deepest, u"k", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, tooDeep.out(), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, NestedPath(513).c_str(), tooDeep), ERROR_INVALID_PARAMETER);
    Key middle = CreateKey(HKEY_CURRENT_USER, NestedPath(500).c_str());
    EXPECT_EQ(RegCreateKeyExW(middle, NestedPath(13).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, tooDeep.out(),
                              nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(OpenKey(middle, NestedPath(12).c_str(), tooDeep), ERROR_SUCCESS);
    EXPECT_TRUE(SubkeyNames(deepest).empty());
}

TEST_F(KeysTest, ClassNameAndLastWriteTimeAreReported) {
    auto fileTimeNow = [] {
        auto since1970 = std::chrono::system_clock::now().time_since_epoch();
        return 116444736000000000ULL +
               static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100);
    };
    uint64_t before = fileTimeNow();
    Key parent = CreateKey(HKEY_CURRENT_USER, u"Parent");
    Key child;
    char16_t className[] = u"MyClass";
    ASSERT_EQ(RegCreateKeyExW(parent, u"Child", 0, className, 0, KEY_ALL_ACCESS, nullptr, child.out(), nullptr),
              ERROR_SUCCESS);
    uint64_t after = fileTimeNow();
    char16_t name[16], cls[16];
    DWORD nameLength = 16, classLength = 16;
    FILETIME written{};
    ASSERT_EQ(RegEnumKeyExW(parent, 0, name, &nameLength, nullptr, cls, &classLength, &written), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(cls, classLength), u"MyClass");
    uint64_t stamp = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    classLength = 7;
    EXPECT_EQ(RegEnumKeyExW(parent, 0, name, &nameLength, nullptr, cls, &classLength, nullptr), ERROR_MORE_DATA);
}

TEST_F(KeysTest, BadHandlesAreRefused) {
    Key key = CreateKey(HKEY_CURRENT_USER, u"K");
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(nullptr, u"v", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    HKEY bogus = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x1234));
    EXPECT_EQ(SetDword(bogus, u"v", 1), ERROR_INVALID_HANDLE);
    HKEY notARoot = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000004u));
    Key opened;
    EXPECT_EQ(OpenKey(notARoot, u"K", opened), ERROR_INVALID_HANDLE);

    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"K", 0, KEY_READ, &raw), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(raw), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(raw), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(raw, u"v", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
}

TEST_F(KeysTest, ClosingARootDoesNothing) {
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"K"), u"v", 1), ERROR_SUCCESS);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"K"));
}

TEST_F(KeysTest, AHandleToADeletedKeyReportsItOnEveryUse) {
    Key key = CreateKey(HKEY_CURRENT_USER, u"Doomed");
    ASSERT_EQ(SetDword(key, u"v", 1), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Doomed"), ERROR_SUCCESS);
    DWORD size = 0;
    char16_t name[8];
    EXPECT_EQ(RegQueryValueExW(key, u"v", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(SetDword(key, u"v", 2), ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumKeyW(key, 0, name, 8), ERROR_KEY_DELETED);
    Key child;
    EXPECT_EQ(RegCreateKeyExW(key, u"Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, child.out(), nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(OpenKey(key, nullptr, child), ERROR_KEY_DELETED);
    // A new key of the same name is another key: the old handle stays dead.
    CreateKey(HKEY_CURRENT_USER, u"Doomed");
    EXPECT_EQ(SetDword(key, u"v", 3), ERROR_KEY_DELETED);
    EXPECT_FALSE(QueryValue(CreateKey(HKEY_CURRENT_USER, u"Doomed"), u"v").has_value());
}

TEST_F(KeysTest, WritesNeedTheRightsTheHandleWasOpenedWith) {
    CreateKey(HKEY_CURRENT_USER, u"K\\Existing");
    ASSERT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"K"), u"v", 1), ERROR_SUCCESS);
    Key reader;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"K", reader, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(reader, u"v", 2), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueW(reader, u"v"), ERROR_ACCESS_DENIED);
    Key child;
    EXPECT_EQ(RegCreateKeyExW(reader, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, child.out(), nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"K\\New"));
    // Opening an existing key through create needs no right to create.
    EXPECT_EQ(RegCreateKeyExW(reader, u"Existing", 0, nullptr, 0, KEY_READ, nullptr, child.out(), nullptr),
              ERROR_SUCCESS);
    EXPECT_TRUE(QueryValue(reader, u"v").has_value());
    EXPECT_EQ(SubkeyNames(reader), std::vector<std::u16string>{u"Existing"});

    Key writer;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"K", writer, KEY_WRITE), ERROR_SUCCESS);
    DWORD size = 0;
    char16_t name[16];
    DWORD length = 16;
    EXPECT_EQ(RegQueryValueExW(writer, u"v", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegEnumValueW(writer, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegEnumKeyW(writer, 0, name, 16), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetDword(writer, u"v", 2), ERROR_SUCCESS);
    EXPECT_EQ(RegCreateKeyExW(writer, u"New", 0, nullptr, 0, KEY_READ, nullptr, child.out(), nullptr), ERROR_SUCCESS);

    Key queryOnly;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"K", queryOnly, KEY_QUERY_VALUE), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumKeyW(queryOnly, 0, name, 16), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegQueryValueExW(queryOnly, u"v", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
}

TEST_F(KeysTest, GenericRightsStandForTheKeyRights) {
    ASSERT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"K"), u"v", 1), ERROR_SUCCESS);
    constexpr REGSAM kGenericRead = 0x80000000, kGenericWrite = 0x40000000, kGenericAll = 0x10000000;
    Key read, write, all;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"K", read, kGenericRead), ERROR_SUCCESS);
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"K", write, kGenericWrite), ERROR_SUCCESS);
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"K", all, kGenericAll), ERROR_SUCCESS);
    EXPECT_TRUE(QueryValue(read, u"v").has_value());
    EXPECT_EQ(SetDword(read, u"v", 2), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(QueryValue(write, u"v").has_value());
    EXPECT_EQ(SetDword(write, u"v", 2), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(all, u"v", 3), ERROR_SUCCESS);
    EXPECT_TRUE(QueryValue(all, u"v").has_value());
}

}  // namespace
