#include "ui/qt/display_server.h"

#include <cstdlib>
#include <cstring>
#include <optional>

#ifndef _WIN32
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zentrix::ui {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

#ifndef _WIN32

// Closes the socket however the check ends.
class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// `abstract` names a socket in Linux's abstract namespace, where X servers also listen.
bool unixSocketAnswers(const std::string& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.empty() || path.size() + offset >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               path.size() + (abstract ? 0 : 1));
    const Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    return socket.fd() >= 0 &&
           ::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), length) == 0;
}

// A TCP connection to `host`:`port` within a second, as X forwarded over ssh is reached.
bool tcpAnswers(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    bool answered = false;
    for (addrinfo* a = found; a != nullptr && !answered; a = a->ai_next) {
        const Socket socket(::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol));
        if (socket.fd() < 0) {
            continue;
        }
        ::fcntl(socket.fd(), F_SETFL, ::fcntl(socket.fd(), F_GETFL) | O_NONBLOCK);
        if (::connect(socket.fd(), a->ai_addr, a->ai_addrlen) == 0) {
            answered = true;
        } else if (errno == EINPROGRESS) {
            pollfd waiting{socket.fd(), POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof error;
            answered = ::poll(&waiting, 1, 1000) == 1 &&
                       ::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 &&
                       error == 0;
        }
    }
    ::freeaddrinfo(found);
    return answered;
}

struct XDisplayName {
    std::string host;  // empty for this machine
    int number = 0;
};

// "[host]:number[.screen]"; nothing when the name has another form.
std::optional<XDisplayName> parseXDisplay(const std::string& name) {
    const auto colon = name.rfind(':');
    if (colon == std::string::npos || colon + 1 >= name.size()) {
        return std::nullopt;
    }
    std::string host = name.substr(0, colon);
    if (host.find('/') != std::string::npos) {
        return std::nullopt;  // a launcher's socket path, as on macOS
    }
    if (host == "unix") {
        host.clear();
    }
    int number = 0;
    std::size_t i = colon + 1;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        number = number * 10 + (name[i] - '0');
        if (number > 60000) {
            return std::nullopt;
        }
    }
    if (i == colon + 1 || (i < name.size() && name[i] != '.')) {
        return std::nullopt;
    }
    return XDisplayName{host, number};
}

bool xServerAnswers(const DisplayEnvironment& environment) {
    const auto name = parseXDisplay(environment.display);
    if (!name) {
        return true;
    }
    constexpr int kXPortBase = 6000;
    if (!name->host.empty()) {
        return tcpAnswers(name->host, kXPortBase + name->number);
    }
    const std::string path = environment.x11SocketDir + "/X" + std::to_string(name->number);
    return unixSocketAnswers(path, false) || unixSocketAnswers(path, true);
}

bool waylandAnswers(const DisplayEnvironment& environment) {
    const std::string& name = environment.waylandDisplay;
    if (!name.empty() && name.front() == '/') {
        return unixSocketAnswers(name, false);
    }
    return !environment.runtimeDir.empty() &&
           unixSocketAnswers(environment.runtimeDir + "/" + name, false);
}

#endif  // _WIN32

}  // namespace

DisplayEnvironment currentDisplayEnvironment() {
    DisplayEnvironment environment;
    environment.display = environmentValue("DISPLAY");
    environment.waylandDisplay = environmentValue("WAYLAND_DISPLAY");
    environment.runtimeDir = environmentValue("XDG_RUNTIME_DIR");
    return environment;
}

bool displayServerReachable(const DisplayEnvironment& environment) {
#ifdef _WIN32
    static_cast<void>(environment);
    return true;
#else
    return (!environment.waylandDisplay.empty() && waylandAnswers(environment)) ||
           (!environment.display.empty() && xServerAnswers(environment));
#endif
}

}  // namespace zentrix::ui
