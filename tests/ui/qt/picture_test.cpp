// What the window draws, read back from its pixels after a seeded deal: the felt, each ball in
// its value's colour and cut round with a smoothed edge, and a shown ring outside its ball.
// These tests also run at a scale factor of 2 (see CMakeLists.txt).
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <cmath>

#include "ui/qt/felt_button.h"
#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

// The ball colours by value, 1..10.
const std::array<QColor, 11> kBallColours = {
    QColor(),
    QColor(138, 71, 249),
    QColor(19, 183, 208),
    QColor(98, 207, 18),
    QColor(169, 18, 207),
    QColor(207, 18, 98),
    QColor(255, 162, 111),
    QColor(7, 105, 58),
    QColor(0, 0, 0),
    QColor(251, 245, 121),
    QColor(144, 129, 10),
};
const QColor kFelt(82, 139, 105);
const QColor kMagenta(255, 0, 255);

// Colours within two units on every channel: the two drawings of a picture may differ by a
// rounding step once scaled.
bool near(QColor a, QColor b, int tolerance = 2) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

::testing::AssertionResult isColour(QColor actual, QColor expected, int tolerance = 2) {
    if (near(actual, expected, tolerance)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got " << actual.name().toStdString() << ", wanted " << expected.name().toStdString();
}

class PictureTest : public WindowTest {
protected:
    // The board as it stands, and a reader of its pixels in the board's own (logical) coordinates.
    void grabBoard() {
        image = window->board()->grab().toImage();
        ratio = image.devicePixelRatio();
    }
    QColor at(QPointF logical) const {
        const QPoint device(static_cast<int>(std::floor(logical.x() * ratio)),
                            static_cast<int>(std::floor(logical.y() * ratio)));
        return image.pixelColor(device);
    }
    QColor at(int x, int y) const { return at(QPointF(x + 0.5, y + 0.5)); }

    QImage image;
    qreal ratio = 1.0;
};

// The offscreen platform must find the fonts the window is drawn with.
TEST_F(PictureTest, TheWindowsFontsAreInstalled) {
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        << "install fonts-liberation2";
    startUp();
    const QFontInfo sum(label(1)->font());
    EXPECT_EQ(sum.family(), "Liberation Sans");
    EXPECT_EQ(sum.pixelSize(), 48);  // Arial 36 pt
    const QFontInfo seconds(label(7)->font());
    EXPECT_EQ(seconds.pixelSize(), 16);  // Arial 12 pt bold
    EXPECT_TRUE(seconds.bold());
    EXPECT_EQ(QFontInfo(button("cmdNext")->font()).family(), "Liberation Sans");
}

// After a seeded deal every ball shows its value's colour inside its ellipse and the felt
// outside it; the felt fills the window; a selected ball's ring shows around it.
TEST_F(PictureTest, ADealtBoardShowsBallsByValueOnTheFelt) {
    startUp();
    const std::vector<int> values = {1, 2, 3, 4, 5, 6, 7, 8, 9,  10, 1,
                                     2, 3, 4, 5, 6, 7, 8, 9, 10, 1,  2};
    deal.push(values);
    deal.push(3);
    action("mnuFileNew")->trigger();
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "0"; }));
    grabBoard();

    int feltCornersSeen = 0;
    for (int slot = 0; slot < 23; ++slot) {
        SCOPED_TRACE(slot);
        const int value = slot < 22 ? values[static_cast<std::size_t>(slot)] : 3;
        const QPoint corner = BoardView::ballBoxRect(slot).topLeft();
        // Below-left of the centre, away from the number disc near (80, 40).
        EXPECT_TRUE(isColour(at(corner.x() + 30, corner.y() + 80),
                             kBallColours[static_cast<std::size_t>(value)]));
        // The box's corners lie outside its ellipse: the felt shows there, unless the corner lies
        // in a neighbour's box (the rows overlap by 15 pixels), where that ball shows.
        int feltCorners = 0;
        for (const QPoint offset :
             {QPoint(3, 3), QPoint(109, 3), QPoint(3, 109), QPoint(109, 109)}) {
            const QPoint p = corner + offset;
            bool inNeighbour = false;
            for (int other = 0; other < 23; ++other) {
                inNeighbour =
                    inNeighbour || (other != slot && BoardView::ballBoxRect(other).contains(p));
            }
            if (!inNeighbour) {
                EXPECT_TRUE(isColour(at(p.x(), p.y()), kFelt)) << offset.x() << "," << offset.y();
                ++feltCorners;
            }
        }
        feltCornersSeen += feltCorners;
    }
    EXPECT_GE(feltCornersSeen, 23);
    // Felt between the rows and in the top-left corner.
    EXPECT_TRUE(isColour(at(5, 5), kFelt, 0));
    EXPECT_TRUE(isColour(at(140, 150), kFelt, 0));
    // The markers are drawn unscaled where the layout puts them: "100" at (7, 471).
    const QImage marker = QImage(QStringLiteral(":/bitmaps/100.bmp"));
    for (const QPoint p : {QPoint(3, 18), QPoint(50, 5), QPoint(100, 2), QPoint(100, 18)}) {
        EXPECT_TRUE(isColour(at(7 + p.x(), 471 + p.y()), marker.pixelColor(p), ratio > 1 ? 40 : 0));
    }

    // Slot 20 selected: the ring shows just outside the top of its ball, magenta, where the felt
    // was before.
    const QPoint top20 = BoardView::ballBoxRect(20).topLeft() + QPoint(56, 0);
    EXPECT_TRUE(isColour(at(top20.x(), top20.y() - 3), kFelt));
    clickBall(20);
    ASSERT_TRUE(look(20).selected);
    QCoreApplication::processEvents();
    grabBoard();
    EXPECT_TRUE(isColour(at(top20.x(), top20.y() - 3), kMagenta));
    // The ball still covers the inner half of the ring.
    EXPECT_TRUE(isColour(at(top20.x() - 26, top20.y() + 80), kBallColours[1]));
    // Removed and hidden: only the felt is left where the ball was.
    clickBall(20);
}

