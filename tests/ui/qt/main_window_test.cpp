// The game window: start-up, clicks through the window system, the menus, the round flow with its
// message boxes, and shut-down.
#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <string>

#include "ui/qt/felt_button.h"
#include "ui/qt/help_windows.h"
#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

// A dealt board: slots 0..21, then the next ball. Free at first: 9 (3), 20 (4), 21 (5) and the
// next ball (7).
const std::vector<int> kBoard = {1, 2, 3,  6, 8, 9, 10, 1, 2,  3, 6,
                                 8, 9, 10, 1, 2, 6, 8,  9, 10, 4, 5};
constexpr int kNextBall = 7;

class MainWindowTest : public WindowTest {
protected:
    void dealStandardBoard() {
        deal.push(kBoard);
        deal.push(kNextBall);
        newGame();
    }
};

// Start-up leaves every ball box round, disabled and empty with its ring at its corner, a full
// countdown bar, "0" removed, only the refresh timer running, and the whole board on screen.
TEST_F(MainWindowTest, StartUpPreparesTheBoardButDealsNothing) {
    startUp();

    for (int slot = 0; slot < 23; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(box(slot)->isEnabled());
        EXPECT_TRUE(box(slot)->isRound());
        // The ellipse inscribed in (0, 0)-(113, 113): the centre is in, the corners are out.
        EXPECT_TRUE(box(slot)->mask().contains(QPoint(56, 56)));
        EXPECT_FALSE(box(slot)->mask().contains(QPoint(3, 3)));
        EXPECT_FALSE(box(slot)->mask().contains(QPoint(110, 110)));
        EXPECT_EQ(box(slot)->mask().boundingRect(), QRect(0, 0, 113, 113));
        EXPECT_TRUE(window->board()->ringPlaced(slot));
        EXPECT_EQ(BoardView::ringRect(slot).topLeft(), box(slot)->geometry().topLeft());
        EXPECT_FALSE(look(slot).occupied);
    }
    EXPECT_EQ(progressBar()->value(), 90);
    EXPECT_EQ(progressBar()->minimum(), 0);
    EXPECT_EQ(progressBar()->maximum(), 90);
    EXPECT_EQ(label(2)->text(), "0");
    EXPECT_EQ(label(1)->text(), "");
    EXPECT_EQ(label(3)->text(), "Score");
    EXPECT_EQ(label(4)->text(), "");
    EXPECT_EQ(label(5)->text(), "11'S");
    EXPECT_EQ(label(7)->text(), "");
    EXPECT_FALSE(timer(1)->isActive());
    EXPECT_TRUE(timer(2)->isActive());
    EXPECT_EQ(timer(1)->interval(), 1000);
    EXPECT_EQ(timer(2)->interval(), 100);

    EXPECT_EQ(window->windowTitle(), "Zentrix");
    EXPECT_FALSE(window->windowIcon().isNull());
    // Slot 15 reaches x = 979, the Next Ball button y = 655.
    EXPECT_GE(window->board()->width(), 979);
    EXPECT_GE(window->board()->height(), 655);
    EXPECT_EQ(button("cmdNext")->geometry(), QRect(585, 534, 113, 121));
    EXPECT_EQ(box(15)->geometry(), QRect(866, 224, 113, 113));

    // The first refresh tick hides every empty box.
    EXPECT_TRUE(waitFor([&] { return !box(0)->isVisible() && !box(22)->isVisible(); }));
    EXPECT_EQ(label(6)->text(), "0");
}

