// The window at any size: the whole board scaled uniformly and centred on the felt, clicks taken
// where the balls are, the design size drawn exactly as before, and the opening size.
#include <QImage>
#include <QScreen>
#include <QStandardPaths>
#include <QWindow>

#include "ui/qt/felt_button.h"
#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// A dealt board; slot 20 holds the purple 4 and is free.
class ScaledWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        startUp();
        deal.push({1, 2, 3, 6, 8, 9, 10, 1, 2, 3, 6, 8, 9, 10, 1, 2, 6, 8, 9, 10, 4, 5});
        deal.push(7);
        newGame();
        timer(1)->stop();  // a still countdown, for pictures that do not change while we look
    }

    void resizeBoard(QSize size) {
        window->resize(size + window->size() - window->board()->size());
        ASSERT_TRUE(waitFor([&] { return window->board()->size() == size; }));
        QCoreApplication::processEvents();
    }

    // At the present size: one factor for every control and font, the whole design as large as
    // fits and centred, ball 20 drawn, ringed and clicked where its box stands, and "Next Ball"
    // clear of the focus frame.
    void expectPlayableAtPresentSize() {
        const double scale = box(20)->width() / 113.0;
        SCOPED_TRACE("scale " + std::to_string(scale));
        EXPECT_NEAR(button("cmdNext")->height(), 121 * scale, 1.5);
        EXPECT_NEAR(progressBar()->width(), 384 * scale, 1.5);
        EXPECT_NEAR(label(1)->font().pixelSize(), 48 * scale, 1.0);
        const QRect board = window->board()->rect();
        const QRect design = window->board()->place(layout::requiredClientArea());
        EXPECT_TRUE(board.contains(design));
        EXPECT_TRUE(design.contains(button("cmdScore")->geometry() | box(15)->geometry()));
        EXPECT_LE(std::abs(design.left() + design.right() - board.right()), 1) << "centred";
        EXPECT_LE(std::abs(design.top() + design.bottom() - board.bottom()), 1) << "centred";
        EXPECT_TRUE(design.width() >= board.width() - 1 || design.height() >= board.height() - 1);

        // The corners of the box lie outside the ball: clicks there do nothing, and the felt
        // shows at the lower left one. The centre selects the ball and its ring shows above it.
        QImage shot = window->board()->grab().toImage();
        const auto pixel = [&](QPointF p) {
            return shot.pixelColor((p * shot.devicePixelRatio()).toPoint());
        };
        const QPointF corner = box(20)->geometry().topLeft();
        EXPECT_TRUE(near(pixel(corner + QPointF(30, 80) * scale), QColor(169, 18, 207), 3));
        EXPECT_TRUE(near(pixel(corner + QPointF(3, 109) * scale), QColor(82, 139, 105), 0));
        const int in = static_cast<int>(4 * scale);
        clickAt(box(20), QPoint(in, in));
        clickAt(box(20), QPoint(box(20)->width() - 1 - in, box(20)->height() - 1 - in));
        EXPECT_FALSE(look(20).selected);
        clickBall(20);
        EXPECT_EQ(label(1)->text(), "4");
        shot = window->board()->grab().toImage();
        EXPECT_TRUE(near(pixel(corner + QPointF(56, -3) * scale), QColor(255, 0, 255), 3));
        clickAt(box(20), QPoint(static_cast<int>(2 * scale) + 1, box(20)->height() / 2));
        EXPECT_FALSE(look(20).selected) << "just inside the ellipse's left edge";

        // No black of the caption's letters from the focus frame's line down to the bevel.
        auto* next = static_cast<FeltButton*>(button("cmdNext"));
        const QImage face = next->grab().toImage();
        for (int y = next->focusFrame().bottom(); y < next->height(); ++y) {
            for (int x = 0; x < next->width(); ++x) {
                const QColor c = face.pixelColor(QPointF(x, y).toPoint() * face.devicePixelRatio());
                ASSERT_FALSE(c.red() < 40 && c.green() < 40 && c.blue() < 40) << x << "," << y;
            }
        }
    }
};

