// The game played without a mouse, and the focus a mouse click leaves behind.
#include <QWindow>
#include <deque>
#include <map>

#include "ui/layout/ball_neighbours.h"
#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

class KeyboardPlayTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        startUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // A key as the keyboard delivers it: to the open menu or the game window.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        QTest::keyClick((target != nullptr ? target : window.get())->windowHandle(), key,
                        modifiers);
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

    // From the focused ball to `target` with the arrow keys, the shortest way they allow.
    void arrowTo(int target) {
        layout::ReachableSlots free{};
        for (int slot = 0; slot < 23; ++slot) {
            free[static_cast<std::size_t>(slot)] = window->board()->canTakeFocus(slot);
        }
        const std::map<layout::Direction, Qt::Key> keys = {
            {layout::Direction::Up, Qt::Key_Up},
            {layout::Direction::Down, Qt::Key_Down},
            {layout::Direction::Left, Qt::Key_Left},
            {layout::Direction::Right, Qt::Key_Right}};
        const int from = focusedSlot();
        std::map<int, std::pair<int, Qt::Key>> cameFrom{{from, {-1, Qt::Key_unknown}}};
        for (std::deque<int> queue{from}; !queue.empty(); queue.pop_front()) {
            for (const auto& [direction, key] : keys) {
                const auto next = layout::neighbourSlot(queue.front(), direction, free);
                if (next && cameFrom.emplace(*next, std::pair{queue.front(), key}).second) {
                    queue.push_back(*next);
                }
            }
        }
        ASSERT_TRUE(from >= 0 && cameFrom.count(target) == 1) << from << " to " << target;
        std::vector<Qt::Key> path;
        for (int slot = target; slot != from; slot = cameFrom[slot].first) {
            path.insert(path.begin(), cameFrom[slot].second);
        }
        for (Qt::Key key : path) {
            press(key);
        }
        ASSERT_EQ(focusedSlot(), target);
    }
};

// A whole round without the mouse: New from the menu bar, sixteen next balls thrown away with
// Space on Next Ball, the heap cleared pair by pair (arrows to a ball, Space, arrows to the next
// ball, Enter), Take Score reached with Tab and pressed with Enter, and the message boxes answered
// with Enter. It scores as a round played with the mouse does, and round 2 begins.
TEST_F(KeyboardPlayTest, AWholeRoundWithTheKeyboardAlone) {
    const std::vector<int> board = {1, 1, 1, 10, 10, 2, 2, 2, 9, 9, 3,
                                    3, 8, 8, 4,  4,  7, 7, 5, 5, 6, 6};
    const std::vector<int> clearingOrder = {20, 21, 16, 17, 18, 19, 10, 11, 12, 13, 14,
                                            15, 9,  5,  6,  3,  4,  7,  8,  0,  1,  2};
    deal.push(board);
    deal.push({1, 10, 2, 9, 3, 3, 8, 8, 4, 4, 7, 7, 5, 5, 6, 6});  // thrown away
    for (int slot : clearingOrder) {
        deal.push(11 - board[static_cast<std::size_t>(slot)]);
    }

    press(Qt::Key_Alt);  // the menu bar, on File
    press(Qt::Key_Down);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "the File menu is open";
    press(Qt::Key_Return);  // New
    ASSERT_TRUE(look(0).occupied);
    ASSERT_TRUE(button("cmdNext")->hasFocus());
    for (int i = 0; i < 16; ++i) {
        press(Qt::Key_Space);
    }
    EXPECT_EQ(deal.pending(), 21u) << "the next ball is the first of the pairs";

    press(Qt::Key_Tab, Qt::ShiftModifier);  // back from Next Ball to the next ball
    for (int slot : clearingOrder) {
        SCOPED_TRACE(slot);
        arrowTo(slot);
        press(Qt::Key_Space);
        ASSERT_TRUE(look(slot).selected);
        arrowTo(22);
        press(Qt::Key_Enter, Qt::KeypadModifier);  // as the keypad's Enter comes
        ASSERT_FALSE(look(slot).occupied) << "the pair made 11";
    }
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "14200"; }));

    int secondsLeft = -1;
    BoxAnswerer answerer;
    answerer.byKey = true;
    answerer.whileOpen = [&](const BoxAnswerer::Seen&) {
        secondsLeft = secondsLeft < 0 ? progressBar()->value() : secondsLeft;
    };
    for (int i = 0; i < 40 && !button("cmdScore")->hasFocus(); ++i) {
        press(Qt::Key_Tab);
    }
    press(Qt::Key_Return);
    ASSERT_TRUE(answerer.answered(3));
    EXPECT_EQ(answerer.seen[0].text, "BONUS, Level Clear 10,000");
    EXPECT_EQ(answerer.seen[1].text, "Ready for Round 2");
    EXPECT_EQ(label(4)->text(), QString::number(32000 + 22000 + 250 * secondsLeft + 14200));
    EXPECT_TRUE(look(0).occupied) << "round 2 is dealt";
    EXPECT_TRUE(timer(1)->isActive());
}

