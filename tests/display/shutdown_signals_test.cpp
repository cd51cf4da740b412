#include "display/shutdown_signals.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "display/display_session.h"
#include "display/scripted_display_driver.h"
#include "recording_messages.h"

namespace zentrix::display {
namespace {

// Waits as an event loop does: a signal arriving mid-wait interrupts it and the wait resumes.
bool readable(int fd, int timeoutMs) {
    pollfd watched{fd, POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&watched, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready == 1 && (watched.revents & POLLIN) != 0;
}

// A signal makes the pipe readable and is reported once, by number; the first of several wins.
TEST(ShutdownSignals, TurnsSignalsIntoOneReadableRequest) {
    ShutdownSignals shutdownSignals;
    EXPECT_FALSE(readable(shutdownSignals.readFd(), 0));
    EXPECT_EQ(shutdownSignals.takeSignal(), 0);

    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(readable(shutdownSignals.readFd(), 1000));
    EXPECT_EQ(shutdownSignals.takeSignal(), SIGTERM);
    EXPECT_FALSE(readable(shutdownSignals.readFd(), 0));

    ASSERT_EQ(std::raise(SIGINT), 0);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_EQ(shutdownSignals.takeSignal(), SIGINT);
    EXPECT_EQ(shutdownSignals.takeSignal(), 0);
}

volatile std::sig_atomic_t earlierHandlerCalls = 0;
extern "C" void earlierHandler(int) {
    earlierHandlerCalls = earlierHandlerCalls + 1;
}

// The handlers that were installed before are put back when the object goes, and only one
// object may own the signals at a time.
TEST(ShutdownSignals, PutsBackEarlierHandlersAndAllowsOneOwner) {
    struct sigaction earlier {};
    earlier.sa_handler = earlierHandler;
    sigemptyset(&earlier.sa_mask);
    struct sigaction savedInt {};
    struct sigaction savedTerm {};
    ASSERT_EQ(sigaction(SIGINT, &earlier, &savedInt), 0);
    ASSERT_EQ(sigaction(SIGTERM, &earlier, &savedTerm), 0);

    {
        ShutdownSignals shutdownSignals;
        EXPECT_THROW(ShutdownSignals second, std::logic_error);
        ASSERT_EQ(std::raise(SIGTERM), 0);
        EXPECT_EQ(earlierHandlerCalls, 0);
        EXPECT_EQ(shutdownSignals.takeSignal(), SIGTERM);
    }
    ASSERT_EQ(std::raise(SIGINT), 0);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_EQ(earlierHandlerCalls, 2);

    // A new owner may take over once the first is gone.
    {
        ShutdownSignals again;
        ASSERT_EQ(std::raise(SIGINT), 0);
        EXPECT_EQ(again.takeSignal(), SIGINT);
    }

    sigaction(SIGINT, &savedInt, nullptr);
    sigaction(SIGTERM, &savedTerm, nullptr);
}

// A running game sent SIGINT or SIGTERM from outside quits in order and puts the display back
// exactly: a child process plays the game's part with a scripted display and reports what its
// display went through.
TEST(ShutdownSignals, SignalFromOutsideEndsTheRunWithTheDisplayRestored) {
    for (const int signalNumber : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(report[0]);
            constexpr DisplayMode desktop{1280, 1024, 32, 75};
            ScriptedDisplayDriver driver({{1024, 768, 16, 60}, desktop}, desktop);
            testing::RecordingMessages messages;
            ShutdownSignals shutdownSignals;
            DisplaySession session(driver, messages);
            session.start();
            const char ready = 'r';
            if (write(report[1], &ready, 1) != 1) {
                _exit(2);
            }
            // The event loop: wait for the quit request, as the window's notifier would.
            int received = 0;
            while (received == 0) {
                if (readable(shutdownSignals.readFd(), 120000)) {  // only a parent gone
                    received = shutdownSignals.takeSignal();
                } else {
                    _exit(3);
                }
            }
            session.restore();
            const DisplayMode now = driver.currentMode().value_or(DisplayMode{});
            char line[128];
            const int length = std::snprintf(line, sizeof line, "%d %ux%ux%u@%u changes=%zu",
                                             received, now.width, now.height, now.bitsPerPixel,
                                             now.refreshRate, driver.changes().size());
            const bool sent = write(report[1], line, static_cast<std::size_t>(length)) == length;
            _exit(sent ? 0 : 4);
        }
        close(report[1]);
        char ready = 0;
        ASSERT_EQ(read(report[0], &ready, 1), 1);
        ASSERT_EQ(kill(child, signalNumber), 0);

        std::string received;
        char buffer[128];
        ssize_t count = 0;
        while ((count = read(report[0], buffer, sizeof buffer)) > 0) {
            received.append(buffer, static_cast<std::size_t>(count));
        }
        close(report[0]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "the game was killed instead of quitting";
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(received, std::to_string(signalNumber) + " 1280x1024x32@75 changes=2");
    }
}

}  // namespace
}  // namespace zentrix::display
