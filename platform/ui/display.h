// Whether a windowed back end can start: a display named by the environment that is there to
// connect to. A DISPLAY left over from another session (an ssh login without forwarding, a
// stopped X server) must not end the program when the window system refuses it.
#pragma once

#include <string>

namespace ui {

struct DisplayEnvironment {
    std::string display;         // DISPLAY: "[host]:number[.screen]"
    std::string waylandDisplay;  // WAYLAND_DISPLAY: a socket name in the runtime folder, or a path
    std::string runtimeDir;      // XDG_RUNTIME_DIR
    std::string qpaPlatform;     // QT_QPA_PLATFORM: a platform chosen by hand is trusted
    std::string x11SocketDir = "/tmp/.X11-unix";

    static DisplayEnvironment FromProcess();
};

bool DisplayReachable(const DisplayEnvironment& environment = DisplayEnvironment::FromProcess());

// Whether the Qt platform chosen by hand draws into memory only (offscreen, minimal): its
// windows are seen by nobody, and nobody answers their message boxes.
bool DisplayUnseen(const DisplayEnvironment& environment = DisplayEnvironment::FromProcess());

}  // namespace ui
