// Whole-stream reads go to the end of the input whatever size is reported, stop at their limit,
// and give up after a signal when the caller asks them to.
#include "platform/os/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/os/file_descriptor.h"

namespace {

using fileio::FileDescriptor;

std::string ReadPath(const char* path, std::size_t limit = fileio::kMaxWholeFileBytes) {
    FileDescriptor fd(::open(path, O_RDONLY | O_CLOEXEC));
    EXPECT_GE(fd.get(), 0) << path;
    return fileio::ReadToEnd(fd.get(), limit);
}

TEST(ReadToEnd, ReadsWhatFilesReportingNoSizeHold) {
    std::string status = ReadPath("/proc/self/status");  // reports a size of 0
    EXPECT_NE(status.find("Name:"), std::string::npos);
    EXPECT_EQ(status.back(), '\n');
    EXPECT_EQ(ReadPath("/dev/null"), "");

    int pipe[2];
    ASSERT_EQ(0, ::pipe(pipe));
    std::string content(3 * 1024 * 1024 + 5, 'x');  // more than the pipe holds, so it comes in pieces
    for (std::size_t i = 0; i < content.size(); i += 4093) content[i] = char('a' + i % 26);  // pieces kept in order
    std::thread writer([&] {
        fileio::WriteAll(pipe[1], content);
        ::close(pipe[1]);
    });
    FileDescriptor in(pipe[0]);
    EXPECT_EQ(fileio::ReadToEnd(in.get()), content);
    writer.join();
}

TEST(ReadToEnd, AnEndlessInputStopsAtTheLimit) {
    EXPECT_THROW(ReadPath("/dev/zero", 3 * 1024 * 1024), fileio::InputTooLarge);
    EXPECT_EQ(ReadPath("/dev/null", 0), "");
}

TEST(ReadInPieces, PiecesJoinToTheInputAndStopAtTheLimit) {
    int pipe[2];
    ASSERT_EQ(0, ::pipe(pipe));
    std::string content(300 * 1024 + 7, 'x');
    for (std::size_t i = 0; i < content.size(); i += 4093) content[i] = char('a' + i % 26);
    std::thread writer([&] {
        fileio::WriteAll(pipe[1], content);
        ::close(pipe[1]);
    });
    FileDescriptor in(pipe[0]);
    std::string joined;
    fileio::ReadInPieces(in.get(), fileio::kMaxWholeFileBytes, {}, [&](std::string_view piece) {
        EXPECT_FALSE(piece.empty());
        joined += piece;
    });
    writer.join();
    EXPECT_EQ(joined, content);

    FileDescriptor zero(::open("/dev/zero", O_RDONLY | O_CLOEXEC));
    std::size_t taken = 0;
    EXPECT_THROW(fileio::ReadInPieces(zero.get(), 200 * 1024, {}, [&](std::string_view piece) { taken += piece.size(); }),
                 fileio::InputTooLarge);
    EXPECT_LE(taken, 200u * 1024);  // nothing past the limit is handed on
}

void IgnoreAlarm(int) {}

TEST(ReadToEnd, ASignalEndsTheReadWhenTheCallerAsksToStop) {
    struct sigaction action {};
    action.sa_handler = IgnoreAlarm;  // no SA_RESTART: the read returns EINTR
    struct sigaction previous {};
    ASSERT_EQ(0, ::sigaction(SIGALRM, &action, &previous));
    int pipe[2];
    ASSERT_EQ(0, ::pipe(pipe));
    FileDescriptor in(pipe[0]), out(pipe[1]);  // the write end stays open: the input never ends
    int asked = 0;
    itimerval every10ms{{0, 10000}, {0, 10000}};
    ::setitimer(ITIMER_REAL, &every10ms, nullptr);
    EXPECT_THROW(fileio::ReadToEnd(in.get(), 100, [&] { return ++asked == 4; }), fileio::ReadStopped);
    itimerval off{};
    ::setitimer(ITIMER_REAL, &off, nullptr);
    ::sigaction(SIGALRM, &previous, nullptr);
    EXPECT_EQ(asked, 4);  // once before the read, then after each of three interruptions
}

}  // namespace