// The display is switched after the pictures are loaded and the boxes made round, and before the
// window is shown; a failed switch is reported under "Pellary" and the game starts all the same.
TEST_F(MainWindowTest, StartUpSwitchesTheDisplayBeforeShowingTheWindow) {
    makeWindow({{1280, 1024, 32, 60}, {1024, 768, 16, 60}},
               display::DisplayMode{1280, 1024, 32, 60});
    driver->scriptChangeResults({display::kChangeFailed});
    BoxAnswerer answerer;
    bool shownDuringSwitch = true;
    bool roundDuringSwitch = false;
    bool rackDuringSwitch = false;
    answerer.whileOpen = [&](const BoxAnswerer::Seen&) {
        shownDuringSwitch = window->isVisible();
        roundDuringSwitch = box(0)->isRound() && box(22)->isRound();
        rackDuringSwitch = !static_cast<FeltButton*>(button("cmdNext"))->picture().isNull();
    };
    startUp();

    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].text, "The display driver failed the specified graphics mode");
    EXPECT_EQ(answerer.seen[0].title, "Pellary");
    EXPECT_EQ(answerer.seen[0].style, QMessageBox::Critical);
    EXPECT_FALSE(shownDuringSwitch);
    EXPECT_TRUE(roundDuringSwitch);
    EXPECT_TRUE(rackDuringSwitch);
    ASSERT_EQ(driver->changes().size(), 1u);
    EXPECT_EQ(driver->changes()[0], (display::DisplayMode{1024, 768, 16, 60}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(progressBar()->value(), 90);
}

// The design's rectangle in the board's pixels, edge by edge.
QRect designedPixels(const layout::TwipsRect& twips) {
    const layout::PixelRect p = layout::toPixels(twips);
    return QRect(p.x, p.y, p.width, p.height);
}

Qt::Alignment designedHorizontal(layout::Align align) {
    switch (align) {
        case layout::Align::Left:
            return Qt::AlignLeft;
        case layout::Align::Centre:
            return Qt::AlignHCenter;
        case layout::Align::Right:
            return Qt::AlignRight;
    }
    return {};
}

// The fonts the window asks for: the design's family first, then its stand-in.
void expectDesignedFont(const QFont& font, const layout::FontDesign& design) {
    EXPECT_EQ(font.pixelSize(), layout::twipsToPixels(design.sizeTwips));
    EXPECT_EQ(font.bold(), design.bold);
    EXPECT_FALSE(font.italic());
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(
        font.families().front(),
        QString::fromUtf8(design.family.data(), static_cast<qsizetype>(design.family.size())));
}

// The window puts every label, both buttons and the countdown bar where the layout says, in its
// fonts, alignments, colours and captions, as the real widgets report them after start-up.
TEST_F(MainWindowTest, ControlsStandAsTheLayoutPlacesThem) {
    // The captions as the window is created, before start-up writes "0" removed.
    for (const layout::LabelDesign& design : layout::labels()) {
        const QString name =
            QString::fromUtf8(design.name.data(), static_cast<qsizetype>(design.name.size()));
        auto* widget = window->findChild<QLabel*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(widget->text().toStdString(), design.caption) << name.toStdString();
    }

    startUp();
    const QColor felt(layout::kFeltGreen.red, layout::kFeltGreen.green, layout::kFeltGreen.blue);
    for (std::size_t i = 0; i < layout::labels().size(); ++i) {
        const layout::LabelDesign& design = layout::labels()[i];
        SCOPED_TRACE(std::string(design.name));
        QLabel* widget = label(static_cast<int>(i) + 1);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName().toStdString(), design.name);
        EXPECT_EQ(widget->parentWidget(), window->board());
        EXPECT_EQ(widget->geometry(), designedPixels(design.rect));
        expectDesignedFont(widget->font(), design.font);
        EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, designedHorizontal(design.align));
        EXPECT_EQ(widget->autoFillBackground(), design.feltBackground);
        if (design.feltBackground) {
            EXPECT_EQ(widget->palette().color(QPalette::Window), felt);
        }
        EXPECT_TRUE(widget->isVisible());
    }
    // The fixed captions stay; start-up shows "0" removed.
    EXPECT_EQ(label(3)->text(), "Score");
    EXPECT_EQ(label(5)->text(), "11'S");
    EXPECT_EQ(label(2)->text(), "0");

    for (const layout::ButtonDesign* design : {&layout::nextBallButton(), &layout::scoreButton()}) {
        SCOPED_TRACE(std::string(design->name));
        QPushButton* widget = button(std::string(design->name).c_str());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), window->board());
        EXPECT_EQ(widget->geometry(), designedPixels(design->rect));
        expectDesignedFont(widget->font(), design->font);
        EXPECT_EQ(widget->text().toStdString(), design->caption);
        EXPECT_EQ(widget->palette().color(QPalette::Button), felt);
        EXPECT_TRUE(widget->isVisible());
    }
    EXPECT_FALSE(static_cast<FeltButton*>(button("cmdNext"))->picture().isNull());
    EXPECT_TRUE(static_cast<FeltButton*>(button("cmdScore"))->picture().isNull());

    const layout::ProgressBarDesign& bar = layout::progressBar();
    EXPECT_EQ(progressBar()->geometry(), designedPixels(bar.rect));
    EXPECT_EQ(progressBar()->minimum(), bar.minimum);
    EXPECT_EQ(progressBar()->maximum(), bar.maximum);
    EXPECT_EQ(progressBar()->orientation(), Qt::Horizontal);

    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        EXPECT_EQ(box(slot)->geometry(), designedPixels(layout::ballBoxRect(slot))) << slot;
    }
    // The board is the client area: its origin is the design's origin.
    EXPECT_EQ(window->centralWidget(), window->board());
    EXPECT_EQ(window->windowTitle().toStdString(), layout::kWindowCaption);
}

