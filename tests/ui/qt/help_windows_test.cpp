// The About and Rules windows: their texts, their one-instance lifecycle and their layout.
#include "ui/qt/help_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include "ui/layout/rules_text.h"

namespace zentrix::ui {
namespace {

// Lets windows closed by the player finish deleting themselves.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QPlainTextEdit* rulesBox(QDialog* window) {
    return window->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
}

// The rules read exactly as they always have, typos and trailing spaces included.
TEST(RulesText, ReadsLineByLineAsTheGameHasAlwaysShownIt) {
    const std::vector<std::string> expected = {
        "Zentrix     ver 1.0",
        "",
        "",
        "Rules:",
        "",
        "       Add up any number of balls that equalls 11.",
        "       Any ball blocked by another ball is not free",
        "       Only \"free\" balls can be choosen ",
        "       Score high enough to move on to the bonus round",
        "",
        "",
        "Scoring:",
        "",
        "       100 to 600 points per ball removed depending on location(Points marked on screen)",
        "       1000 for every set of \"11\" removed ",
        "       1000 for every space cleared on the board",
        "        250 for every 1.5 seconds remaing on the timer",
        "  ",
        "       10,000 bonus points fo completely clearing all balls",
        "",
        "",
    };
    const auto lines = layout::rulesLines();
    ASSERT_EQ(lines.size(), expected.size() + 3) << "21 rules lines, then notice and contact";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
    for (std::size_t i = expected.size(); i < lines.size(); ++i) {
        EXPECT_FALSE(lines[i].empty()) << "notice line " << i + 1;
    }
    EXPECT_NE(lines.back().find('@'), std::string_view::npos) << "the contact line has an address";
}

// Every line of the held text, the last included, ends with a carriage return and line feed.
TEST(RulesText, EndsEveryLineWithCarriageReturnAndLineFeed) {
    const std::string text = layout::rulesText();
    std::size_t count = 0;
    std::size_t start = 0;
    for (std::size_t pos = text.find("\r\n"); pos != std::string::npos;
         pos = text.find("\r\n", start)) {
        EXPECT_EQ(text.substr(start, pos - start), layout::rulesLines()[count]);
        ++count;
        start = pos + 2;
    }
    EXPECT_EQ(start, text.size()) << "nothing after the last line end";
    EXPECT_EQ(count, layout::rulesLines().size());
}

// Help > Rules shows one window whatever how often it is chosen, with the rules in it.
TEST(HelpWindows, RulesWindowIsSingleAndShowsTheRules) {
    HelpWindows help;
    help.showRules();
    QDialog* first = help.rulesWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Rules"));
    EXPECT_EQ(first->size(), QSize(598, 498));
    EXPECT_FALSE(first->isModal()) << "the game goes on while the rules are read";

    help.showRules();
    EXPECT_EQ(help.rulesWindow(), first) << "chosen again: brought to the front, not copied";
    int rulesWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        rulesWindows += (w->objectName() == QStringLiteral("frmRules") && w->isVisible()) ? 1 : 0;
    }
    EXPECT_EQ(rulesWindows, 1);

    QPlainTextEdit* text = rulesBox(first);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->geometry(), QRect(0, 296, 599, 202));
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(first->focusWidget(), text);
    // The box holds the text the game keeps, with each carriage return and line feed a line
    // break: the tabled lines one by one, and after the last line end an empty line.
    QString held = QString::fromStdString(layout::rulesText());
    held.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(text->toPlainText(), held);
    const auto lines = layout::rulesLines();
    ASSERT_EQ(text->document()->blockCount(), static_cast<int>(lines.size()) + 1);
    int i = 0;
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        const std::string want = i < static_cast<int>(lines.size())
                                     ? std::string(lines[static_cast<std::size_t>(i)])
                                     : "";
        EXPECT_EQ(block.text().toStdString(), want) << "line " << i + 1;
        ++i;
    }
}

// The scroll bar reaches the contact line, and a reopened window starts at the first line again.
TEST(HelpWindows, RulesScrollToTheEndAndReopenAtTheTop) {
    HelpWindows help;
    help.showRules();
    QPlainTextEdit* text = rulesBox(help.rulesWindow());
    ASSERT_NE(text, nullptr);
    QCoreApplication::processEvents();
    QScrollBar* bar = text->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the rules are longer than their box";
    EXPECT_EQ(bar->value(), 0);

    bar->setValue(bar->maximum());
    QTextCursor end(text->document());
    end.movePosition(QTextCursor::End);
    EXPECT_TRUE(text->viewport()->rect().contains(text->cursorRect(end)))
        << "the last line is reachable";

    help.rulesWindow()->close();
    settle();
    EXPECT_EQ(help.rulesWindow(), nullptr) << "closing discards the window";

    help.showRules();
    ASSERT_NE(help.rulesWindow(), nullptr);
    EXPECT_EQ(rulesBox(help.rulesWindow())->verticalScrollBar()->value(), 0);
}

// About shows the title and an Ok button that closes it, by mouse or by key.
TEST(HelpWindows, AboutWindowClosesWithOk) {
    HelpWindows help;
    help.showAbout();
    QDialog* about = help.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("ABout"));
    EXPECT_EQ(about->size(), QSize(596, 299));
    auto* ok = about->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("Ok"));
    EXPECT_EQ(ok->geometry(), QRect(521, 218, 64, 30));
    EXPECT_EQ(about->focusWidget(), ok) << "the only stop in the tab order";

    help.showAbout();
    EXPECT_EQ(help.aboutWindow(), about);

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    settle();
    EXPECT_EQ(help.aboutWindow(), nullptr);

    help.showAbout();
    ok = help.aboutWindow()->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    QTest::keyClick(ok, Qt::Key_Space);
    settle();
    EXPECT_EQ(help.aboutWindow(), nullptr) << "Space on the focused Ok closes it too";
}

// The title picture fills the windows' backgrounds from the top-left corner.
TEST(HelpWindows, DrawTheTitlePictureBehindTheirControls) {
    HelpWindows help;
    help.showAbout();
    const QImage shot = help.aboutWindow()->grab().toImage();
    const QImage title(QStringLiteral(":/pictures/title.jpg"));
    ASSERT_FALSE(title.isNull());
    for (const QPoint p : {QPoint(5, 5), QPoint(300, 100), QPoint(590, 290)}) {
        const QColor got = shot.pixelColor(p * shot.devicePixelRatio());
        const QColor want = title.pixelColor(p);
        EXPECT_LE(std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                      std::abs(got.blue() - want.blue()),
                  12)
            << "at " << p.x() << "," << p.y();
    }
}

// Closing the game takes any open help window with it.
TEST(HelpWindows, CloseAllClosesBoth) {
    HelpWindows help;
    help.showAbout();
    help.showRules();
    QPointer<QDialog> about = help.aboutWindow();
    QPointer<QDialog> rules = help.rulesWindow();
    help.closeAll();
    EXPECT_TRUE(about.isNull());
    EXPECT_TRUE(rules.isNull());
    EXPECT_EQ(help.aboutWindow(), nullptr);
    EXPECT_EQ(help.rulesWindow(), nullptr);
}

}  // namespace
}  // namespace zentrix::ui
