// The window at any size: the whole playing area scaled uniformly and centred on the felt, the
// design size drawn exactly as it always was, and the opening size that suits the screen.
#include <QImage>
#include <QStandardPaths>

#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

// Free at first: 9 (3), 20 (4), 21 (5) and the next ball (7).
const std::vector<int> kBoard = {1, 2, 3,  6, 8, 9, 10, 1, 2,  3, 6,
                                 8, 9, 10, 1, 2, 6, 8,  9, 10, 4, 5};
constexpr int kNextBall = 7;

class ScaledWindowTest : public WindowTest {
protected:
    void dealStandardBoard() {
        deal.push(kBoard);
        deal.push(kNextBall);
        newGame();
    }
};

QString goldenPath() {
    return QStringLiteral(ZENTRIX_UI_TEST_DATA "/board-design-size.png");
}

// At the design size the board is drawn pixel for pixel as it was before the window could scale:
// balls, a ring, markers, labels, the bar and the buttons. Only the Next Ball caption, moved
// clear of the button's focus frame, is left out of the comparison.
TEST_F(ScaledWindowTest, TheDesignSizeDrawsEveryPixelAsBefore) {
    startUp();
    dealStandardBoard();
    timer(1)->stop();  // the countdown would change the bar and the seconds while we look
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "0"; }));
    timer(2)->stop();
    clickBall(20);
    ASSERT_TRUE(look(20).selected);
    button("cmdNext")->setFocus();
    QCoreApplication::processEvents();

    const QImage shot = window->board()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("ZENTRIX_WRITE_GOLDEN")) {
        ASSERT_TRUE(shot.save(goldenPath()));
        GTEST_SKIP() << "wrote " << goldenPath().toStdString();
    }
    const QImage golden = QImage(goldenPath()).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull()) << goldenPath().toStdString();
    ASSERT_EQ(shot.size(), golden.size());

    const QRect next = button("cmdNext")->geometry();
    const QRect caption(next.x() + 5, next.y() + 94, 103, 22);
    int differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (!caption.contains(x, y) && shot.pixel(x, y) != golden.pixel(x, y)) {
                if (differing++ == 0) {
                    first = QPoint(x, y);
                }
            }
        }
    }
    if (differing > 0) {
        const QString saved =
            QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/board-actual.png";
        shot.save(saved);
        ADD_FAILURE() << differing << " pixels differ, the first at " << first.x() << ","
                      << first.y() << "; the board as drawn is in " << saved.toStdString();
    }
}

}  // namespace
}  // namespace zentrix::ui::testing
