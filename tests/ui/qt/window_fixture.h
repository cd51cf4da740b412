// The game window on the test bench: a scripted deal, a scripted display, clicks delivered through
// the window system as a player's are, and a hand that answers message boxes.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/scripted_display_driver.h"
#include "game/random_source.h"
#include "tests/box_recorder.h"
#include "ui/qt/ball_box.h"
#include "ui/qt/board_view.h"
#include "ui/qt/main_window.h"

namespace zentrix::ui::testing {

// Deals the values it is given, in order; after them it keeps dealing 1, 2, ..., 10, 1, ...
class ScriptedDeal final : public RandomSource {
public:
    void push(int value) { script_.push_back(value); }
    void push(const std::vector<int>& values) {
        script_.insert(script_.end(), values.begin(), values.end());
    }
    // A draw r gives the value 10 r + 1 rounded; a tenth above the value's own point keeps well
    // clear of the halves.
    float next() override {
        int value = 0;
        if (!script_.empty()) {
            value = script_.front();
            script_.pop_front();
        } else {
            value = 1 + (afterScript_++ % 10);
        }
        return (static_cast<float>(value - 1) + 0.1F) / 10.0F;
    }
    std::size_t pending() const { return script_.size(); }

private:
    std::deque<int> script_;
    int afterScript_ = 0;
};

// Answers every modal message box with OK (or Enter) as soon as it appears, after noting it with
// the game's window behind it and letting `whileOpen` look at that window.
class BoxAnswerer : public zentrix::testing::BoxRecorder<QMessageBox::Icon> {
public:
    BoxAnswerer() {
        behind = [this] { return windowBehind(); };
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start();
    }

    std::function<void(const Seen&)> whileOpen;
    bool byKey = false;  // answered with the Enter key instead of a click on OK

    // Waits until `count` boxes have been answered and none is open any more.
    bool answered(std::size_t count, int ms = 5000) {
        return QTest::qWaitFor(
            [&] { return seen.size() >= count && QApplication::activeModalWidget() == nullptr; },
            ms);
    }

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box == answering_) {
            return;
        }
        answering_ = box;
        const Seen s =
            record(box->text().toStdString(), box->windowTitle().toStdString(), box->icon());
        if (whileOpen) {
            whileOpen(s);
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        ASSERT_NE(ok, nullptr);
        if (byKey) {
            QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        } else {
            ok->click();
        }
    }

    // The game's window the box being answered stands over, if it has one.
    zentrix::testing::WindowBehind windowBehind() const {
        const auto* window = qobject_cast<const MainWindow*>(answering_->parentWidget());
        if (window == nullptr) {
            return {};
        }
        const auto runs = [window](const char* name) {
            const auto* timer = window->findChild<QTimer*>(QString::fromLatin1(name));
            return timer != nullptr && timer->isActive();
        };
        zentrix::testing::WindowBehind shown{
            runs("Timer1"), runs("Timer2"),
            window->findChild<QLabel*>(QStringLiteral("Label4"))->text().toStdString(), false};
        for (int slot = 0; slot < layout::kSlotCount; ++slot) {
            shown.ballsShown = shown.ballsShown || window->board()->slotView(slot).occupied;
        }
        return shown;
    }

    QTimer timer_;
    QPointer<QMessageBox> answering_;
};

// The game's window, started up, on a display that offers no mode the game asks for.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeWindow({{1280, 1024, 32, 60}}, display::DisplayMode{1280, 1024, 32, 60});
    }

    void TearDown() override {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void makeWindow(std::vector<display::DisplayMode> modes,
                    std::optional<display::DisplayMode> current) {
        window.reset();
        driver = std::make_unique<display::ScriptedDisplayDriver>(std::move(modes), current);
        window = std::make_unique<MainWindow>(deal, *driver);
    }

    void startUp() {
        window->startUp();
        // A box from the display switch comes first, and the window once it has been closed.
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 5000));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    BallBox* box(int slot) const { return window->board()->ballBox(slot); }
    const layout::SlotView& look(int slot) const { return window->board()->slotView(slot); }
    QLabel* label(int n) const {
        return window->findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
    }
    QPushButton* button(const char* name) const {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QProgressBar* progressBar() const {
        return window->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    }
    QTimer* timer(int n) const {
        return window->findChild<QTimer*>(QStringLiteral("Timer%1").arg(n));
    }
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }

    // A left click at `where` in `widget`'s coordinates, delivered to the window as the platform
    // delivers it: Qt's own hit-testing decides which control gets it.
    void clickAt(QWidget* widget, QPoint where) {
        const QPoint inWindow = widget->mapTo(window.get(), where);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
    }
    // A click on the centre of ball box `slot`.
    void clickBall(int slot) { clickAt(box(slot), box(slot)->rect().center()); }
    void clickButton(const char* name) {
        QPushButton* b = button(name);
        clickAt(b, b->rect().center());
    }
    void newGame() { action("mnuFileNew")->trigger(); }

    // Waits until `done` holds. The limit only ends a test whose window hangs: a busy machine may
    // take seconds over what a quiet one does at once.
    template <typename Predicate>
    bool waitFor(Predicate done, int ms = 60000) {
        return QTest::qWaitFor(done, ms);
    }

    ScriptedDeal deal;
    std::unique_ptr<display::ScriptedDisplayDriver> driver;
    std::unique_ptr<MainWindow> window;
};

}  // namespace zentrix::ui::testing
