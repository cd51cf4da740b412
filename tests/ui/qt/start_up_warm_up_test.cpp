// Start-up work done ahead on a thread of its own: the window opened afterwards draws in the fonts
// it would have found itself, and a warm-up that the game leaves early (before the application
// exists, or without waiting for it) still ends instead of holding the game open.
#include "ui/qt/start_up_warm_up.h"

#include <QFontDatabase>
#include <QFontInfo>

#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

using StartUpWarmUpTest = WindowTest;

// Each test runs in a process of its own, so the font list here is the one the thread read.
TEST_F(StartUpWarmUpTest, TheWindowOpenedAfterItFindsItsOwnFonts) {
    StartUpWarmUp warmUp;
    warmUp.applicationStarted();
    warmUp.applicationStarted();
    warmUp.finish();
    warmUp.finish();

    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
    startUp();
    const QFontInfo sum(label(1)->font());
    EXPECT_EQ(sum.family(), "Liberation Sans");
    EXPECT_EQ(sum.pixelSize(), 48);
    const QFontInfo next(button("cmdNext")->font());
    EXPECT_EQ(next.family(), "Liberation Sans");
    EXPECT_TRUE(next.bold());
    EXPECT_EQ(window->size(), window->sizeHint());
}

// Left early, the warm-up ends all the same: a thread waiting for an application that never comes
// would hang here until the test run gives up.
TEST(StartUpWarmUp, EndsWhenTheGameLeavesEarly) {
    { const StartUpWarmUp unfinished; }
    StartUpWarmUp warmUp;
    warmUp.finish();
    warmUp.applicationStarted();
    warmUp.finish();
    SUCCEED();
}

}  // namespace
}  // namespace zentrix::ui::testing
