// The game played without a mouse: the menu bar, Tab, the arrow keys, Space and Enter, and the
// message boxes answered by key; and the focus a mouse click leaves behind.
#include <QMenu>
#include <QMenuBar>
#include <QWindow>
#include <deque>
#include <map>

#include "ui/layout/ball_neighbours.h"
#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

class KeyboardPlayTest : public WindowTest {
protected:
    // A key pressed and released as the keyboard delivers it: to the open menu, the open message
    // box or the game window, whichever has the keyboard.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) {
            target = QApplication::activeModalWidget();
        }
        if (target == nullptr) {
            target = window.get();
        }
        QTest::keyClick(target->windowHandle(), key, modifiers);
        QCoreApplication::processEvents();
    }

    int focusedSlot() const {
        for (int slot = 0; slot < 23; ++slot) {
            if (box(slot)->hasFocus()) {
                return slot;
            }
        }
        return -1;
    }

    // Moves the focus from the focused ball to `target` with the arrow keys alone, the shortest
    // way the keys allow.
    void arrowTo(int target) {
        const int from = focusedSlot();
        ASSERT_GE(from, 0) << "no ball has the focus";
        layout::ReachableSlots reachable{};
        for (int slot = 0; slot < 23; ++slot) {
            reachable[static_cast<std::size_t>(slot)] =
                box(slot)->isEnabled() && box(slot)->isVisible();
        }
        const std::map<layout::Direction, Qt::Key> keys = {
            {layout::Direction::Up, Qt::Key_Up},
            {layout::Direction::Down, Qt::Key_Down},
            {layout::Direction::Left, Qt::Key_Left},
            {layout::Direction::Right, Qt::Key_Right}};
        std::map<int, std::pair<int, Qt::Key>> cameFrom;
        std::deque<int> queue{from};
        cameFrom[from] = {-1, Qt::Key_unknown};
        while (!queue.empty() && cameFrom.count(target) == 0) {
            const int slot = queue.front();
            queue.pop_front();
            for (const auto& [direction, key] : keys) {
                const auto next = layout::neighbourSlot(slot, direction, reachable);
                if (next && cameFrom.count(*next) == 0) {
                    cameFrom[*next] = {slot, key};
                    queue.push_back(*next);
                }
            }
        }
        ASSERT_EQ(cameFrom.count(target), 1u) << "the keys cannot reach " << target;
        std::vector<Qt::Key> path;
        for (int slot = target; slot != from; slot = cameFrom[slot].first) {
            path.insert(path.begin(), cameFrom[slot].second);
        }
        for (Qt::Key key : path) {
            press(key);
        }
        ASSERT_EQ(focusedSlot(), target);
    }

    // Presses Tab until `widget` has the focus.
    void tabTo(QWidget* widget) {
        for (int i = 0; i < 40 && !widget->hasFocus(); ++i) {
            press(Qt::Key_Tab);
        }
        ASSERT_TRUE(widget->hasFocus()) << widget->objectName().toStdString();
    }
};

// Answers every message box with the Enter key, noting what it said and the seconds left then.
class KeyAnswerer {
public:
    KeyAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start();
    }
    std::vector<QString> texts;
    std::function<void()> whileOpen;

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box == answering_) {
            return;
        }
        answering_ = box;
        texts.push_back(box->text());
        if (whileOpen) {
            whileOpen();
        }
        QTest::keyClick(box->windowHandle(), Qt::Key_Return);
    }
    QTimer timer_;
    QPointer<QMessageBox> answering_;
};

// A whole round without the mouse: New from the menu bar, sixteen next balls thrown away with
// Space on Next Ball, the heap cleared pair by pair (the arrow keys to each ball and Space on it,
// then the arrow keys to the next ball and Enter), Take Score reached with Tab, and every message
// box answered with Enter. The round scores as a mouse-played one does and round 2 begins.
TEST_F(KeyboardPlayTest, AWholeRoundWithTheKeyboardAlone) {
    startUp();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    const std::vector<int> board = {1, 1, 1, 10, 10, 2, 2, 2, 9, 9, 3,
                                    3, 8, 8, 4,  4,  7, 7, 5, 5, 6, 6};
    const std::vector<int> clearingOrder = {20, 21, 16, 17, 18, 19, 10, 11, 12, 13, 14,
                                            15, 9,  5,  6,  3,  4,  7,  8,  0,  1,  2};
    deal.push(board);
    deal.push({1, 10, 2, 9, 3, 3, 8, 8, 4, 4, 7, 7, 5, 5, 6, 6});  // thrown away
    for (int slot : clearingOrder) {
        deal.push(11 - board[static_cast<std::size_t>(slot)]);
    }

    // File > New: Alt opens the menu bar on File, Down opens it, Enter chooses New.
    press(Qt::Key_Alt);
    press(Qt::Key_Down);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "the File menu is open";
    press(Qt::Key_Return);
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(look(0).occupied) << "New dealt the heap";
    ASSERT_TRUE(button("cmdNext")->hasFocus());

    for (int i = 0; i < 16; ++i) {
        press(Qt::Key_Space);
    }
    // Sixteen next balls thrown away: the next ball is now the first of the pairs.
    EXPECT_EQ(deal.pending(), 21u);
    EXPECT_EQ(look(22).value, 11 - board[20]);

    press(Qt::Key_Tab, Qt::ShiftModifier);  // back from Next Ball to the next ball
    ASSERT_EQ(focusedSlot(), 22);
    for (int slot : clearingOrder) {
        SCOPED_TRACE(slot);
        arrowTo(slot);
        press(Qt::Key_Space);
        ASSERT_TRUE(look(slot).selected);
        arrowTo(22);
        press(Qt::Key_Enter);
        ASSERT_FALSE(look(slot).occupied) << "the pair made 11";
    }
    EXPECT_EQ(label(2)->text(), "22");
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "14200"; }));

    int secondsLeft = -1;
    KeyAnswerer answerer;
    answerer.whileOpen = [&] {
        if (secondsLeft < 0) {
            secondsLeft = progressBar()->value();
        }
    };
    tabTo(button("cmdScore"));
    press(Qt::Key_Space);
    ASSERT_TRUE(waitFor([&] { return answerer.texts.size() >= 3; }));
    EXPECT_EQ(answerer.texts[0], "BONUS, Level Clear 10,000");
    EXPECT_EQ(answerer.texts[1], "Ready for Round 2");
    EXPECT_EQ(label(4)->text(), QString::number(32000 + 22000 + 250 * secondsLeft + 14200));
    EXPECT_TRUE(look(0).occupied) << "round 2 is dealt";
    EXPECT_TRUE(timer(1)->isActive());
}

