// The store file: where it lives, when it is created, files that are not stores, and several
// processes writing at once.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/registry/registry.h"
#include "platform/registry/tests/registry_helpers.h"
#include "tests/support/temp_dir.h"

using namespace regtest;
namespace fs = std::filesystem;

namespace {

// Sets or clears an environment variable for as long as it lives.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~EnvVar() {
        if (previous_) setenv(name_, previous_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string LastErrorText() {
    std::u16string text = RegistryLastErrorText();
    return std::string(text.begin(), text.end());  // the paths here are ASCII
}

class StoreTest : public ::testing::Test {
protected:
    testsupport::TempRegistry registry_;
    fs::path store_ = registry_.storePath();
};

TEST_F(StoreTest, ReadsAndDeletionsNeverCreateTheStore) {
    fs::path folder = store_.parent_path() / "nested" / "deeper";
    EnvVar path("TAVREL_REGISTRY", (folder / "registry.db").c_str());
    Key key, root;
    char16_t name[8];
    DWORD length = 8, size = 0;
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, u"Software", key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"", root, KEY_ALL_ACCESS), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(root, u"v", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegEnumKeyW(HKEY_CURRENT_USER, 0, name, 8), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumValueW(HKEY_CURRENT_USER, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegDeleteValueW(HKEY_CURRENT_USER, u"v"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, u"Software"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"", 0, nullptr, 0, KEY_READ, nullptr, key.out(), nullptr),
              ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(store_.parent_path() / "nested"));

    // The first write makes the folders and the file.
    ASSERT_EQ(SetDword(root, u"v", 1), ERROR_SUCCESS);
    EXPECT_TRUE(fs::is_regular_file(folder / "registry.db"));
    EXPECT_TRUE(QueryValue(HKEY_CURRENT_USER, u"v").has_value());
}

TEST_F(StoreTest, ThePathComesFromTheEnvironmentAtEachCall) {
    EXPECT_EQ(RegistryStorePath(), store_.string());
    EnvVar noStore("TAVREL_REGISTRY", nullptr);
    {
        EnvVar config("XDG_CONFIG_HOME", "/srv/config");
        EXPECT_EQ(RegistryStorePath(), "/srv/config/tavrel/registry.db");
    }
    EnvVar home("HOME", "/srv/home");
    {
        EnvVar relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(RegistryStorePath(), "/srv/home/.config/tavrel/registry.db");
    }
    EnvVar noConfig("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(RegistryStorePath(), "/srv/home/.config/tavrel/registry.db");
    EnvVar emptyStore("TAVREL_REGISTRY", "");
    EXPECT_EQ(RegistryStorePath(), "/srv/home/.config/tavrel/registry.db");
}

TEST_F(StoreTest, EachPathIsAStoreOfItsOwnAndAHandleKeepsItsStore) {
    Key first = CreateKey(HKEY_CURRENT_USER, u"Software");
    ASSERT_EQ(SetDword(first, u"where", 1), ERROR_SUCCESS);
    fs::path other = store_.parent_path() / "other.db";
    {
        EnvVar path("TAVREL_REGISTRY", other.c_str());
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software"));
        ASSERT_EQ(SetDword(first, u"later", 2), ERROR_SUCCESS);
        ASSERT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"Software"), u"where", 3), ERROR_SUCCESS);
    }
    Key again;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"Software", again), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(again), (std::vector<std::u16string>{u"where", u"later"}));
}

TEST_F(StoreTest, ATextFileIsReportedAsABadDatabaseAndLeftAlone) {
    const std::string content = "This is a text file, not a registry.\n";
    WriteFile(store_, content);
    Key key;
    EXPECT_EQ(OpenKey(HKEY_CURRENT_USER, u"Software", key), ERROR_BADDB);
    EXPECT_NE(LastErrorText().find(store_.string() + ": the file is not a registry database"), std::string::npos)
        << LastErrorText();
    EXPECT_EQ(SetDword(HKEY_CURRENT_USER, u"v", 1), ERROR_BADDB);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), nullptr),
              ERROR_BADDB);
    EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, u"K"), ERROR_BADDB);
    EXPECT_EQ(ReadFile(store_), content);
}