// A click on the centre of a free ball selects it; a click on a corner of its box, outside the
// ellipse, reaches the felt beneath and changes nothing; a blocked ball takes no click.
TEST_F(MainWindowTest, OnlyClicksInsideAFreeBallsEllipseReachIt) {
    startUp();
    dealStandardBoard();
    ASSERT_TRUE(box(20)->isEnabled());

    clickAt(box(20), QPoint(4, 4));
    clickAt(box(20), QPoint(108, 108));
    EXPECT_FALSE(window->game().slot(20).selected);
    EXPECT_EQ(window->game().selectionSum(), 0);

    clickAt(box(0), box(0)->rect().center());  // blocked by 5 and 6
    EXPECT_FALSE(window->game().slot(0).selected);

    clickBall(20);
    EXPECT_TRUE(window->game().slot(20).selected);
    EXPECT_TRUE(look(20).selected);
    EXPECT_EQ(label(1)->text(), "4");

    // Just inside the ellipse's edge, to the left of the centre line.
    clickAt(box(20), QPoint(2, 56));
    EXPECT_FALSE(window->game().slot(20).selected);
    EXPECT_EQ(label(1)->text(), "0");
}

// A set of 11 clicked in the window is removed at once, and within one refresh tick its boxes
// are hidden and the round's points shown.
TEST_F(MainWindowTest, ASetOfElevenLeavesTheBoardWithinOneRefreshTick) {
    startUp();
    dealStandardBoard();
    ASSERT_TRUE(waitFor([&] { return label(6)->text() == "0"; }));

    // The refresh timer is held back while the set is taken, so that no tick can come between
    // the clicks and the look at the board, however slow the machine.
    timer(2)->stop();
    clickBall(20);  // 4
    clickBall(22);  // 7: the next ball takes part in the set
    EXPECT_EQ(label(1)->text(), "0");
    EXPECT_EQ(label(2)->text(), "1");
    EXPECT_FALSE(look(20).occupied);
    EXPECT_FALSE(box(20)->isEnabled());
    // A new next ball is dealt at once; the emptied box stays on screen until the refresh.
    EXPECT_TRUE(look(22).occupied);
    EXPECT_TRUE(box(20)->isVisible());

    // The very next refresh tick hides it.
    QSignalSpy ticks(timer(2), &QTimer::timeout);
    timer(2)->start();
    ASSERT_TRUE(ticks.wait(60000));
    EXPECT_FALSE(box(20)->isVisible());
    EXPECT_EQ(label(6)->text(), "200");
    // Slots 16 and 17 lay against 20 only: now they are free.
    EXPECT_TRUE(box(16)->isEnabled());
    EXPECT_TRUE(box(17)->isEnabled());
}

