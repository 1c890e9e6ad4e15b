// Deleting keys: single keys, whole trees, and the shell's recursive delete.
#include <gtest/gtest.h>

#include "platform/registry/registry.h"
#include "platform/registry/tests/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace regtest;

namespace {

class DeleteTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char16_t* path : {u"Tree\\A\\Deep\\Deeper", u"Tree\\B", u"TreeSibling"}) {
            Key key = CreateKey(HKEY_CURRENT_USER, path);
            ASSERT_EQ(SetDword(key, u"v", 1), ERROR_SUCCESS);
        }
        ASSERT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"Tree"), u"top", 1), ERROR_SUCCESS);
        ASSERT_EQ(SetDword(CreateKey(HKEY_LOCAL_MACHINE, u"Tree\\A"), u"v", 1), ERROR_SUCCESS);
    }
    void ExpectOthersUntouched() {
        EXPECT_TRUE(QueryValue(CreateKey(HKEY_CURRENT_USER, u"TreeSibling"), u"v").has_value());
        EXPECT_TRUE(QueryValue(CreateKey(HKEY_LOCAL_MACHINE, u"Tree\\A"), u"v").has_value());
    }
    testsupport::TempRegistry registry_;
};

TEST_F(DeleteTest, DeleteKeyRemovesOnlyAKeyWithoutSubkeys) {
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Tree\\A\\Deep"), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Tree\\A\\Deep\\Deeper"));
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"TREE\\a\\deep\\DEEPER"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Tree\\A\\Deep\\Deeper"));
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Tree\\A\\Deep\\Deeper"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
    // A key made again under the old name starts empty.
    EXPECT_FALSE(QueryValue(CreateKey(HKEY_CURRENT_USER, u"Tree\\A\\Deep\\Deeper"), u"v").has_value());
    ExpectOthersUntouched();
}

TEST_F(DeleteTest, DeleteKeyWithAnEmptyPathRemovesTheOpenKeyButNeverARoot) {
    Key key = CreateKey(HKEY_CURRENT_USER, u"Tree\\B");
    EXPECT_EQ(RegDeleteKeyW(key, u""), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Tree\\B"));
    EXPECT_EQ(RegDeleteKeyW(HKEY_USERS, u""), ERROR_ACCESS_DENIED);
}

TEST_F(DeleteTest, DeleteTreeRemovesTheKeyWithEverythingBelowIt) {
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"tree"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Tree"));
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"Tree"), ERROR_FILE_NOT_FOUND);
    // Nothing of the old tree survives under a new key of the same name.
    CreateKey(HKEY_CURRENT_USER, u"Tree");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Tree\\A"));
    ExpectOthersUntouched();
}

TEST_F(DeleteTest, DeleteTreeWithoutAPathEmptiesTheKeyAndKeepsIt) {
    Key tree = CreateKey(HKEY_CURRENT_USER, u"Tree");
    ASSERT_EQ(RegDeleteTreeW(tree, nullptr), ERROR_SUCCESS);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Tree"));
    EXPECT_TRUE(SubkeyNames(tree).empty());
    EXPECT_TRUE(ValueNames(tree).empty());
    EXPECT_EQ(SetDword(tree, u"again", 1), ERROR_SUCCESS);
    ExpectOthersUntouched();
}

TEST_F(DeleteTest, ShellDeleteRemovesTheWholeTree) {
    Key inside;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"Tree\\A\\Deep", inside), ERROR_SUCCESS);
    ASSERT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, u"Tree\\A"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Tree\\A"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Tree\\B"));
    EXPECT_TRUE(QueryValue(CreateKey(HKEY_CURRENT_USER, u"Tree"), u"top").has_value());
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(inside, u"v", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, u"Tree\\A"), ERROR_FILE_NOT_FOUND);
    ExpectOthersUntouched();
}

TEST_F(DeleteTest, ARootCannotBeDeleted) {
    EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, u""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, nullptr), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u""), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Tree\\A\\Deep\\Deeper"));
}

TEST_F(DeleteTest, BadPathsAndHandlesAreRefused) {
    EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, u"\\Tree"), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegDeleteTreeW(nullptr, u"Tree"), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Tree"));
}

}  // namespace