TEST_F(StoreTest, BinaryGarbageIsReportedAsABadDatabase) {
    std::string garbage(8192, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919 + 13) % 251);
    WriteFile(store_, garbage);
    EXPECT_EQ(SetDword(HKEY_CURRENT_USER, u"v", 1), ERROR_BADDB);
    EXPECT_EQ(ReadFile(store_), garbage);
}

TEST_F(StoreTest, ADatabaseOfAnotherKindIsRefused) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(store_.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE notes(text); INSERT INTO notes VALUES ('mine');", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    EXPECT_EQ(SetDword(HKEY_CURRENT_USER, u"v", 1), ERROR_BADDB);
    EXPECT_NE(LastErrorText().find(store_.string() + ": the file is a database of another kind"), std::string::npos)
        << LastErrorText();
}

TEST_F(StoreTest, AnEmptyFileIsAnEmptyStore) {
    WriteFile(store_, "");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software"));
    ASSERT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"Software"), u"v", 1), ERROR_SUCCESS);
    EXPECT_TRUE(QueryValue(CreateKey(HKEY_CURRENT_USER, u"Software"), u"v").has_value());
}

// Another process's write, done and committed when this returns.
void WriteInAnotherProcess(const char16_t* text) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HKEY key = nullptr;
        bool written = RegOpenKeyExW(HKEY_CURRENT_USER, u"Session", 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS &&
                       SetString(key, u"v", text) == ERROR_SUCCESS;
        _exit(written ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The reads of a session share one state of the store; its own write ends that state, and so does
// the session's end.
TEST_F(StoreTest, AReadSessionSeesOneStateUntilItWritesOrEnds) {
    Key key = CreateKey(HKEY_CURRENT_USER, u"Session");
    ASSERT_EQ(SetString(key, u"v", u"before"), ERROR_SUCCESS);
    {
        RegistryReadSession session;
        EXPECT_EQ(QueryString(key, u"v"), u"before");
        WriteInAnotherProcess(u"other");
        EXPECT_EQ(QueryString(key, u"v"), u"before");
        ASSERT_EQ(SetString(key, u"v", u"mine"), ERROR_SUCCESS);
        EXPECT_EQ(QueryString(key, u"v"), u"mine");
        WriteInAnotherProcess(u"late");
        EXPECT_EQ(QueryString(key, u"v"), u"mine");
    }
    EXPECT_EQ(QueryString(key, u"v"), u"late");
}

TEST_F(StoreTest, AStoreRemovedBetweenCallsIsMissingAgain) {
    ASSERT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"Software"), u"v", 1), ERROR_SUCCESS);
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(store_.string() + suffix);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software"));
    EXPECT_FALSE(fs::exists(store_));
    ASSERT_EQ(SetDword(CreateKey(HKEY_CURRENT_USER, u"New"), u"v", 1), ERROR_SUCCESS);
    EXPECT_TRUE(fs::exists(store_));
    EXPECT_EQ(SubkeyNames(HKEY_CURRENT_USER), std::vector<std::u16string>{u"New"});
}

TEST_F(StoreTest, AFolderThatCannotBeMadeIsReported) {
    fs::path blocker = store_.parent_path() / "plain-file";
    WriteFile(blocker, "x");
    fs::path path = blocker / "registry.db";
    EnvVar env("TAVREL_REGISTRY", path.c_str());
    EXPECT_EQ(SetDword(HKEY_CURRENT_USER, u"v", 1), ERROR_CANTOPEN);
    EXPECT_EQ(LastErrorText().rfind(path.string() + ": cannot create the folder of the store", 0), 0u)
        << LastErrorText();
}

