// Whether the environment names a display that is there: local X sockets, X over TCP, Wayland
// sockets, and a platform chosen by hand.
#include "platform/ui/display.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

// A listening Unix socket at path, for as long as it lives.
class UnixListener {
public:
    explicit UnixListener(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(0, ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address));
        EXPECT_EQ(0, ::listen(fd_, 1));
    }
    ~UnixListener() { ::close(fd_); }

private:
    int fd_;
};

// A listening TCP socket on the loopback at a port from 6000 up; its X display number.
class TcpListener {
public:
    TcpListener() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        for (int port = 6100; port < 6400 && number_ < 0; ++port) {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(uint16_t(port));
            if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) number_ = port - 6000;
        }
        EXPECT_GE(number_, 0);
        EXPECT_EQ(0, ::listen(fd_, 1));
    }
    ~TcpListener() { ::close(fd_); }
    int number() const { return number_; }

private:
    int fd_;
    int number_ = -1;
};

TEST(Display, ReachableOnlyWhenItsSocketOrPortAnswers) {
    testsupport::TempDir dir;
    const std::string x11 = (dir / "x11").string();
    const std::string runtime = (dir / "run").string();
    std::filesystem::create_directories(x11);
    std::filesystem::create_directories(runtime);
    UnixListener x7(x11 + "/X7");
    UnixListener wayland(runtime + "/wayland-1");
    TcpListener tcp;
    const std::string open = "localhost:" + std::to_string(tcp.number());
    const std::string closed = "127.0.0.1:" + std::to_string(tcp.number() + 1);

    struct Case {
        std::string display, wayland, platform;
        bool reachable;
    };
    const Case cases[] = {
        {"", "", "", false},
        {":7", "", "", true},
        {":7.0", "", "", true},
        {"unix:7", "", "", true},
        {":8", "", "", false},          // no server behind it
        {"garbage", "", "", false},
        {":x", "", "", false},
        {open + ".0", "", "", true},
        {closed, "", "", false},
        {"", "wayland-1", "", true},
        {"", runtime + "/wayland-1", "", true},
        {"", "wayland-9", "", false},
        {":8", "wayland-1", "", true},   // either will do
        {":8", "", "offscreen", true},   // chosen by hand
    };
    for (const Case& c : cases) {
        ui::DisplayEnvironment environment;
        environment.display = c.display;
        environment.waylandDisplay = c.wayland;
        environment.runtimeDir = runtime;
        environment.qpaPlatform = c.platform;
        environment.x11SocketDir = x11;
        EXPECT_EQ(c.reachable, ui::DisplayReachable(environment)) << c.display << " | " << c.wayland << " | " << c.platform;
    }
}

TEST(Display, UnseenOnlyOnAPlatformThatDrawsIntoMemory) {
    const std::pair<const char*, bool> cases[] = {
        {"", false},          {"xcb", false},           {"offscreen", true},
        {"minimal", true},    {"minimal:enable_fonts", true},
        {"offscreen;xcb", true}, {"wayland;offscreen", false},  // the first that Qt tries counts
    };
    for (const auto& [platform, unseen] : cases) {
        ui::DisplayEnvironment environment;
        environment.qpaPlatform = platform;
        EXPECT_EQ(unseen, ui::DisplayUnseen(environment)) << platform;
    }
}

}  // namespace
