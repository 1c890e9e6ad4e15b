// Command lines, child processes and named mutexes of the operating-system services.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <system_error>

#include "platform/automation/system_errors.h"
#include "platform/os/command_line.h"
#include "platform/os/named_mutex.h"
#include "platform/os/process.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

TEST(CommandLine, SplitsByThePlatformsRules) {
    const struct {
        std::u16string line;
        std::vector<std::u16string> words;
    } cases[] = {
        {u"", {}},
        {u"  prog  a\tb ", {u"prog", u"a", u"b"}},
        {uR"("C:\Program Files\x.exe" "a b" c)", {uR"(C:\Program Files\x.exe)", u"a b", u"c"}},
        {uR"(p\"q r)", {uR"(p\"q)", u"r"}},  // the program's word takes backslashes literally
        {uR"(p a\\\"b c\d)", {u"p", uR"(a\"b)", uR"(c\d)"}},
        {uR"(p a\\"b c" d)", {u"p", uR"(a\b c)", u"d"}},
        {uR"(p "x ""y"" z" "")", {u"p", uR"(x "y" z)", u""}},
        {uR"(p "open ended)", {u"p", u"open ended"}},
    };
    for (const auto& c : cases) EXPECT_EQ(os::SplitCommandLine(c.line), c.words) << std::string(c.line.begin(), c.line.end());
}

TEST(ChildProcess, IsWaitedForKilledAndReportsItsStatus) {
    auto sleeper = os::StartProcess({"sleep", "30"});
    EXPECT_FALSE(sleeper->waitForEnd(0ms));
    EXPECT_TRUE(os::KillProcess(sleeper->pid()));
    EXPECT_TRUE(sleeper->waitForEnd(5s));
    EXPECT_EQ(sleeper->exitStatus(), 128 + SIGKILL);

    auto exiting = os::StartProcess({"sh", "-c", "exit 3"});
    EXPECT_EQ(exiting->exitStatus(), 3);
    EXPECT_FALSE(os::KillProcess(0));
    EXPECT_FALSE(os::KillProcess(-1));
    try {
        os::StartProcess({"/nonexistent/program"});
        ADD_FAILURE() << "a missing program started";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), ENOENT);
    }
}

// What the process may run on, not what the machine has: a process held to one processor
// (as `taskset -c 0` does) counts one.
TEST(UsableProcessors, FollowsTheAffinityMask) {
    cpu_set_t all;
    ASSERT_EQ(0, sched_getaffinity(0, sizeof(all), &all));
    EXPECT_EQ(unsigned(CPU_COUNT(&all)), os::UsableProcessors());
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &all)) {
            CPU_SET(cpu, &one);
            break;
        }
    }
    ASSERT_EQ(0, sched_setaffinity(0, sizeof(one), &one));
    EXPECT_EQ(1u, os::UsableProcessors());
    ASSERT_EQ(0, sched_setaffinity(0, sizeof(all), &all));
}

TEST(ChildProcess, LeavesNoZombieWhenLetGoEarly) {
    pid_t pid = 0;
    {
        auto child = os::StartProcess({"true"});
        pid = child->pid();
    }
    ::usleep(200000);
    os::StartProcess({"true"});  // reaps what was let go before
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

class NamedMutex : public ::testing::Test {
protected:
    NamedMutex() { env_.set("XDG_RUNTIME_DIR", dir_.path().string()); }
    testsupport::TempDir dir_;
    testsupport::ScopedEnv env_;
};

TEST_F(NamedMutex, IsHeldOnceAndFreedOnClose) {
    os::MutexCreation first = os::CreateNamedMutex(u"Global\\app/1");
    ASSERT_EQ(first.error, 0u);
    os::MutexCreation second = os::CreateNamedMutex(u"Global\\app/1");
    EXPECT_EQ(second.error, DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(second.handle, 0);
    EXPECT_EQ(os::CreateNamedMutex(u"global\\app/1").error, 0u) << "names are case-sensitive";
    EXPECT_EQ(os::CloseNamedMutex(first.handle), 0u);
    EXPECT_EQ(os::CloseNamedMutex(first.handle), DWORD(ERROR_INVALID_HANDLE));
    os::MutexCreation again = os::CreateNamedMutex(u"Global\\app/1");
    EXPECT_EQ(again.error, 0u);
    EXPECT_EQ(os::CreateNamedMutex(std::u16string(300, u'x')).error, DWORD(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(NamedMutex, LeavesNoLockFileOnceNobodyHoldsIt) {
    const std::filesystem::path folder = dir_.path() / "tavrel-mutexes";
    auto files = [&] { return std::distance(std::filesystem::directory_iterator(folder), {}); };
    for (const char16_t* name : {u"a", u"b", u"c"}) {
        os::MutexCreation held = os::CreateNamedMutex(name);
        ASSERT_EQ(held.error, 0u);
        EXPECT_EQ(files(), 1);
        EXPECT_EQ(os::CreateNamedMutex(name).error, DWORD(ERROR_ALREADY_EXISTS));
        EXPECT_EQ(os::CloseNamedMutex(held.handle), 0u);
        EXPECT_EQ(files(), 0) << "after closing " << char(name[0]);
    }
}

// Processes that take and let go of one name over and over never hold it at the same time,
// although every letting go removes the file that the others open.
TEST_F(NamedMutex, IsNeverHeldTwiceWhileItsFileComesAndGoes) {
    constexpr int kProcesses = 4, kRounds = 300;
    auto* holders = static_cast<std::atomic<int>*>(
        ::mmap(nullptr, 2 * sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(holders, MAP_FAILED);
    std::atomic<int>& now = holders[0];
    std::atomic<int>& overlaps = holders[1];
    now = 0;
    overlaps = 0;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t child = ::fork();
        if (child == 0) {
            for (int round = 0; round < kRounds; ++round) {
                os::MutexCreation held = os::CreateNamedMutex(u"contended");
                if (held.error != 0) continue;
                if (now.fetch_add(1) != 0) overlaps.fetch_add(1);
                sched_yield();
                now.fetch_sub(1);
                os::CloseNamedMutex(held.handle);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) ::waitpid(child, nullptr, 0);
    EXPECT_EQ(overlaps.load(), 0);
    ::munmap(holders, 2 * sizeof(std::atomic<int>));
}

TEST_F(NamedMutex, HeldByAnotherProcessUntilItDies) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t holder = ::fork();
    if (holder == 0) {
        os::MutexCreation held = os::CreateNamedMutex(u"shared");
        char byte = held.error == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &byte, 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    EXPECT_EQ(os::CreateNamedMutex(u"shared").error, DWORD(ERROR_ALREADY_EXISTS));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    os::MutexCreation after = os::CreateNamedMutex(u"shared");
    EXPECT_EQ(after.error, 0u);
    os::CloseNamedMutex(after.handle);
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
