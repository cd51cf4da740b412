// Starts one window under a real X server and reports what it costs: the time from the process
// being launched to its first painted frame, the resident memory at that frame, and the CPU it
// uses while it sits open. Built twice: once as the game itself (the game's own start-up, through
// runGame), once around a minimal Qt Widgets window, so that the two can be compared in one run
// on one machine.
//
// The probe takes its orders from the environment, so that the game sees the command line a
// player's launcher gives it:
//   PROBE_MODE=startup        prints first_frame_ms and rss_kb, then quits (the default)
//   PROBE_MODE=idle           starts a round (the game), waits PROBE_IDLE_SECONDS (default 20)
//                             and prints idle_cpu_percent
//   PROBE_T0_NS               the launcher's clock reading (nanoseconds since the epoch) when it
//                             started the process, so the start-up time includes loading the
//                             program and its libraries; map_watch sets it
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#ifdef PROBE_GAME
#include "ui/qt/game_app.h"
#endif

namespace {

std::string environmentValue(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double millisecondsSince(long long t0Ns) {
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    return static_cast<double>(now - t0Ns) / 1e6;
}

// A round running with nobody at the mouse: the countdown and the refresh keep ticking. The
// minimal window has no such menu and just sits there.
void startRound() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* newGame = window->findChild<QAction*>(QStringLiteral("mnuFileNew"))) {
            newGame->trigger();
            return;
        }
    }
}

// Watches every widget of the application and acts once, right after the first paint has been
// handed to the screen.
class FirstFrame final : public QObject {
public:
    FirstFrame(long long t0Ns, bool idle, int idleSeconds)
        : QObject(qApp), t0Ns_(t0Ns), idle_(idle), idleSeconds_(idleSeconds) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            seen_ = true;
            // The backing store is flushed once this paint returns; act from the next turn of
            // the event loop.
            QTimer::singleShot(0, this, [this] {
                if (idle_) {
                    measureIdle();
                    return;
                }
                std::printf("first_frame_ms %.1f\nrss_kb %ld\n", millisecondsSince(t0Ns_),
                            residentKilobytes());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void measureIdle() {
        startRound();
        // Let the window settle for a second, then measure.
        QTimer::singleShot(1000, this, [this] { idleStart_ = cpuSeconds(); });
        QTimer::singleShot(1000 + idleSeconds_ * 1000, this, [this] {
            std::printf("idle_cpu_percent %.2f\n",
                        100.0 * (cpuSeconds() - idleStart_) / idleSeconds_);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

    long long t0Ns_;
    bool idle_;
    int idleSeconds_;
    bool seen_ = false;
    double idleStart_ = 0.0;
};

// Runs inside the application's constructor, whichever code constructs it: the game's own
// start-up is measured as it is.
void watchFirstFrame() {
    const long long t0Ns = std::atoll(environmentValue("PROBE_T0_NS", "0").c_str());
    const bool idle = environmentValue("PROBE_MODE", "startup") == "idle";
    const int seconds = std::atoi(environmentValue("PROBE_IDLE_SECONDS", "20").c_str());
    qApp->installEventFilter(new FirstFrame(t0Ns, idle, seconds));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstFrame)

int main(int argc, char** argv) {
#ifdef PROBE_GAME
    return zentrix::ui::runGame(argc, argv);
#else
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(963, 691);
    window.show();
    return QApplication::exec();
#endif
}
