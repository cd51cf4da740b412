#include "ui/qt/game_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QSessionManager>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "display/current_mode_driver.h"
#include "display/windows_display_driver.h"
#include "game/random_source.h"
#include "ui/qt/command_line.h"
#include "ui/qt/display_server.h"
#include "ui/qt/main_window.h"
#include "ui/qt/pictures.h"
#include "ui/qt/start_up_warm_up.h"

#ifndef _WIN32
#include <QSocketNotifier>

#include "display/shutdown_signals.h"
#endif

namespace zentrix::ui {

namespace {

// On X11 and Wayland desktops a window needs one of their servers; without it the toolkit would
// stop with a long report about its platform plugins. An explicit QT_QPA_PLATFORM (offscreen,
// vnc, ...) is the user's own choice and is left to the toolkit, as is a -platform option; a
// -display option names the X server to check. Returns what to tell the player, or nothing when
// the window can open.
std::optional<std::string> displayProblem(const CommandLineRequest& request) {
#if defined(_WIN32) || defined(__APPLE__)
    (void)request;
    return std::nullopt;
#else
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((platform != nullptr && *platform != '\0') || !request.platform.isEmpty()) {
        return std::nullopt;
    }
    DisplayEnvironment environment = currentDisplayEnvironment();
    if (!request.display.isEmpty()) {
        environment.display = request.display.toStdString();
        environment.waylandDisplay.clear();
    }
    if (environment.display.empty() && environment.waylandDisplay.empty()) {
        return "no display found (set DISPLAY or WAYLAND_DISPLAY)";
    }
    if (!displayServerReachable(environment)) {
        return "cannot reach the display " +
               (environment.display.empty() ? environment.waylandDisplay : environment.display);
    }
    return std::nullopt;
#endif
}

#ifndef _WIN32
// The primary screen's mode as the toolkit sees it, in device pixels.
display::DisplayMode primaryScreenMode() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return {static_cast<std::uint32_t>(size.width()), static_cast<std::uint32_t>(size.height()),
            static_cast<std::uint32_t>(screen->depth()),
            static_cast<std::uint32_t>(std::lround(screen->refreshRate()))};
}
#endif

}  // namespace

std::unique_ptr<display::DisplayDriver> makeDisplayDriver() {
#ifdef _WIN32
    return std::make_unique<display::WindowsDisplayDriver>();
#else
    return std::make_unique<display::CurrentModeDriver>(primaryScreenMode());
#endif
}

namespace {

// Answers --help, --version and a command line the game does not understand, before anything
// else starts; returns the exit code, or nothing when the game is to be played.
std::optional<int> answerCommandLine(const QStringList& arguments,
                                     const CommandLineRequest& request) {
    switch (request.action) {
        case CommandLineRequest::Action::ShowHelp:
            std::fputs(usageText(arguments.value(0)).toLocal8Bit().constData(), stdout);
            return 0;
        case CommandLineRequest::Action::ShowVersion:
            std::fputs(versionText().toLocal8Bit().constData(), stdout);
            return 0;
        case CommandLineRequest::Action::Refuse:
            std::fprintf(stderr, "zentrix: %s\n\n%s", request.error.toLocal8Bit().constData(),
                         usageText(arguments.value(0)).toLocal8Bit().constData());
            return kUsageExitCode;
        case CommandLineRequest::Action::Play:
            break;
    }
    return std::nullopt;
}

}  // namespace

int runGame(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const CommandLineRequest request = readCommandLine(arguments);
    if (const auto answered = answerCommandLine(arguments, request)) {
        return *answered;
    }
    if (const auto problem = displayProblem(request)) {
        std::fprintf(stderr, "zentrix: %s\n", problem->c_str());
        return 1;
    }
    StartUpWarmUp warmUp;

    QApplication app(argc, argv);
    warmUp.applicationStarted();
    // What needs the application is done before the application goes, however runGame ends.
    const auto warmedUp = qScopeGuard([&warmUp] { warmUp.finish(); });
    QApplication::setApplicationName(QStringLiteral("Zentrix"));
    // Ties the window to its desktop entry and icon where the desktop asks (Wayland's app id).
    QGuiApplication::setDesktopFileName(QStringLiteral(ZENTRIX_APP_ID));
    QApplication::setWindowIcon(gameIcon());

    const std::unique_ptr<display::DisplayDriver> driver = makeDisplayDriver();
    ClockSeededRandom random;
    MainWindow window(random, *driver);

    // Every way out runs the window's shut-down; it does its work once.
    QObject::connect(&window, &MainWindow::gameEnded, &app, &QCoreApplication::quit,
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

    // Start-up sizes the window by its menu bar, the first text measured.
    warmUp.finish();
    window.startUp();
    if (window.hasEnded()) {
        return 0;  // told to quit while start-up was still asking about the display
    }
    const int status = QApplication::exec();
    window.shutDown();
    return status;
}

}  // namespace zentrix::ui