// At the design size the board is drawn pixel for pixel as before the window could scale (a
// picture of it taken then): balls, a ring, markers, labels, bar and buttons. Only the Next Ball
// caption, moved clear of the focus frame, is left out.
TEST_F(ScaledWindowTest, TheDesignSizeDrawsEveryPixelAsBefore) {
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "0"; }));
    timer(2)->stop();
    clickBall(20);
    button("cmdNext")->setFocus();
    QCoreApplication::processEvents();

    const QImage shot = window->board()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString golden = QStringLiteral(ZENTRIX_UI_TEST_DATA "/board-design-size.png");
    if (qEnvironmentVariableIsSet("ZENTRIX_WRITE_GOLDEN")) {
        ASSERT_TRUE(shot.save(golden));
        GTEST_SKIP() << "wrote " << golden.toStdString();
    }
    const QImage before = QImage(golden).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), before.size());
    const QRect caption = button("cmdNext")->geometry().adjusted(5, 94, -5, -5);
    int differing = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            differing += !caption.contains(x, y) && shot.pixel(x, y) != before.pixel(x, y);
        }
    }
    if (differing > 0) {
        const QString saved =
            QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/board-actual.png";
        shot.save(saved);
        ADD_FAILURE() << differing << " pixels differ; the board as drawn is in "
                      << saved.toStdString();
    }
}

// Larger, smaller, full screen with F11 and back: the board scales with the window and takes
// clicks where its balls are; back at the design size every control stands as designed.
TEST_F(ScaledWindowTest, TheBoardScalesWithTheWindowAndF11) {
    ASSERT_EQ(window->board()->size(), QSize(984, 691));
    expectPlayableAtPresentSize();
    resizeBoard(QSize(1600, 1081));  // wider than the design's proportions
    EXPECT_GT(window->board()->scale(), 1.5);
    expectPlayableAtPresentSize();
    resizeBoard(QSize(700, 560));  // narrower
    EXPECT_LT(window->board()->scale(), 0.75);
    expectPlayableAtPresentSize();
    resizeBoard(QSize(984, 691));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->windowHandle(), Qt::Key_F11);
    ASSERT_TRUE(waitFor([&] { return window->size() == window->screen()->geometry().size(); }));
    EXPECT_TRUE(window->isFullScreen());
    QCoreApplication::processEvents();
    EXPECT_GT(window->board()->scale(), 2.0);
    expectPlayableAtPresentSize();
    QTest::keyClick(window->windowHandle(), Qt::Key_F11);
    ASSERT_TRUE(waitFor([&] { return window->board()->size() == QSize(984, 691); }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_EQ(box(15)->geometry(), QRect(866, 224, 113, 113));
    EXPECT_EQ(button("cmdNext")->geometry(), QRect(585, 534, 113, 121));
    EXPECT_EQ(box(20)->mask().boundingRect(), QRect(0, 0, 113, 113));
    EXPECT_EQ(label(1)->font().pixelSize(), 48);
}

// The window opens at the design size when the screen's free area has room for it and its frame,
// else as large as fits. The tests run this on a large screen and on a small one.
TEST(OpeningSizeTest, OpensAtTheDesignSizeOrAsLargeAsTheScreenAllows) {
    ScriptedDeal deal;
    display::ScriptedDisplayDriver driver({{1024, 600, 32, 60}}, std::nullopt);
    MainWindow window(deal, driver);
    window.startUp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    const QRect available = window.screen()->availableGeometry();
    const QSize chrome = window.frameGeometry().size() - window.board()->size();
    if (available.height() > 900) {
        EXPECT_EQ(window.board()->size(), QSize(984, 691));
    } else {
        EXPECT_LT(window.board()->scale(), 1.0);
        EXPECT_LE(window.frameGeometry().height(), available.height());
        EXPECT_GE(window.board()->height() + chrome.height(), available.height() - 60)
            << "no more than a title bar's room to spare";
        EXPECT_NEAR(window.board()->width() * 691.0 / 984.0, window.board()->height(), 2.0);
    }
    window.shutDown();
}

}  // namespace
}  // namespace zentrix::ui::testing
