#include "ui/qt/start_up_warm_up.h"

#include <QDBusConnection>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#ifdef ZENTRIX_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace zentrix::ui {

StartUpWarmUp::StartUpWarmUp() {
#ifdef ZENTRIX_HAVE_FONTCONFIG
    thread_ = std::jthread([this] {
        // FcInit loads the configuration once per process, and the toolkit's own call then finds
        // it loaded. fontconfig guards its current configuration itself: a toolkit asking before
        // this is done would load it a second time, never see half of it.
        FcInit();
        released_.wait();
        if (!withApplication_) {
            return;
        }
        // The bus first: the window's first widget wants it within a millisecond or two, its
        // first text only later.
        if (onX11_) {
            static_cast<void>(QDBusConnection::sessionBus().isConnected());
        }
        static_cast<void>(QFontDatabase::families());
    });
#endif
}

StartUpWarmUp::~StartUpWarmUp() {
    finish();
}

void StartUpWarmUp::applicationStarted() {
    // Other platforms (Wayland, offscreen, ...) start no bridge that way.
    onX11_ = QGuiApplication::platformName() == QStringLiteral("xcb");
    release(true);
}

void StartUpWarmUp::finish() {
    release(false);
    if (thread_.joinable()) {
        thread_.join();
    }
}

void StartUpWarmUp::release(bool withApplication) {
    if (releasedOnce_) {
        return;
    }
    releasedOnce_ = true;
    withApplication_ = withApplication;
    released_.count_down();
}

}  // namespace zentrix::ui
