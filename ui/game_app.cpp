#include "ui/game_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "display/current_mode_driver.h"
#include "game/random_source.h"
#include "ui/main_window.h"
#include "ui/pictures.h"

#ifndef _WIN32
#include <QSocketNotifier>

#include "display/shutdown_signals.h"
#endif

namespace zentrix::ui {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// On X11 and Wayland desktops a window needs one of their servers; without it the toolkit would
// stop with a long report about its platform plugins. An explicit QT_QPA_PLATFORM (offscreen,
// vnc, ...) is the user's own choice and is left to the toolkit.
bool displayAvailable() {
#if defined(_WIN32) || defined(__APPLE__)
    return true;
#else
    return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
#endif
}

// The primary screen's mode as the toolkit sees it, in device pixels.
display::DisplayMode currentMode() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return {static_cast<std::uint32_t>(size.width()), static_cast<std::uint32_t>(size.height()),
            static_cast<std::uint32_t>(screen->depth()),
            static_cast<std::uint32_t>(std::lround(screen->refreshRate()))};
}

}  // namespace

int runGame(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs("zentrix: no display found (set DISPLAY or WAYLAND_DISPLAY)\n", stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrix"));
    QApplication::setWindowIcon(gameIcon());

    display::CurrentModeDriver driver(currentMode());
    ClockSeededRandom random;
    MainWindow window(random, driver);

    // Every way out runs the window's shut-down; it does its work once.
    QObject::connect(&window, &MainWindow::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &MainWindow::shutDown);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.restoreDisplay(); });

#ifndef _WIN32
    display::ShutdownSignals shutdownSignals;
    QSocketNotifier notifier(shutdownSignals.readFd(), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &window, [&] {
        if (shutdownSignals.takeSignal() != 0) {
            window.close();
        }
    });
#endif

    window.startUp();
    if (window.hasEnded()) {
        return 0;  // told to quit while start-up was still asking about the display
    }
    const int status = QApplication::exec();
    window.shutDown();
    return status;
}

}  // namespace zentrix::ui