// Writes values named "<writer>-<i>" and a subkey every tenth value; gives the number of calls
// that failed. Runs in a child process, so it reports through its result only.
int WriteMany(int writer, int count) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        HKEY key = nullptr;
        std::u16string name = std::u16string(1, static_cast<char16_t>(u'A' + writer)) + u"-";
        for (char c : std::to_string(i)) name.push_back(static_cast<char16_t>(c));
        std::u16string path = u"Shared" + (i % 10 == 0 ? u"\\Sub" + name : u"");
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            ++failures;
            continue;
        }
        DWORD number = static_cast<DWORD>(writer * 100000 + i);
        if (SetDword(key, name.c_str(), number) != ERROR_SUCCESS) ++failures;
        if (RegCloseKey(key) != ERROR_SUCCESS) ++failures;
    }
    return failures;
}

TEST_F(StoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWriters = 2;
    constexpr int kValues = 300;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t children[kWriters];
    for (int writer = 0; writer < kWriters; ++writer) {
        children[writer] = fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0) {
            close(start[1]);
            char ignored;
            // Both writers start together: when the parent closes its end of the pipe.
            (void)!read(start[0], &ignored, 1);
            _exit(WriteMany(writer, kValues) == 0 ? 0 : 1);
        }
    }
    close(start[0]);
    close(start[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
    }

    Key shared;
    ASSERT_EQ(OpenKey(HKEY_CURRENT_USER, u"Shared", shared), ERROR_SUCCESS);
    int values = 0, subkeys = 0;
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kValues; ++i) {
            std::u16string name = std::u16string(1, static_cast<char16_t>(u'A' + writer)) + u"-";
            for (char c : std::to_string(i)) name.push_back(static_cast<char16_t>(c));
            Key holder;
            HKEY key = shared;
            if (i % 10 == 0) {
                ASSERT_EQ(OpenKey(shared, (u"Sub" + name).c_str(), holder), ERROR_SUCCESS);
                key = holder;
                ++subkeys;
            }
            std::optional<Value> value = QueryValue(key, name.c_str());
            ASSERT_TRUE(value) << "value " << writer << "-" << i << " is missing";
            DWORD number = 0;
            std::memcpy(&number, value->data.data(), sizeof number);
            EXPECT_EQ(number, static_cast<DWORD>(writer * 100000 + i));
            ++values;
        }
    }
    EXPECT_EQ(values, kWriters * kValues);
    EXPECT_EQ(SubkeyNames(shared).size(), static_cast<size_t>(subkeys));
    EXPECT_EQ(ValueNames(shared).size(), static_cast<size_t>(values - subkeys));
}

TEST_F(StoreTest, AWriterKilledAtAnyMomentLeavesNoHalfMadeKey) {
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(progress[0]);
        for (int i = 0; i < 1000000; ++i) {
            std::u16string path = u"K";
            for (char c : std::to_string(i)) path.push_back(static_cast<char16_t>(c));
            path += u"\\L1\\L2\\L3";
            HKEY key = nullptr;
            if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr) != ERROR_SUCCESS)
                _exit(1);
            RegCloseKey(key);
            if (i == 20) (void)!write(progress[1], "x", 1);
        }
        _exit(0);
    }
    close(progress[1]);
    char ignored;
    ASSERT_EQ(read(progress[0], &ignored, 1), 1);
    close(progress[0]);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    // Every key the writer made has its whole path: each one was made in one transaction.
    std::vector<std::u16string> made = SubkeyNames(HKEY_CURRENT_USER);
    EXPECT_GT(made.size(), 20u);
    for (const std::u16string& name : made) EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, (name + u"\\L1\\L2\\L3").c_str()));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(store_.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);
    // The killed writer held no lock that outlives it.
    EXPECT_EQ(SetDword(HKEY_CURRENT_USER, u"after", 1), ERROR_SUCCESS);
}

}  // namespace
