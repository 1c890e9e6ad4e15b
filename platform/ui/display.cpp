#include "platform/ui/display.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>

namespace ui {

namespace {

constexpr int kX11BasePort = 6000;
constexpr int kConnectTimeoutMs = 1000;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsSocket(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// Whether a TCP connection to host:port is accepted within the timeout.
bool Accepts(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    bool accepted = false;
    for (addrinfo* a = found; a && !accepted; a = a->ai_next) {
        int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            accepted = true;
        } else if (errno == EINPROGRESS) {
            pollfd wait{fd, POLLOUT, 0};
            int error = 0;
            socklen_t length = sizeof error;
            accepted = ::poll(&wait, 1, kConnectTimeoutMs) == 1 &&
                       ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return accepted;
}

bool X11Reachable(const DisplayEnvironment& environment) {
    const std::string& display = environment.display;
    auto colon = display.rfind(':');
    if (colon == std::string::npos || colon + 1 >= display.size()) return false;
    std::string host = display.substr(0, colon);
    std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 4) return false;
    if (host.empty() || host == "unix") return IsSocket(environment.x11SocketDir + "/X" + number);
    return Accepts(host, kX11BasePort + std::stoi(number));
}

bool WaylandReachable(const DisplayEnvironment& environment) {
    const std::string& name = environment.waylandDisplay;
    if (!name.empty() && name[0] == '/') return IsSocket(name);
    return !environment.runtimeDir.empty() && IsSocket(environment.runtimeDir + "/" + name);
}

// The first platform that QT_QPA_PLATFORM names ("name[:options][;fallback...]").
std::string FirstPlatformName(const std::string& platforms) {
    return platforms.substr(0, platforms.find_first_of(":;"));
}

}  // namespace

DisplayEnvironment DisplayEnvironment::FromProcess() {
    DisplayEnvironment environment;
    environment.display = Variable("DISPLAY");
    environment.waylandDisplay = Variable("WAYLAND_DISPLAY");
    environment.runtimeDir = Variable("XDG_RUNTIME_DIR");
    environment.qpaPlatform = Variable("QT_QPA_PLATFORM");
    return environment;
}

bool DisplayReachable(const DisplayEnvironment& environment) {
    if (!environment.qpaPlatform.empty()) return true;
    if (!environment.waylandDisplay.empty() && WaylandReachable(environment)) return true;
    return !environment.display.empty() && X11Reachable(environment);
}

bool DisplayUnseen(const DisplayEnvironment& environment) {
    std::string name = FirstPlatformName(environment.qpaPlatform);
    return name == "offscreen" || name == "minimal" || name == "minimalegl";
}

}  // namespace ui
