// The window on a phone: 360 x 720 logical pixels at scale 2, a touch screen, the window given
// the whole screen as a phone's shell gives it. Every size is measured on the widgets as drawn.
#include <qpa/qwindowsysteminterface.h>

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointingDevice>
#include <QScreen>
#include <QToolButton>

#include "ui/qt/help_windows.h"
#include "window_fixture.h"

namespace zentrix::ui::testing {
namespace {

constexpr int kFinger = 44;
constexpr int kReadable = 12;

class PhoneWindowTest : public WindowTest {
protected:
    void SetUp() override {
        touchScreen.reset(QTest::createTouchDevice());
        WindowTest::SetUp();
    }
    void TearDown() override {
        WindowTest::TearDown();
        touchScreen.reset();
    }

    // A finger's tap on `widget` at `where` in its own pixels, through its window's touch screen.
    void tap(QWidget* widget, QPoint where) {
        QWidget* top = widget->window();
        const QPoint at = widget->mapTo(top, where);
        QTest::touchEvent(top->windowHandle(), touchScreen.get()).press(0, at);
        QTest::touchEvent(top->windowHandle(), touchScreen.get()).release(0, at);
        QCoreApplication::processEvents();
    }
    void tap(QWidget* widget) { tap(widget, widget->rect().center()); }

    // A menu chosen by two taps: its title on the bar, then its item.
    void tapMenu(const char* menuName, const char* itemName) {
        QMenuBar* bar = window->menuBar();
        auto* menu = window->findChild<QMenu*>(QString::fromLatin1(menuName));
        ASSERT_NE(menu, nullptr);
        tap(bar, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(waitFor([&] { return menu->isVisible(); }));
        QAction* item = action(itemName);
        EXPECT_GE(menu->actionGeometry(item).height(), kFinger);
        tap(menu, menu->actionGeometry(item).center());
    }

    QSize screenSize() const { return window->screen()->geometry().size(); }

    // The phone turned: the platform reports the screen's new size, in its own pixels at the
    // scale of 2 the tests run at, and the shell gives the window the whole of it again.
    void turnTo(QSize screen) {
        const QRect native(0, 0, 2 * screen.width(), 2 * screen.height());
        QWindowSystemInterface::handleScreenGeometryChange(window->screen(), native, native);
        QCoreApplication::processEvents();
        ASSERT_EQ(screenSize(), screen);
        window->setWindowState(Qt::WindowNoState);
        window->setGeometry(QRect(QPoint(0, 0), screen));
        ASSERT_TRUE(waitFor([&] { return window->size() == screen; }));
    }

    // What a player sees of the window's controls, upright or sideways: every target a finger
    // wide (a ball 40 on a screen 360 across), every text readable, the window inside the screen
    // and the game covering most of it beneath the menu bar.
    void expectMadeForAFinger(QSize screen) {
        SCOPED_TRACE(::testing::Message() << screen.width() << " x " << screen.height());
        ASSERT_TRUE(window->arrangedForFinger());
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(window->geometry()));
        // The smallest window fits a phone of 360 x 640 held the same way.
        const bool upright = screen.width() < screen.height();
        EXPECT_LE(window->minimumSizeHint().width(), upright ? 360 : 640);
        EXPECT_LE(window->minimumSizeHint().height(), upright ? 640 : 360);

        const int ball = screen.width() <= 360 ? 40 : kFinger;
        for (int slot = 0; slot < layout::kSlotCount; ++slot) {
            EXPECT_GE(box(slot)->width(), ball) << slot;
            EXPECT_GE(box(slot)->height(), ball) << slot;
        }
        for (const char* name : {"cmdNext", "cmdScore"}) {
            EXPECT_GE(button(name)->width(), kFinger) << name;
            EXPECT_GE(button(name)->height(), kFinger) << name;
            EXPECT_GE(QFontInfo(button(name)->font()).pixelSize(), kReadable) << name;
        }
        for (int n = 1; n <= 7; ++n) {
            EXPECT_GE(QFontInfo(label(n)->font()).pixelSize(), kReadable) << n;
        }
        QMenuBar* bar = window->menuBar();
        for (QAction* title : bar->actions()) {
            EXPECT_GE(bar->actionGeometry(title).width(), kFinger);
            EXPECT_GE(bar->actionGeometry(title).height(), kFinger);
        }
        EXPECT_GE(QFontInfo(bar->font()).pixelSize(), kReadable);

        const QRect drawn = window->board()->place(window->board()->arrangement().area);
        const double beneathBar =
            static_cast<double>(screen.width()) * (screen.height() - bar->height());
        EXPECT_GE(drawn.width() * drawn.height() / beneathBar, 0.75);
    }

    std::unique_ptr<QPointingDevice> touchScreen;
};

TEST_F(PhoneWindowTest, ARoundPlayedByTapsUprightThenSideways) {
    ASSERT_EQ(screenSize(), QSize(360, 720));
    startUp();
    expectMadeForAFinger(screenSize());

    deal.push(
        std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 10});
    tapMenu("mnuFile", "mnuFileNew");
    ASSERT_EQ(look(layout::kNextBallSlot).value, 10);

