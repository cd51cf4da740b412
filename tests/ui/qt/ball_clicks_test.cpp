// How a player's mouse and keyboard meet the game beyond single clicks and presses: a
// double-click, and a key held down until the keyboard repeats it.
#include <QKeyEvent>
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

// Enter held down on `widget`: the first press, `repeats` presses the keyboard repeats, then the
// release.
void holdEnter(QWidget* widget, int repeats) {
    for (int i = 0; i <= repeats; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                        i > 0);
        QCoreApplication::sendEvent(widget, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(widget, &release);
    QCoreApplication::processEvents();
}

// A held Enter presses a ball once and Next Ball once, however often the keyboard repeats it.
TEST_F(BallClicksTest, AHeldKeyPressesOnce) {
    startUp();
    deal.push(std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2});
    newGame();
    clickBall(20);
    ASSERT_TRUE(look(20).selected);
    ASSERT_TRUE(box(20)->hasFocus());
    holdEnter(box(20), 5);
    EXPECT_FALSE(look(20).selected);
    EXPECT_EQ(label(1)->text(), QStringLiteral("0"));

    QPushButton* next = button("cmdNext");
    next->setFocus();
    deal.push(std::vector<int>{7, 8});
    holdEnter(next, 5);
    EXPECT_EQ(look(layout::kNextBallSlot).value, 7);
    EXPECT_EQ(deal.pending(), 1u);
}

}  // namespace
}  // namespace zentrix::ui::testing