// A ball clicked with the mouse takes the focus, so Space then acts on that ball and never on a
// button the player is not looking at; a focused ball that leaves the heap hands the focus to a
// free ball nearby.
TEST_F(KeyboardPlayTest, AClickedBallTakesTheFocus) {
    startUp();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // Free at first: 9 (3), 20 (4), 21 (5) and the next ball (7).
    deal.push({1, 2, 3, 6, 8, 9, 10, 1, 2, 3, 6, 8, 9, 10, 1, 2, 6, 8, 9, 10, 4, 5});
    deal.push(7);
    newGame();
    ASSERT_TRUE(button("cmdNext")->hasFocus());

    clickBall(21);
    EXPECT_TRUE(box(21)->hasFocus());
    EXPECT_TRUE(look(21).selected);
    press(Qt::Key_Space);
    EXPECT_FALSE(look(21).selected) << "Space dropped the clicked ball again";
    EXPECT_EQ(look(22).value, 7) << "and did not press Next Ball";
    EXPECT_EQ(label(1)->text(), "0");

    // 7 then 4: ball 20 leaves the heap with the focus; 16 and 17 above it are free now.
    clickBall(22);
    clickBall(20);
    EXPECT_FALSE(look(20).occupied);
    EXPECT_TRUE(box(16)->hasFocus()) << "the focus moved up to a ball just freed";
    press(Qt::Key_Return);
    EXPECT_TRUE(look(16).selected);
}

// The focus shows on every ball, pale or dark, and on the felt buttons, however it came.
TEST_F(KeyboardPlayTest, TheFocusShowsOnEveryBallAndButton) {
    startUp();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // 20 is the pale yellow 9, 21 the black 8.
    deal.push({1, 2, 3, 6, 8, 9, 10, 1, 2, 3, 6, 8, 9, 10, 1, 2, 6, 8, 9, 10, 9, 8});
    deal.push(7);
    newGame();
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "0"; }));

    // Pixels on the focus ring's circle that stand out from the ball's own colour.
    const auto ringMarks = [&](int slot) {
        const QImage shot = window->board()->grab().toImage();
        const QRect b = box(slot)->geometry();
        const QColor ball = shot.pixelColor(b.x() + 30, b.y() + 80);
        int marks = 0;
        for (int degree = 0; degree < 360; degree += 3) {
            const double a = degree * 3.14159265 / 180.0;
            const QPoint p(b.x() + 56 + static_cast<int>(std::lround(50.5 * std::cos(a))),
                           b.y() + 56 + static_cast<int>(std::lround(50.5 * std::sin(a))));
            const QColor c = shot.pixelColor(p);
            marks += std::abs(c.red() - ball.red()) + std::abs(c.green() - ball.green()) +
                                 std::abs(c.blue() - ball.blue()) >
                             150
                         ? 1
                         : 0;
        }
        return marks;
    };
    for (int slot : {20, 21}) {
        SCOPED_TRACE(slot);
        EXPECT_LT(ringMarks(slot), 3) << "no ring without the focus";
        box(slot)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        EXPECT_GT(ringMarks(slot), 40) << "the ring shows on this ball";
    }

    // The dotted frame inside a felt button's bevel, given by the mouse or by Tab.
    const auto frameDots = [](QPushButton* button) {
        const QImage shot = button->grab().toImage();
        int dots = 0;
        for (int x = 4; x < button->width() - 5; ++x) {
            dots += shot.pixelColor(x, 4) == QColor(Qt::black) ? 1 : 0;
        }
        return dots;
    };
    QPushButton* next = button("cmdNext");
    QPushButton* score = button("cmdScore");
    EXPECT_EQ(frameDots(next), 0);
    EXPECT_EQ(frameDots(score), 0);
    deal.push(3);
    clickButton("cmdNext");
    ASSERT_TRUE(next->hasFocus());
    EXPECT_GT(frameDots(next), 10);
    press(Qt::Key_Tab, Qt::ShiftModifier);  // back to the next ball
    press(Qt::Key_Tab, Qt::ShiftModifier);  // round to Take Score at the end of the tab order
    ASSERT_TRUE(score->hasFocus());
    EXPECT_GT(frameDots(score), 10);
    EXPECT_EQ(frameDots(next), 0);
}

}  // namespace
}  // namespace zentrix::ui::testing