// A ring lies beneath every ball, not only its own: where ring 20 reaches into ball 16 above it,
// ball 16 shows.
TEST_F(PictureTest, ARingLiesBeneathTheNeighbouringBalls) {
    startUp();
    deal.push(std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2});
    action("mnuFileNew")->trigger();
    clickBall(20);
    ASSERT_TRUE(look(20).selected);
    ASSERT_TRUE(look(16).occupied);
    QCoreApplication::processEvents();
    grabBoard();

    // On the line between the two centres, in the middle of the lens where ring 20's pen (radius
    // 56.5 +- 5) overlaps ball 16 (radius 56.5).
    const QPointF ring = QRectF(BoardView::ringRect(20)).center();
    const QPointF ball = QRectF(BoardView::ballBoxRect(16)).center();
    const QPointF towards = ball - ring;
    const qreal distance = std::hypot(towards.x(), towards.y());
    const qreal reach = (56.5 + 5.0 + distance - 56.5) / 2.0;
    ASSERT_LT(reach, 61.5) << "the ring must overlap the ball";
    const QPointF lens = ring + towards * (reach / distance);
    EXPECT_TRUE(isColour(at(lens), kBallColours[7]));
    // Further round ring 20, on the felt, it shows.
    const QPoint top20 = BoardView::ballBoxRect(20).topLeft() + QPoint(56, 0);
    EXPECT_TRUE(isColour(at(top20.x(), top20.y() - 3), kMagenta));
}

// The ball's edge is smoothed: between the felt outside and the ball's colour inside, the
// boundary pixels blend the two, at whatever scale the window is drawn.
TEST_F(PictureTest, BallEdgesAreSmooth) {
    startUp();
    deal.push(std::vector<int>(22, 8));  // black balls on the green felt
    action("mnuFileNew")->trigger();
    grabBoard();
    ASSERT_TRUE(look(0).occupied);
    const QRect box = BoardView::ballBoxRect(0);
    // The left half of the ball's box, above the next row: along its edge every device pixel row
    // has a pixel or two that blend the felt into the black ball. A hard-edged cut would have none.
    int blended = 0;
    const int left = static_cast<int>(box.x() * ratio);
    const int top = static_cast<int>(box.y() * ratio);
    for (int y = top; y < top + static_cast<int>(95 * ratio); ++y) {
        for (int x = left; x < left + static_cast<int>(56 * ratio); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (!near(c, kFelt, 3) && !near(c, kBallColours[8], 3)) {
                ++blended;
            }
        }
    }
    EXPECT_GE(blended, static_cast<int>(60 * ratio));
}

// The buttons are painted in the felt green, the rack picture centred above "Next Ball".
TEST_F(PictureTest, ButtonsArePaintedInTheFelt) {
    startUp();
    grabBoard();
    const QRect next = button("cmdNext")->geometry();
    const QRect score = button("cmdScore")->geometry();
    EXPECT_TRUE(isColour(at(score.x() + 4, score.center().y()), kFelt, 0));
    // Between the bevel and the focus frame.
    EXPECT_TRUE(isColour(at(next.x() + 2, next.y() + 60), kFelt, 0));
    // The rack picture, 100 x 100, centred above the caption: its own green at its corner.
    EXPECT_TRUE(isColour(at(next.x() + 8, next.y() + 7), QColor(82, 139, 106), 1));
    EXPECT_EQ(static_cast<FeltButton*>(button("cmdNext"))->picture().deviceIndependentSize(),
              QSizeF(100, 100));
}

// An idle round leaves the board's balls alone: the refresh ticks repaint nothing that did not
// change, while a click repaints its ball.
TEST_F(PictureTest, AnIdleRoundRepaintsNoBall) {
    startUp();
    deal.push(std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2});
    action("mnuFileNew")->trigger();
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "0"; }));
    QTest::qWait(150);
    const int before = window->board()->slotPaintCount();
    QTest::qWait(450);  // four refresh ticks
    EXPECT_EQ(window->board()->slotPaintCount(), before);

    clickBall(20);
    EXPECT_TRUE(waitFor([&] { return window->board()->slotPaintCount() > before; }));
}

}  // namespace
}  // namespace zentrix::ui::testing