// A sum that would pass 11 is refused; Next Ball drops the selection and puts the next ball on
// the heap's first empty slot.
TEST_F(MainWindowTest, NextBallDropsTheSelectionAndFillsTheFirstEmptySlot) {
    startUp();
    dealStandardBoard();
    clickBall(20);  // 4
    clickBall(21);  // 5: 9
    clickBall(9);   // 3 would make 12
    EXPECT_FALSE(window->game().slot(9).selected);
    EXPECT_EQ(label(1)->text(), "9");

    deal.push(10);
    clickButton("cmdNext");
    EXPECT_EQ(label(1)->text(), "0");
    EXPECT_FALSE(look(20).selected);
    EXPECT_FALSE(look(21).selected);
    // The board is full, so the next ball is thrown away and a new one dealt.
    EXPECT_EQ(look(22).value, 10);
}

// The menu bar reads File > New and Help > Rules, About with no access keys or shortcuts; New
// deals a board, and the Help items open one window each.
TEST_F(MainWindowTest, MenusAreExactlyAsDesignedAndDriveTheGame) {
    startUp();
    QStringList titles;
    QStringList items;
    for (QAction* top : window->menuBar()->actions()) {
        titles << top->text();
        for (QAction* item : top->menu()->actions()) {
            items << item->text();
            EXPECT_TRUE(item->shortcut().isEmpty());
            EXPECT_FALSE(item->isSeparator());
        }
    }
    EXPECT_EQ(titles, (QStringList{"File", "Help"}));
    EXPECT_EQ(items, (QStringList{"New", "Rules", "About"}));
    EXPECT_FALSE(titles.join("").contains('&'));
    EXPECT_FALSE(items.join("").contains('&'));

    dealStandardBoard();
    for (int slot = 0; slot < 22; ++slot) {
        EXPECT_EQ(look(slot).value, kBoard[static_cast<std::size_t>(slot)]) << slot;
    }
    EXPECT_EQ(label(4)->text(), "0");
    EXPECT_TRUE(timer(1)->isActive());
    EXPECT_TRUE(timer(2)->isActive());
    std::vector<int> free;
    for (int slot = 0; slot < 23; ++slot) {
        if (box(slot)->isEnabled()) {
            free.push_back(slot);
        }
    }
    EXPECT_EQ(free, (std::vector<int>{9, 20, 21, 22}));

    action("mnuHelpRules")->trigger();
    action("mnuHelpAbout")->trigger();
    ASSERT_NE(window->helpWindows().rulesWindow(), nullptr);
    ASSERT_NE(window->helpWindows().aboutWindow(), nullptr);
    EXPECT_TRUE(window->helpWindows().rulesWindow()->isVisible());
    EXPECT_TRUE(window->helpWindows().aboutWindow()->isVisible());
    // The countdown goes on while they are open.
    EXPECT_TRUE(timer(1)->isActive());
    EXPECT_TRUE(waitFor([this] { return !label(7)->text().isEmpty(); }))
        << "Label7 shows " << label(7)->text().toStdString();
}

// Tab runs as designed: the next ball, Next Ball, the heap from the bottom up, Take Score. The
// labels and the bar take no focus.
TEST_F(MainWindowTest, TabOrderFollowsTheDesign) {
    // A desktop may activate the window only after the first New has freed some balls; Next
    // Ball still holds the focus first.
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    startUp();
    newGame();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), button("cmdNext"));
    QStringList order;
    QWidget* widget = box(22);
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && window->board()->isAncestorOf(widget)) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != box(22) && order.size() < 40);
    const QStringList expected = {
        "Picture1_22", "cmdNext",     "Picture1_21", "Picture1_20", "Picture1_19",
        "Picture1_18", "Picture1_17", "Picture1_16", "Picture1_15", "Picture1_14",
        "Picture1_13", "Picture1_12", "Picture1_11", "Picture1_10", "Picture1_9",
        "Picture1_8",  "Picture1_7",  "Picture1_4",  "Picture1_3",  "Picture1_2",
        "Picture1_1",  "Picture1_0",  "Picture1_5",  "Picture1_6",  "cmdScore"};
    EXPECT_EQ(order, expected);
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(label(n)->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(progressBar()->focusPolicy(), Qt::NoFocus);
}

