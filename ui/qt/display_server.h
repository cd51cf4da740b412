// Whether the desktop's display server can be reached, judged before the window toolkit tries:
// when it cannot, the toolkit stops the program with a long report about its platform plugins,
// where one line says all the player needs.
#pragma once

#include <string>

namespace zentrix::ui {

struct DisplayEnvironment {
    std::string display;         // DISPLAY, for an X server
    std::string waylandDisplay;  // WAYLAND_DISPLAY, a socket name or path
    std::string runtimeDir;      // XDG_RUNTIME_DIR, where Wayland sockets live
    std::string x11SocketDir = "/tmp/.X11-unix";
};

// The environment this process was started with.
DisplayEnvironment currentDisplayEnvironment();

// True when a Wayland compositor or an X server named by the environment accepts a connection.
// A DISPLAY this check cannot make sense of is left to the toolkit and counts as reachable.
bool displayServerReachable(const DisplayEnvironment& environment);

}  // namespace zentrix::ui
