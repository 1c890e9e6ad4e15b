// lumivar-hlx format under Ctrl+C: the interrupt cancels as the Cancel button does.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

// Whether the process has a handler for SIGINT yet (its SigCgt mask in /proc).
bool CatchesInterrupt(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) != 0) continue;
        unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
        return (mask >> (SIGINT - 1)) & 1;
    }
    return false;
}

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t count;
    while ((count = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, size_t(count));
    return text;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Waits up to 30 s for the child to end; a child still running then is killed.
int WaitForExit(pid_t child) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = -1;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            ADD_FAILURE() << "lumivar-hlx did not end after Ctrl+C";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status;
}

// Starts lumivar-hlx format on standard input and presses Ctrl+C once it listens for it, while
// it waits for its input; the input is never ended.
Outcome FormatInterruptedWhileReading() {
    int in[2], out[2], err[2];
    EXPECT_EQ(0, ::pipe(in));
    EXPECT_EQ(0, ::pipe(out));
    EXPECT_EQ(0, ::pipe(err));
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) ::close(fd);
        ::setenv("TAVREL_ACP", "65001", 1);
        std::string definition = std::string(LUMIVAR_HLX_FIXTURES) + "/c_example.hlx";
        ::execl(LUMIVAR_HLX_TOOL, LUMIVAR_HLX_TOOL, "format", definition.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!CatchesInterrupt(child) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(CatchesInterrupt(child));
    EXPECT_EQ(2, ::write(in[1], "in", 2));  // some input, but not its end
    ::kill(child, SIGINT);
    Outcome run;
    run.status = WaitForExit(child);
    ::close(in[1]);
    run.out = ReadAll(out[0]);
    run.err = ReadAll(err[0]);
    ::close(out[0]);
    ::close(err[0]);
    return run;
}

TEST(FormatInterruptTest, CtrlCWhileReadingStandardInputStopsAtOnce) {
    Outcome run = FormatInterruptedWhileReading();
    ASSERT_TRUE(WIFEXITED(run.status));
    EXPECT_EQ(130, WEXITSTATUS(run.status));
    EXPECT_EQ("", run.out);
    EXPECT_EQ("lumivar-hlx: cancelled while reading the standard input; nothing was formatted.\n", run.err);
}

}  // namespace
