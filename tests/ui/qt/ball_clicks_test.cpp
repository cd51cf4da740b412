// How a player's mouse meets the balls beyond single clicks.
#include <QStyleHints>

#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

using BallClicksTest = WindowTest;

// A double-click on a free ball is one click: the ball ends up selected, not toggled back.
TEST_F(BallClicksTest, ADoubleClickSelectsABallOnce) {
    startUp();
    deal.push(std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2});
    newGame();
    ASSERT_TRUE(box(20)->isEnabled());

    const QPoint centre = box(20)->mapTo(window.get(), box(20)->rect().center());
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    QCoreApplication::processEvents();

    EXPECT_TRUE(look(20).selected);
    EXPECT_EQ(label(1)->text(), QStringLiteral("1"));

    // A second double-click drops it again.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    QCoreApplication::processEvents();
    EXPECT_FALSE(look(20).selected);
    EXPECT_EQ(label(1)->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace zentrix::ui::testing
