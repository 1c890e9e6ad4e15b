// lumivar-hlx format under Ctrl+C: the interrupt cancels formatting as the Cancel button does.
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

// Starts lumivar-hlx format on standard input, presses Ctrl+C once it listens for it (while it
// waits for its input), then gives it the input.
Outcome FormatInterrupted(const std::string& input) {
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
    ::kill(child, SIGINT);
    EXPECT_EQ(ssize_t(input.size()), ::write(in[1], input.data(), input.size()));
    ::close(in[1]);
    Outcome run;
    run.out = ReadAll(out[0]);
    run.err = ReadAll(err[0]);
    ::close(out[0]);
    ::close(err[0]);
    ::waitpid(child, &run.status, 0);
    return run;
}

TEST(FormatInterruptTest, CtrlCCancelsAndEveryOpenSectionWritesItsFooter) {
    Outcome run = FormatInterrupted("int main() /* a<b */");
    ASSERT_TRUE(WIFEXITED(run.status));
    EXPECT_EQ(130, WEXITSTATUS(run.status));
    // The interrupt takes effect at the first processing of events, before the first step.
    EXPECT_EQ("<pre></pre>", run.out);
    EXPECT_EQ("lumivar-hlx: cancelled at position 0 of 20; the output ends there.\n", run.err);
}

}  // namespace
