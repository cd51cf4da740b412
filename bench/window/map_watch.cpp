// Times a program from its exec to the X server's map of its first top-level window: what a player
// waits for between starting the game and seeing its window appear.
//
//   map_watch [--stop] PROGRAM [ARGS...]
//
// Watches the root window of $DISPLAY for the map of a top-level window whose _NET_WM_PID is the
// program's, and prints "map_ms <ms>" (milliseconds since just before the fork). With --stop the
// program is sent SIGTERM once its window is mapped; either way the watcher waits for it to end.
// The program also finds the fork's wall-clock time in PROBE_T0_NS (nanoseconds since the epoch),
// so a window probe started this way reports its first frame from the same instant.
//
// Exit status: 0 when the window was mapped, 1 when the program ended or 10 s passed without a
// map, 2 on a usage or display error.
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = std::chrono::seconds(10);

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> own(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto reply = own(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The window's _NET_WM_PID, or -1 when it has none.
long windowPid(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t pidAtom) {
    const auto reply = own(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return -1;
    }
    std::uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
    return static_cast<long>(pid);
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Polls for the next event until `deadline`; null when the time is up or the program has ended
// (`ended` is then set).
xcb_generic_event_t* nextEvent(xcb_connection_t* connection, pid_t child, int& childStatus,
                               bool& ended, Clock::time_point deadline) {
    while (Clock::now() < deadline) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            return event;
        }
        if (xcb_connection_has_error(connection) != 0) {
            return nullptr;
        }
        if (::waitpid(child, &childStatus, WNOHANG) == child) {
            ended = true;
            return nullptr;
        }
        // Short slices: a program that ends without a window is noticed within a few ms.
        pollfd waiting{xcb_get_file_descriptor(connection), POLLIN, 0};
        ::poll(&waiting, 1, 5);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    bool stop = false;
    if (first < argc && std::strcmp(argv[first], "--stop") == 0) {
        stop = true;
        ++first;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: map_watch [--stop] PROGRAM [ARGS...]\n");
        return 2;
    }

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "map_watch: cannot open the display\n");
        xcb_disconnect(connection);
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t pidAtom = internAtom(connection, "_NET_WM_PID");

    // Top-level windows are the root's children, so their maps arrive as the root's substructure
    // events. The check below is a round trip: the selection is in force before the fork.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const auto selected = xcb_request_check(
        connection,
        xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask));
    if (selected != nullptr) {
        std::fprintf(stderr, "map_watch: cannot watch the root window\n");
        std::free(selected);
        xcb_disconnect(connection);
        return 2;
    }

    const auto wallStart = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
    const std::string t0 = std::to_string(wallStart);
    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("map_watch: fork");
        return 2;
    }
    if (child == 0) {
        ::close(xcb_get_file_descriptor(connection));
        ::setenv("PROBE_T0_NS", t0.c_str(), 1);
        ::execvp(argv[first], argv + first);
        std::fprintf(stderr, "map_watch: cannot run %s: %s\n", argv[first], std::strerror(errno));
        ::_exit(127);
    }

    int childStatus = 0;
    bool ended = false;
    bool mapped = false;
    const Clock::time_point deadline = start + kTimeout;
    while (!mapped && !ended) {
        xcb_generic_event_t* event = nextEvent(connection, child, childStatus, ended, deadline);
        if (event == nullptr) {
            break;
        }
        const Clock::time_point seen = Clock::now();
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            // Menus and tooltips bypass the window manager; the program's window does not.
            if (map->override_redirect == 0 &&
                windowPid(connection, map->window, pidAtom) == static_cast<long>(child)) {
                std::printf("map_ms %.2f\n", millisecondsBetween(start, seen));
                std::fflush(stdout);
                mapped = true;
            }
        }
        std::free(event);
    }
    xcb_disconnect(connection);

    if (!ended) {
        if (stop || !mapped) {
            ::kill(child, SIGTERM);
        }
        ::waitpid(child, &childStatus, 0);
    }
    if (!mapped) {
        std::fprintf(stderr, "map_watch: %s mapped no window\n", argv[first]);
        return 1;
    }
    return 0;
}
