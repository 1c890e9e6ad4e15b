// The registration tool as a child process: registering and unregistering the test component
// into the registry it inherits, and its messages and exit status for what it cannot do.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "platform/com/registry_keys.h"
#include "platform/com/tests/test_component.h"
#include "tests/support/scoped_env.h"

extern char** environ;

namespace {

using com::detail::KeyExists;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Regsvr : public ::testing::Test {
protected:
    // Runs the tool with the arguments; it inherits TAVREL_REGISTRY from this process.
    ToolRun run(std::vector<std::string> args) {
        args.insert(args.begin(), comtest::kRegsvr);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const auto out = dir_ / "out.txt";
        const auto err = dir_ / "err.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ToolRun result;
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return result;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadAll(out);
        result.err = ReadAll(err);
        return result;
    }

    bool classRegistered() {
        return KeyExists(HKEY_CLASSES_ROOT, std::u16string(u"CLSID\\") + comtest::kTestClsidText) &&
               KeyExists(HKEY_CLASSES_ROOT, u"Tavrel.TestObject.1");
    }

    testsupport::TempRegistry registry_;
    testsupport::TempDir dir_;
};

TEST_F(Regsvr, RegistersAndUnregistersAModule) {
    ToolRun registered = run({comtest::kTestComponent});
    EXPECT_EQ(0, registered.exitCode) << registered.err;
    EXPECT_NE(std::string::npos, registered.out.find("DllRegisterServer")) << registered.out;
    EXPECT_NE(std::string::npos, registered.out.find(registry_.storePath().string())) << registered.out;
    EXPECT_TRUE(classRegistered());

    ToolRun unregistered = run({"-u", comtest::kTestComponent});
    EXPECT_EQ(0, unregistered.exitCode) << unregistered.err;
    EXPECT_NE(std::string::npos, unregistered.out.find("DllUnregisterServer")) << unregistered.out;
    EXPECT_FALSE(classRegistered());
}

TEST_F(Regsvr, HelpAndBadArguments) {
    ToolRun help = run({"--help"});
    EXPECT_EQ(0, help.exitCode);
    EXPECT_NE(std::string::npos, help.out.find("Usage: tavrel-regsvr [-u] MODULE"));

    ToolRun none = run({});
    EXPECT_EQ(1, none.exitCode);
    EXPECT_NE(std::string::npos, none.err.find("no module given"));

    ToolRun unknown = run({"-x", comtest::kTestComponent});
    EXPECT_EQ(1, unknown.exitCode);
    EXPECT_NE(std::string::npos, unknown.err.find("unknown option '-x'"));

    ToolRun two = run({comtest::kTestComponent, comtest::kEmptyModule});
    EXPECT_EQ(1, two.exitCode);
    EXPECT_FALSE(classRegistered());
}

TEST_F(Regsvr, MissingFileAndFilesThatAreNoModules) {
    const std::string missing = (dir_ / "missing.so").string();
    ToolRun gone = run({missing});
    EXPECT_EQ(3, gone.exitCode);
    EXPECT_NE(std::string::npos, gone.err.find("\"" + missing + "\" failed to load: No such file or directory"))
        << gone.err;

    const auto text = dir_ / "text.so";
    std::ofstream(text) << "plain text\n";
    ToolRun notLoadable = run({text.string()});
    EXPECT_EQ(3, notLoadable.exitCode);
    EXPECT_NE(std::string::npos, notLoadable.err.find("failed to load: " + text.string() + ": ")) << notLoadable.err;

    const auto fifo = dir_ / "fifo.so";  // opening it for loading would wait for a writer for ever
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    ToolRun notAFile = run({fifo.string()});
    EXPECT_EQ(3, notAFile.exitCode);
    EXPECT_NE(std::string::npos, notAFile.err.find("failed to load: it is not a regular file")) << notAFile.err;

    ToolRun noEntry = run({"-u", comtest::kEmptyModule});
    EXPECT_EQ(4, noEntry.exitCode);
    EXPECT_NE(std::string::npos, noEntry.err.find("the entry point DllUnregisterServer was not found")) << noEntry.err;
}

TEST_F(Regsvr, AFailingEntryPointReportsItsResult) {
    // A folder where the registry file should be: the module cannot write its keys.
    std::filesystem::create_directory(registry_.storePath());
    ToolRun failed = run({comtest::kTestComponent});
    EXPECT_EQ(5, failed.exitCode);
    EXPECT_NE(std::string::npos, failed.err.find("DllRegisterServer in \"" + std::string(comtest::kTestComponent) +
                                                 "\" failed. The result was 0x800703F"))
        << failed.err;
    EXPECT_NE(std::string::npos, failed.err.find("the registry reported: " + registry_.storePath().string()))
        << failed.err;
}

TEST_F(Regsvr, APathTheAnsiCodePageCannotWriteIsNotRegistered) {
    // 0x81 leads a two-byte character in code page 932, and "/" cannot follow it.
    const auto folder = dir_ / "lead\x81";
    std::filesystem::create_directory(folder);
    const auto module = folder / "module.so";
    std::filesystem::copy_file(comtest::kTestComponent, module);
    testsupport::ScopedEnv env;
    env.set("TAVREL_ACP", "932");
    ToolRun refused = run({module.string()});
    EXPECT_EQ(5, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.err.find("The result was 0x80070459")) << refused.err;
    EXPECT_NE(std::string::npos, refused.err.find("cannot be written in the ANSI code page 932")) << refused.err;
    EXPECT_FALSE(classRegistered());
}

}  // namespace