    // Two taps make eleven (1 and the next ball's 10) and take the pair away.
    tap(box(20));
    EXPECT_TRUE(look(20).selected);
    tap(box(layout::kNextBallSlot));
    EXPECT_FALSE(look(20).occupied);
    EXPECT_EQ(label(2)->text(), QStringLiteral("1"));

    // A double tap is a double click: the ball is selected once.
    const QPoint centre = box(21)->mapTo(window.get(), box(21)->rect().center());
    for (int i = 0; i < 2; ++i) {
        QTest::touchEvent(window->windowHandle(), touchScreen.get()).press(0, centre);
        QTest::touchEvent(window->windowHandle(), touchScreen.get()).release(0, centre);
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(look(21).selected);
    EXPECT_EQ(label(1)->text(), QStringLiteral("2"));

    // The phone turned mid-round: the window is arranged again, and the game goes on as it was.
    turnTo({720, 360});
    EXPECT_EQ(window->board()->arrangement().name, "sideways");
    expectMadeForAFinger({720, 360});
    EXPECT_TRUE(look(21).selected);
    EXPECT_EQ(label(1)->text(), QStringLiteral("2"));
    EXPECT_FALSE(look(20).occupied);
    EXPECT_TRUE(timer(1)->isActive());

    // Take Score by a tap; its boxes fit the screen, read well and close with a tap on OK. The
    // first is waited for however long the machine takes; each next one comes as the last closes.
    tap(button("cmdScore"));
    int boxes = 0;
    while (boxes < 5) {
        if (!waitFor([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                     boxes == 0 ? 60000 : 1000)) {
            break;
        }
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
        SCOPED_TRACE(box->text().toStdString());
        EXPECT_TRUE(QRect(0, 0, 720, 360).contains(box->frameGeometry()));
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        EXPECT_GE(ok->width(), kFinger);
        EXPECT_GE(ok->height(), kFinger);
        EXPECT_GE(QFontInfo(ok->font()).pixelSize(), kReadable);
        for (QLabel* text : box->findChildren<QLabel*>()) {
            EXPECT_GE(QFontInfo(text->font()).pixelSize(), kReadable);
        }
        tap(ok);
        ASSERT_TRUE(waitFor([&] { return QApplication::activeModalWidget() != box; }));
        ++boxes;
    }
    EXPECT_GE(boxes, 1);
    EXPECT_NE(label(4)->text(), QStringLiteral("0"));
}

// On a phone held either way, and on a large touch screen, where the form stands as designed but
// the help windows are still a finger's, as the page has them there.
TEST_F(PhoneWindowTest, RulesAndAboutFitTheScreenAndCloseWithATap) {
    startUp();
    using Help = QDialog* (HelpWindows::*)() const;
    for (const QSize screen : {QSize(360, 720), QSize(720, 360), QSize(1366, 1024)}) {
        SCOPED_TRACE(::testing::Message() << screen.width() << " x " << screen.height());
        turnTo(screen);
        EXPECT_EQ(window->arrangedForFinger(), screen.width() < 1000);
        EXPECT_TRUE(window->windowsForFinger());
        // Opened by a tap on its menu item, no larger than the screen.
        const auto open = [&](const char* item, Help help, QPointer<QDialog>& opened) {
            tapMenu("mnuHelp", item);
            opened = (window->helpWindows().*help)();
            ASSERT_NE(opened, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(opened));
            EXPECT_LE(opened->frameGeometry().width(), screen.width());
            EXPECT_LE(opened->frameGeometry().height(), screen.height());
        };
        // Closed by a tap on `button`, a finger wide and high.
        const auto closeBy = [&](QWidget* button, Help help) {
            EXPECT_GE(button->width(), kFinger);
            EXPECT_GE(button->height(), kFinger);
            tap(button);
            EXPECT_TRUE(waitFor([&] {
                QDialog* shown = (window->helpWindows().*help)();
                return shown == nullptr || !shown->isVisible();
            }));
        };

        QPointer<QDialog> rules;
        ASSERT_NO_FATAL_FAILURE(open("mnuHelpRules", &HelpWindows::rulesWindow, rules));
        auto* text = rules->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        EXPECT_GE(QFontInfo(text->font()).pixelSize(), kReadable);
        EXPECT_GE(text->height(), 3 * QFontInfo(text->font()).pixelSize());
        auto* closeBox = rules->findChild<QToolButton*>(QStringLiteral("closeBox"));
        ASSERT_TRUE(closeBox->isVisible());
        closeBy(closeBox, &HelpWindows::rulesWindow);

        QPointer<QDialog> about;
        ASSERT_NO_FATAL_FAILURE(open("mnuHelpAbout", &HelpWindows::aboutWindow, about));
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("Command1"));
        EXPECT_GE(QFontInfo(ok->font()).pixelSize(), kReadable);
        EXPECT_TRUE(about->rect().contains(ok->geometry()));
        closeBy(ok, &HelpWindows::aboutWindow);
    }
}

}  // namespace
}  // namespace zentrix::ui::testing
