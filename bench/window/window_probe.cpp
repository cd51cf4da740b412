// Starts one window under a real X server and reports what it costs: the time from the process
// being launched to its first painted frame, the resident memory at that frame, and the CPU it
// uses while it sits open. Built twice: once around the game's main window, once around a minimal
// Qt Widgets window, so that the two can be compared in one run on one machine.
//
//   window_probe_* startup        prints first_frame_ms and rss_kb, then quits
//   window_probe_* idle SECONDS   starts a round (the game) and prints idle_cpu_percent
//
// The launcher passes its own clock reading in PROBE_T0_NS (nanoseconds since the epoch), so the
// start-up time includes loading the program and its libraries.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#ifdef PROBE_GAME
#include <QAction>

#include "game/random_source.h"
#include "ui/qt/game_app.h"
#include "ui/qt/main_window.h"
#endif

namespace {

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

// Reports once, right after the window's first paint has been handed to the screen.
class FirstFrame final : public QObject {
public:
    FirstFrame(long long t0Ns, bool quitAfter) : t0Ns_(t0Ns), quitAfter_(quitAfter) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint) {
            seen_ = true;
            // The backing store is flushed once this paint returns; report from the next turn of
            // the event loop.
            QTimer::singleShot(0, this, [this] {
                std::printf("first_frame_ms %.1f\nrss_kb %ld\n", millisecondsSince(t0Ns_),
                            residentKilobytes());
                std::fflush(stdout);
                if (quitAfter_) {
                    QCoreApplication::quit();
                }
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long t0Ns_;
    bool quitAfter_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "startup";
    const char* t0Text = std::getenv("PROBE_T0_NS");
    const long long t0Ns = t0Text != nullptr ? std::atoll(t0Text) : 0;

    QApplication app(argc, argv);
    FirstFrame firstFrame(t0Ns, mode == "startup");
    double start = 0.0;

#ifdef PROBE_GAME
    const auto driver = zentrix::ui::makeDisplayDriver();
    zentrix::ClockSeededRandom random;
    zentrix::ui::MainWindow window(random, *driver);
    window.installEventFilter(&firstFrame);
    window.startUp();
#else
    QLabel window(QStringLiteral("Hello"));
    window.resize(963, 691);
    window.installEventFilter(&firstFrame);
    window.show();
#endif

    if (mode == "idle") {
        const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
#ifdef PROBE_GAME
        // A round running with nobody at the mouse: the countdown and the refresh keep ticking.
        if (auto* newGame = window.findChild<QAction*>(QStringLiteral("mnuFileNew"))) {
            newGame->trigger();
        }
#endif
        // Let the window settle for a second, then measure.
        QTimer::singleShot(1000, &app, [&start] { start = cpuSeconds(); });
        QTimer::singleShot(1000 + seconds * 1000, &app, [&start, seconds] {
            std::printf("idle_cpu_percent %.2f\n", 100.0 * (cpuSeconds() - start) / seconds);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    const int status = QApplication::exec();
#ifdef PROBE_GAME
    window.shutDown();
#endif
    return status;
}
