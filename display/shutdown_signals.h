// Turns SIGINT and SIGTERM into an orderly shutdown, so that the display is restored on those
// ways out too. A signal handler may do almost nothing safely, so it only writes the signal's
// number into a pipe; the program watches the pipe's read end in its event loop and quits
// normally when it becomes readable. With Qt:
//
//     ShutdownSignals shutdownSignals;  // before the event loop starts; one instance at a time
//     QSocketNotifier notifier(shutdownSignals.readFd(), QSocketNotifier::Read);
//     QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
//         if (shutdownSignals.takeSignal() != 0) QCoreApplication::quit();
//     });
//     app.exec();
//     session.restore();
//
// POSIX only. On Windows the game is a windowed program without a console: logout and
// shutdown reach it as window messages, which Qt turns into a normal quit.
#pragma once

#ifndef _WIN32

#include <csignal>

namespace zentrix::display {

class ShutdownSignals {
public:
    // Opens the pipe and installs the handlers for SIGINT and SIGTERM. Throws
    // std::system_error if the pipe cannot be made or a handler cannot be installed, and
    // std::logic_error if another instance is alive.
    ShutdownSignals();
    // Puts back the handlers that were there before and closes the pipe.
    ~ShutdownSignals();

    ShutdownSignals(const ShutdownSignals&) = delete;
    ShutdownSignals& operator=(const ShutdownSignals&) = delete;

    // Becomes readable once SIGINT or SIGTERM has arrived. Non-blocking, closed on exec.
    int readFd() const { return readFd_; }

    // Empties the pipe and returns the first signal that arrived since the last call (SIGINT or
    // SIGTERM), or 0 if none did.
    int takeSignal();

private:
    int readFd_ = -1;
    int writeFd_ = -1;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};

}  // namespace zentrix::display

#endif  // _WIN32