// Closing the window puts the display back, closes the help windows and ends the program, once.
TEST_F(MainWindowTest, ClosingTheWindowRestoresTheDisplayAndEndsTheGame) {
    makeWindow({{1280, 1024, 32, 60}, {1024, 768, 16, 60}},
               display::DisplayMode{1280, 1024, 32, 60});
    startUp();
    ASSERT_EQ(driver->changes().size(), 1u);
    action("mnuHelpAbout")->trigger();
    action("mnuHelpRules")->trigger();
    QSignalSpy ended(window.get(), &MainWindow::gameEnded);

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(ended.count(), 1);
    ASSERT_EQ(driver->changes().size(), 2u);
    EXPECT_EQ(driver->changes()[1], (display::DisplayMode{1280, 1024, 32, 60}));
    EXPECT_EQ(window->helpWindows().aboutWindow(), nullptr);
    EXPECT_EQ(window->helpWindows().rulesWindow(), nullptr);
    EXPECT_FALSE(timer(1)->isActive());
    EXPECT_FALSE(timer(2)->isActive());

    // Later ways out (the application quitting) do nothing more.
    window->shutDown();
    window->restoreDisplay();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(driver->changes().size(), 2u);
}

// A whole round played through the window down to an empty heap and an empty supply, then the
// next two rounds ended at once. Every message box appears with its text, title and icon while
// both timers are really stopped, over the board as it stands at that step.
class RoundFlowTest : public MainWindowTest {
protected:
    // The heap's balls in an order in which each is free when its turn comes.
    static constexpr std::array<int, 22> kClearingOrder = {
        20, 21, 16, 17, 18, 19, 10, 11, 12, 13, 14, 15, 9, 5, 6, 3, 4, 7, 8, 0, 1, 2};
    // Values chosen so that every ball pairs with a next ball to make 11 and the supply of 60
    // (six of each value) runs out with the last pair: the heap holds 22, sixteen next balls are
    // thrown away first, and 22 more complete the pairs.
    void scriptClearableRound() {
        board = {1, 1, 1, 10, 10, 2, 2, 2, 9, 9, 3, 3, 8, 8, 4, 4, 7, 7, 5, 5, 6, 6};
        deal.push(board);
        deal.push({1, 10, 2, 9, 3, 3, 8, 8, 4, 4, 7, 7, 5, 5, 6, 6});  // thrown away
        for (int slot : kClearingOrder) {
            deal.push(11 - board[static_cast<std::size_t>(slot)]);
        }
    }
    std::vector<int> board;
};

