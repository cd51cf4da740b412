#ifndef _WIN32

#include "display/shutdown_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace zentrix::display {

namespace {

// The write end for the handler; -1 while no instance is alive.
std::atomic<int> handlerWriteFd{-1};

extern "C" void writeSignalToPipe(int signalNumber) {
    const int savedErrno = errno;
    const int fd = handlerWriteFd.load();
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a shutdown request; nothing is lost by dropping this one.
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
    errno = savedErrno;
}

void setFlags(int fd) {
    const int statusFlags = fcntl(fd, F_GETFL);
    const int descriptorFlags = fcntl(fd, F_GETFD);
    if (statusFlags < 0 || descriptorFlags < 0 ||
        fcntl(fd, F_SETFL, statusFlags | O_NONBLOCK) < 0 ||
        fcntl(fd, F_SETFD, descriptorFlags | FD_CLOEXEC) < 0) {
        throw std::system_error(errno, std::generic_category(), "shutdown pipe flags");
    }
}

}  // namespace

ShutdownSignals::ShutdownSignals() {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::system_error(errno, std::generic_category(), "shutdown pipe");
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    try {
        setFlags(readFd_);
        setFlags(writeFd_);
        int expected = -1;
        if (!handlerWriteFd.compare_exchange_strong(expected, writeFd_)) {
            throw std::logic_error("only one ShutdownSignals may be alive");
        }
        struct sigaction action {};
        action.sa_handler = writeSignalToPipe;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        if (sigaction(SIGINT, &action, &previousInt_) != 0) {
            handlerWriteFd.store(-1);
            throw std::system_error(errno, std::generic_category(), "SIGINT handler");
        }
        if (sigaction(SIGTERM, &action, &previousTerm_) != 0) {
            const int error = errno;
            sigaction(SIGINT, &previousInt_, nullptr);
            handlerWriteFd.store(-1);
            throw std::system_error(error, std::generic_category(), "SIGTERM handler");
        }
    } catch (...) {
        close(readFd_);
        close(writeFd_);
        throw;
    }
}

ShutdownSignals::~ShutdownSignals() {
    sigaction(SIGTERM, &previousTerm_, nullptr);
    sigaction(SIGINT, &previousInt_, nullptr);
    handlerWriteFd.store(-1);
    close(readFd_);
    close(writeFd_);
}

int ShutdownSignals::takeSignal() {
    int first = 0;
    unsigned char buffer[16];
    for (;;) {
        const ssize_t count = read(readFd_, buffer, sizeof buffer);
        if (count > 0) {
            if (first == 0) {
                first = buffer[0];
            }
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        return first;
    }
}

}  // namespace zentrix::display

#endif  // _WIN32
