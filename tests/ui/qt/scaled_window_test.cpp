// The window at any size: the whole playing area scaled uniformly and centred on the felt, the
// design size drawn exactly as it always was, and the opening size that suits the screen.
#include <QImage>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QWindow>
#include <cmath>

#include "ui/layout/form1_layout.h"
#include "ui/qt/felt_button.h"
#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

// Free at first: 9 (3), 20 (4), 21 (5) and the next ball (7).
const std::vector<int> kBoard = {1, 2, 3,  6, 8, 9, 10, 1, 2,  3, 6,
                                 8, 9, 10, 1, 2, 6, 8,  9, 10, 4, 5};
constexpr int kNextBall = 7;

const QColor kFelt(82, 139, 105);
const QColor kPurple4(169, 18, 207);  // the 4 in slot 20
const QColor kMagenta(255, 0, 255);

bool near(QColor a, QColor b, int tolerance = 3) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class ScaledWindowTest : public WindowTest {
protected:
    void dealStandardBoard() {
        deal.push(kBoard);
        deal.push(kNextBall);
        newGame();
    }

    // The board's client area made `size` large, and the board's children laid out for it.
    void resizeBoard(QSize size) {
        const QSize chrome = window->size() - window->board()->size();
        window->resize(size + chrome);
        ASSERT_TRUE(waitFor([&] { return window->board()->size() == size; }))
            << window->board()->width() << "x" << window->board()->height();
        QCoreApplication::processEvents();
    }

    // Everything the window places on the felt.
    std::vector<QWidget*> controls() const {
        std::vector<QWidget*> all;
        for (int slot = 0; slot < 23; ++slot) {
            all.push_back(box(slot));
        }
        for (int n = 1; n <= 7; ++n) {
            all.push_back(label(n));
        }
        all.push_back(button("cmdNext"));
        all.push_back(button("cmdScore"));
        all.push_back(progressBar());
        return all;
    }

    // The board at its present size: every control scaled by one factor, the whole as large as
    // fits and centred, the balls drawn and clicked where their boxes stand.
    void expectScaledPlayableBoard() {
        const QRect board = window->board()->rect();
        const double scale = static_cast<double>(box(20)->width()) / 113.0;
        SCOPED_TRACE("board " + std::to_string(board.width()) + "x" +
                     std::to_string(board.height()) + ", scale " + std::to_string(scale));

        // One factor for every control and font, to within a pixel of rounding.
        const std::vector<std::pair<QWidget*, QSize>> designSizes = {
            {box(22), {113, 113}},          {label(1), {73, 66}},
            {label(3), {98, 39}},           {button("cmdNext"), {113, 121}},
            {button("cmdScore"), {81, 33}}, {progressBar(), {384, 25}},
        };
        for (const auto& [control, design] : designSizes) {
            EXPECT_NEAR(control->width(), design.width() * scale, 1.5)
                << control->objectName().toStdString();
            EXPECT_NEAR(control->height(), design.height() * scale, 1.5)
                << control->objectName().toStdString();
        }
        EXPECT_NEAR(label(1)->font().pixelSize(), 48 * scale, 1.0);
        EXPECT_NEAR(label(4)->font().pixelSize(), 21 * scale, 1.0);
        EXPECT_NEAR(button("cmdNext")->font().pixelSize(), 16 * scale, 1.0);

        // The whole design inside the board, centred, and touching two opposite edges.
        QRect used;
        for (QWidget* control : controls()) {
            used = used.united(control->geometry());
        }
        const QRect design = window->board()->place(layout::requiredClientArea());
        EXPECT_TRUE(design.contains(used));
        EXPECT_TRUE(board.contains(design));
        EXPECT_LE(std::abs(design.left() - (board.right() - design.right())), 1);
        EXPECT_LE(std::abs(design.top() - (board.bottom() - design.bottom())), 1);
        EXPECT_TRUE(std::abs(design.width() - board.width()) <= 1 ||
                    std::abs(design.height() - board.height()) <= 1)
            << "as large as fits";
        // The design's proportions kept.
        EXPECT_NEAR(design.width() * 691.0 / 984.0, design.height(), 2.0);

        // Ball 20 drawn where its box stands, the felt at the box's lower left corner (its upper
        // corners lie in the boxes of row 4).
        QImage shot = window->board()->grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        const auto pixel = [&](QPointF p) { return shot.pixelColor((p * ratio).toPoint()); };
        const QPointF corner = box(20)->geometry().topLeft();
        EXPECT_TRUE(near(pixel(corner + QPointF(30, 80) * scale), kPurple4));
        EXPECT_TRUE(near(pixel(corner + QPointF(3, 109) * scale), kFelt, 0));

        // A corner of the box, outside the ellipse, does nothing; its centre selects the ball, and
        // the ring shows around it on the felt.
        const int w = box(20)->width();
        clickAt(box(20), QPoint(static_cast<int>(4 * scale), static_cast<int>(4 * scale)));
        clickAt(box(20),
                QPoint(w - 1 - static_cast<int>(4 * scale), w - 1 - static_cast<int>(4 * scale)));
        EXPECT_FALSE(look(20).selected);
        clickBall(20);
        EXPECT_TRUE(look(20).selected);
        EXPECT_EQ(label(1)->text(), "4");
        QCoreApplication::processEvents();
        shot = window->board()->grab().toImage();
        EXPECT_TRUE(near(pixel(QPointF(box(20)->geometry().center().x(), box(20)->y() - 3 * scale)),
                         kMagenta))
            << "the ring above the ball";
        // Just inside the ellipse's edge, left of its centre: the ball again, dropped.
        clickAt(box(20), QPoint(static_cast<int>(2 * scale) + 1, w / 2));
        EXPECT_FALSE(look(20).selected);
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

// Made larger and smaller, the window scales the whole board uniformly, centred on the felt, and
// takes a ball's clicks inside its ellipse at the scaled size; back at the design size every
// control stands where the layout puts it.
TEST_F(ScaledWindowTest, TheBoardScalesWithTheWindowAndTakesClicksWhereItsBallsAre) {
    startUp();
    dealStandardBoard();
    const QSize designed = window->board()->size();
    ASSERT_EQ(designed, QSize(984, 691));

    resizeBoard(QSize(1600, 1081));  // wider than the design's proportions
    EXPECT_GT(window->board()->scale(), 1.5);
    expectScaledPlayableBoard();

    resizeBoard(QSize(700, 560));  // narrower
    EXPECT_LT(window->board()->scale(), 0.75);
    expectScaledPlayableBoard();

    resizeBoard(designed);
    EXPECT_EQ(window->board()->scale(), 1.0);
    EXPECT_EQ(box(15)->geometry(), QRect(866, 224, 113, 113));
    EXPECT_EQ(button("cmdNext")->geometry(), QRect(585, 534, 113, 121));
    EXPECT_EQ(label(1)->font().pixelSize(), 48);
    EXPECT_EQ(box(20)->mask().boundingRect(), QRect(0, 0, 113, 113));
}

// F11 fills the screen with the game, the board scaled up to it, and gives the window back at the
// size it had; the menus stay as they were.
TEST_F(ScaledWindowTest, F11TogglesFullScreen) {
    startUp();
    dealStandardBoard();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QSize before = window->size();

    QTest::keyClick(window->windowHandle(), Qt::Key_F11);
    ASSERT_TRUE(waitFor([&] { return window->isFullScreen(); }));
    const QRect screen = window->screen()->geometry();
    ASSERT_TRUE(waitFor([&] { return window->size() == screen.size(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->board()->width(), screen.width());
    EXPECT_GT(window->board()->scale(), 1.0);
    EXPECT_TRUE(window->menuBar()->isVisible());
    expectScaledPlayableBoard();

    QTest::keyClick(window->windowHandle(), Qt::Key_F11);
    ASSERT_TRUE(waitFor([&] { return !window->isFullScreen() && window->size() == before; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->board()->scale(), 1.0);
    EXPECT_EQ(box(20)->geometry(), QRect(254, 419, 113, 113));
}

// "Next Ball" sits below the rack, inside the focus frame and clear of it and of the bevel, at the
// design size and scaled.
TEST_F(ScaledWindowTest, TheNextBallCaptionSitsClearOfTheFocusFrame) {
    startUp();
    auto* next = static_cast<FeltButton*>(button("cmdNext"));
    for (const QSize size : {QSize(984, 691), QSize(700, 492), QSize(1600, 1124)}) {
        SCOPED_TRACE(size.width());
        resizeBoard(size);
        next->clearFocus();
        QCoreApplication::processEvents();
        const QImage face = next->grab().toImage();
        const qreal ratio = face.devicePixelRatio();
        const auto inkRows = [&](int from, int to) {  // rows with letters' black, in [from, to)
            int rows = 0;
            for (int y = from; y < to; ++y) {
                bool ink = false;
                for (int x = 0; x < next->width(); ++x) {
                    const QColor c = face.pixelColor(QPointF(x * ratio, y * ratio).toPoint());
                    ink = ink || (c.red() < 40 && c.green() < 40 && c.blue() < 40);
                }
                rows += ink ? 1 : 0;
            }
            return rows;
        };
        // From the last row inside the frame (its line lies one below) down to the bevel: no ink.
        const QRect frame = next->focusFrame();
        EXPECT_EQ(inkRows(frame.bottom(), next->height()), 0);
        // The caption is there, in the rows just above.
        const int letters = static_cast<int>(10 * next->height() / 121.0);
        EXPECT_GE(inkRows(frame.bottom() - 2 * letters, frame.bottom()), letters);
    }
}

// The window opens at the design size when the screen's free area has room for it and its frame,
// and otherwise as large as fits there. The tests run this on a large screen and on a small one.
TEST(OpeningSizeTest, OpensAtTheDesignSizeOrAsLargeAsTheScreenAllows) {
    ScriptedDeal deal;
    display::ScriptedDisplayDriver driver({{1024, 600, 32, 60}},
                                          display::DisplayMode{1024, 600, 32, 60});
    MainWindow window(deal, driver);
    window.startUp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    const QRect available = window.screen()->availableGeometry();
    const QSize chrome = window.frameGeometry().size() - window.board()->size();
    const QSize design(984, 691);
    if (design.width() + chrome.width() <= available.width() &&
        design.height() + chrome.height() + 40 <= available.height()) {
        EXPECT_EQ(window.board()->size(), design);
        EXPECT_EQ(window.board()->scale(), 1.0);
    } else {
        EXPECT_LT(window.board()->scale(), 1.0);
        EXPECT_TRUE(available.contains(QRect(available.topLeft(), window.frameGeometry().size())))
            << "the whole window on the screen";
        // Not needlessly small: no more than a title bar's room left over.
        EXPECT_GE(window.board()->height() + chrome.height(), available.height() - 60);
        EXPECT_NEAR(window.board()->width() * 691.0 / 984.0, window.board()->height(), 2.0)
            << "opened in the design's proportions";
    }
    window.shutDown();
}

}  // namespace
}  // namespace zentrix::ui::testing