TEST_F(RoundFlowTest, MessagesShowOverTheStateOfTheirStepWithTheTimersStopped) {
    startUp();
    scriptClearableRound();
    newGame();
    for (int i = 0; i < 16; ++i) {
        clickButton("cmdNext");
    }
    for (int slot : kClearingOrder) {
        SCOPED_TRACE(slot);
        ASSERT_TRUE(box(slot)->isEnabled());
        clickBall(slot);
        clickBall(22);
        ASSERT_FALSE(look(slot).occupied);
    }
    EXPECT_EQ(deal.pending(), 0u);
    EXPECT_FALSE(look(22).occupied);  // the supply is used up
    EXPECT_EQ(label(2)->text(), "22");
    ASSERT_TRUE(waitFor([&] {
        for (int slot = 0; slot < 23; ++slot) {
            if (box(slot)->isVisible()) {
                return false;
            }
        }
        return true;
    }));
    EXPECT_EQ(label(6)->text(), "14200");  // every row's points twice: ball and next ball

    std::vector<int> shownBoxes;  // behind each box
    int secondsLeft = -1;         // behind the first
    BoxAnswerer answerer;
    answerer.whileOpen = [&](const BoxAnswerer::Seen&) {
        shownBoxes.push_back(0);
        for (int slot = 0; slot < 23; ++slot) {
            shownBoxes.back() += box(slot)->isVisible() ? 1 : 0;
        }
        secondsLeft = secondsLeft < 0 ? progressBar()->value() : secondsLeft;
    };

    clickButton("cmdScore");

    ASSERT_TRUE(answerer.answered(3));
    ASSERT_EQ(answerer.seen.size(), 3u);
    EXPECT_EQ(answerer.seen[0].text, "BONUS, Level Clear 10,000");
    EXPECT_EQ(answerer.seen[0].style, QMessageBox::Information);
    EXPECT_EQ(answerer.seen[1].text, "Ready for Round 2");
    EXPECT_EQ(answerer.seen[1].style, QMessageBox::Question);
    EXPECT_EQ(answerer.seen[2].text, "Score 90,000 for BONUS ROUND!!");
    EXPECT_EQ(answerer.seen[2].style, QMessageBox::Information);
    for (const auto& seen : answerer.seen) {
        EXPECT_EQ(seen.title, "Zentrix");
        EXPECT_FALSE(seen.timer1);
        EXPECT_FALSE(seen.timer2);
    }
    // The level clear shows over the cleared heap, with the old total.
    EXPECT_EQ(shownBoxes[0], 0);
    EXPECT_EQ(answerer.seen[0].total, "0");
    // The round's messages show over the emptied board (every box shown, none holding a ball)
    // and the new total: 32 cleared slots, 22 halved removals, the seconds left, the points.
    const QString expected = QString::number(32000 + 22000 + 250 * secondsLeft + 14200);
    for (std::size_t i = 1; i < answerer.seen.size(); ++i) {
        EXPECT_EQ(shownBoxes[i], 23);
        EXPECT_FALSE(answerer.seen[i].ballsShown);
        EXPECT_EQ(answerer.seen[i].total, expected.toStdString());
    }
    // Round 2 is dealt and running.
    EXPECT_TRUE(timer(1)->isActive());
    EXPECT_TRUE(timer(2)->isActive());
    EXPECT_TRUE(look(0).occupied);
    EXPECT_EQ(label(4)->text(), expected);

    // Take Score once more: the one box it brings.
    const auto scoreToOneBox = [&](const char* text, QMessageBox::Icon style) {
        answerer.seen.clear();
        clickButton("cmdScore");
        ASSERT_TRUE(answerer.answered(1));
        ASSERT_EQ(answerer.seen.size(), 1u);
        EXPECT_EQ(answerer.seen[0].text, text);
        EXPECT_EQ(answerer.seen[0].style, style);
    };
    // Round 2 ended at once still reaches 90,000: the bonus round.
    ASSERT_NO_FATAL_FAILURE(scoreToOneBox("BONUS ROUND!!!", QMessageBox::Warning));
    EXPECT_FALSE(answerer.seen[0].timer1);
    EXPECT_FALSE(answerer.seen[0].timer2);
    EXPECT_FALSE(answerer.seen[0].ballsShown);

    // The bonus round ends the game.
    ASSERT_NO_FATAL_FAILURE(scoreToOneBox("Game Over", QMessageBox::Information));
    EXPECT_FALSE(timer(1)->isActive());
    EXPECT_FALSE(timer(2)->isActive());
    EXPECT_FALSE(button("cmdScore")->isEnabled());
    EXPECT_EQ(label(6)->text(), "");
    for (int slot = 0; slot < 22; ++slot) {
        EXPECT_FALSE(box(slot)->isEnabled()) << slot;
    }

    // New starts again from game over.
    newGame();
    EXPECT_TRUE(button("cmdScore")->isEnabled());
    EXPECT_TRUE(timer(1)->isActive());
    EXPECT_EQ(label(4)->text(), "0");
}

}  // namespace
}  // namespace zentrix::ui::testing