// A ball clicked with the mouse takes the focus and shows it, on the pale 9 as on the black 8, so
// Space then acts on that ball, never on Next Ball; a focused ball that leaves the heap hands the
// focus to a ball just freed above it, even while its emptied box is still on screen.
TEST_F(KeyboardPlayTest, AClickedBallTakesTheFocus) {
    deal.push({1, 2, 3, 6, 8, 9, 10, 1, 2, 3, 6, 8, 9, 10, 1, 2, 6, 8, 9, 10, 9, 8});
    deal.push(2);
    newGame();
    ASSERT_TRUE(button("cmdNext")->hasFocus());

    // Pixels on the focus ring's circle that stand out from the ball's own colour.
    const auto ringMarks = [&](int slot) {
        const QImage shot = window->board()->grab().toImage();
        const QPoint centre = box(slot)->geometry().topLeft() + QPoint(56, 56);
        const QColor ball = shot.pixelColor(centre + QPoint(-26, 24));
        int marks = 0;
        for (int degree = 0; degree < 360; degree += 3) {
            const QColor c =
                shot.pixelColor(centre + QPoint(static_cast<int>(50.5 * std::cos(degree / 57.3)),
                                                static_cast<int>(50.5 * std::sin(degree / 57.3))));
            marks += std::abs(c.red() - ball.red()) + std::abs(c.green() - ball.green()) +
                         std::abs(c.blue() - ball.blue()) >
                     150;
        }
        return marks;
    };
    for (int slot : {21, 20}) {  // the black 8, the pale 9
        SCOPED_TRACE(slot);
        EXPECT_LT(ringMarks(slot), 3);
        clickBall(slot);
        EXPECT_TRUE(box(slot)->hasFocus());
        EXPECT_GT(ringMarks(slot), 40) << "the focus shows";
        press(Qt::Key_Space);
        EXPECT_FALSE(look(slot).selected) << "Space dropped the clicked ball again";
    }
    EXPECT_EQ(look(22).value, 2) << "and did not press Next Ball";

    deal.push(5);   // the next ball after the 2
    clickBall(22);  // 2, then the 9: ball 20 leaves the heap with the focus
    clickBall(20);
    ASSERT_FALSE(look(20).occupied);
    EXPECT_TRUE(box(16)->hasFocus()) << "the focus moved up to a ball just freed";

    // The 5 clicked, then back to the 6 in slot 16 and Enter: its box stays enabled, empty, until
    // the refresh hides it; the focus goes on to ball 10, freed above it, and stays there.
    clickBall(22);
    arrowTo(16);
    press(Qt::Key_Return);
    ASSERT_FALSE(look(16).occupied);
    EXPECT_TRUE(box(10)->hasFocus());
    ASSERT_TRUE(waitFor([&] { return !box(16)->isVisible(); }));
    EXPECT_TRUE(box(10)->hasFocus());
}

}  // namespace
}  // namespace zentrix::ui::testing
