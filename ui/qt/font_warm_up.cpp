#include "ui/qt/font_warm_up.h"

#include <QFontDatabase>
#include <QStringList>

#ifdef ZENTRIX_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace zentrix::ui {

FontWarmUp::FontWarmUp() {
#ifdef ZENTRIX_HAVE_FONTCONFIG
    thread_ = std::jthread([this] {
        // FcInit loads the configuration once per process, and the toolkit's own call then finds
        // it loaded. fontconfig guards its current configuration itself: a toolkit asking before
        // this is done would load it a second time, never see half of it.
        FcInit();
        released_.wait();
        if (withApplication_) {
            static_cast<void>(QFontDatabase::families());
        }
    });
#endif
}

FontWarmUp::~FontWarmUp() {
    finish();
}

void FontWarmUp::applicationStarted() {
    release(true);
}

void FontWarmUp::finish() {
    release(false);
    if (thread_.joinable()) {
        thread_.join();
    }
}

void FontWarmUp::release(bool withApplication) {
    if (releasedOnce_) {
        return;
    }
    releasedOnce_ = true;
    withApplication_ = withApplication;
    released_.count_down();
}

}  // namespace zentrix::ui
