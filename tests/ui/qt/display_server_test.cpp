// The check that a display server answers before the window toolkit is asked to open a window.
#include "ui/qt/display_server.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstring>
#include <string>

namespace zentrix::ui {
namespace {

// A listening Unix socket at `path`, closed when it goes.
class Listener {
public:
    explicit Listener(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        ok_ = fd_ >= 0 &&
              ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
              ::listen(fd_, 4) == 0;
    }
    ~Listener() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    bool ok() const { return ok_; }

private:
    int fd_;
    bool ok_ = false;
};

class DisplayServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
};

// An X server on this machine is found by its display number, with or without a screen or the
// "unix" host; another number, with nobody listening, is not.
TEST_F(DisplayServerTest, FindsALocalXServerByItsNumber) {
    Listener server(path("X7"));
    ASSERT_TRUE(server.ok());
    DisplayEnvironment environment;
    environment.x11SocketDir = dir.path().toStdString();

    for (const char* display : {":7", ":7.0", "unix:7"}) {
        environment.display = display;
        EXPECT_TRUE(displayServerReachable(environment)) << display;
    }
    for (const char* display : {":8", ":70", "unix:8.1"}) {
        environment.display = display;
        EXPECT_FALSE(displayServerReachable(environment)) << display;
    }
}

// A Wayland compositor is found by its socket name in the runtime folder, or by a full path.
TEST_F(DisplayServerTest, FindsAWaylandCompositorBySocket) {
    Listener compositor(path("wayland-test"));
    ASSERT_TRUE(compositor.ok());
    DisplayEnvironment environment;
    environment.x11SocketDir = dir.path().toStdString();
    environment.runtimeDir = dir.path().toStdString();

    environment.waylandDisplay = "wayland-test";
    EXPECT_TRUE(displayServerReachable(environment));
    environment.waylandDisplay = path("wayland-test");
    EXPECT_TRUE(displayServerReachable(environment));
    environment.waylandDisplay = "wayland-gone";
    EXPECT_FALSE(displayServerReachable(environment));
    // A dead compositor with a live X server beside it: the toolkit can still use X.
    Listener server(path("X3"));
    environment.display = ":3";
    EXPECT_TRUE(displayServerReachable(environment));
}

// Nothing named means nothing to reach; a display name of another form is left to the toolkit.
TEST_F(DisplayServerTest, JudgesOnlyWhatItUnderstands) {
    DisplayEnvironment environment;
    environment.x11SocketDir = dir.path().toStdString();
    EXPECT_FALSE(displayServerReachable(environment));
    for (const char* display : {"/private/tmp/launch-x/org.xquartz:0", "nonsense", ":x"}) {
        environment.display = display;
        EXPECT_TRUE(displayServerReachable(environment)) << display;
    }
}

}  // namespace
}  // namespace zentrix::ui
