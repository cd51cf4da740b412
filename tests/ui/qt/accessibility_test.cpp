// What a screen reader finds in the window: every control named, and the names kept current as
// the game goes on.
#include <QAccessible>
#include <QAction>

#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

using AccessibilityTest = WindowTest;

QString spoken(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face == nullptr ? QString() : face->text(QAccessible::Name);
}

// Each ball says its value and whether it is free and selected; empty boxes say so.
TEST_F(AccessibilityTest, BallsSayTheirValueAndState) {
    startUp();
    EXPECT_EQ(spoken(box(0)), "Empty slot");
    EXPECT_EQ(spoken(box(22)), "No next ball");

    deal.push(
        std::vector<int>{1, 2, 3, 6, 8, 9, 10, 1, 2, 3, 6, 8, 9, 10, 1, 2, 6, 8, 9, 10, 4, 5});
    deal.push(7);
    action("mnuFileNew")->trigger();
    EXPECT_EQ(spoken(box(0)), "Ball 1, not free");
    EXPECT_EQ(spoken(box(20)), "Ball 4, free");
    EXPECT_EQ(spoken(box(22)), "Next ball 7, free");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box(20))->role(), QAccessible::Button);

    clickBall(20);
    EXPECT_EQ(spoken(box(20)), "Ball 4, free, selected");
    EXPECT_EQ(spoken(label(1)), "Selection sum 4");

    clickBall(22);  // 4 + 7: removed
    EXPECT_EQ(spoken(box(20)), "Empty slot");
    EXPECT_EQ(spoken(box(16)), "Ball 6, free");
    EXPECT_EQ(spoken(label(1)), "Selection sum 0");
    EXPECT_EQ(spoken(label(2)), "Elevens 1");
}

// The number labels say what they count with the number they show now; the bar, the buttons and
// the menu items are named by what they are and say.
TEST_F(AccessibilityTest, LabelsButtonsAndMenusAreNamed) {
    startUp();
    EXPECT_EQ(spoken(label(2)), "Elevens 0");
    EXPECT_EQ(spoken(label(3)), "Score");
    EXPECT_EQ(spoken(label(4)), "Total score");
    EXPECT_EQ(spoken(label(5)), "11'S");
    EXPECT_EQ(spoken(button("cmdNext")), "Next Ball");
    EXPECT_EQ(spoken(button("cmdScore")), "Take Score");
    EXPECT_EQ(spoken(progressBar()), "Time left");
    EXPECT_EQ(action("mnuFileNew")->text(), "New");
    EXPECT_EQ(action("mnuHelpRules")->text(), "Rules");
    EXPECT_EQ(action("mnuHelpAbout")->text(), "About");

    action("mnuFileNew")->trigger();
    EXPECT_EQ(spoken(label(4)), "Total score 0");
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "0"; }));
    EXPECT_EQ(spoken(label(6)), "Round points 0");
    // The first countdown tick, a second into the round (a busy machine may have run more).
    ASSERT_TRUE(waitFor([&] { return !label(7)->text().isEmpty(); }));
    EXPECT_EQ(spoken(label(7)), QStringLiteral("Seconds left ") + label(7)->text());
}

}  // namespace
}  // namespace zentrix::ui::testing
