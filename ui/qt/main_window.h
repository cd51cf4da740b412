// Form1: the game's window. It applies what the controller decides (the controls' state, the
// timers, the boxes, the focus) and forwards every click, key, menu choice and timer tick to it.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "display/display_mode.h"
#include "display/display_session.h"
#include "game/game.h"
#include "ui/controller/form1_controller.h"
#include "ui/layout/arrangement.h"
#include "ui/layout/form1_layout.h"
#include "ui/layout/form1_view.h"

class QAction;
class QLabel;
class QProgressBar;
class QScreen;
class QTimer;

namespace zentrix::ui {

class BoardView;
class FeltButton;
class FingerStyle;
class HelpWindows;

class MainWindow final : public QMainWindow, private controller::Form1Port {
    Q_OBJECT

public:
    // The window deals from `random` and switches the display through `display`; both must
    // outlive it.
    MainWindow(RandomSource& random, display::DisplayDriver& display, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load step, once: pictures, round ball boxes, rings, the display switch, then the window
    // is shown with a full countdown bar and "0" removed.
    void startUp();
    // The unload step: the display put back, the help windows closed, then ended() is emitted.
    // Runs once however often it is called.
    void shutDown();
    // The display put back alone, when the desktop session ends and the game may not see its
    // window closed.
    void restoreDisplay();

    // The controls arranged for `screen`, as the screen the window stands on is found to be
    // whenever it changes (a phone turned, the window moved to another screen): the form as
    // designed or the arrangement for a finger, and the menus, help windows and message boxes
    // made for a finger or a mouse, as the layout has them for the screen. The game goes on as
    // it is.
    void arrangeFor(const layout::Screen& screen);
    // Whether the window is arranged for a finger.
    bool arrangedForFinger() const;
    // Whether the menus, the help windows and the message boxes are drawn for a finger.
    bool windowsForFinger() const { return fingerWindows_; }

    // True once shutDown() has run.
    bool hasEnded() const { return controller_.hasEnded(); }

    const Game& game() const { return controller_.game(); }
    BoardView* board() const { return board_; }
    HelpWindows& helpWindows() const { return *help_; }
    const display::DisplaySession& displaySession() const { return controller_.displaySession(); }

Q_SIGNALS:
    // The game is over for good: the program should quit.
    void gameEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the controller asks of the window.
    void prepareControls() override;
    void showWindow() override;
    void applySlot(int slot, const layout::SlotView& view) override;
    void applyLabel(int index, const layout::LabelView& view) override;
    void applyProgress(int secondsLeft) override;
    void applyScoreEnabled(bool enabled) override;
    void startTimer(controller::Timer timer, std::chrono::milliseconds interval) override;
    void stopTimer(controller::Timer timer) override;
    void showMessage(const controller::Message& box) override;
    void moveFocus(const controller::Focus& target) override;
    bool showHelp(controller::HelpWindow window) override;
    void closeHelpWindows() override;
    void ended() override;

    QTimer* timer(controller::Timer which) const;
    // The control `focus` names, and back; nullptr and Focus::none() for anything else.
    QWidget* widgetFor(const controller::Focus& focus) const;
    controller::Focus focusOf(const QWidget* widget) const;

    // The screen the window stands on, as arrangeFor() takes it.
    layout::Screen screenFacts() const;
    // Follows the screen `where`: its size and shape arrange the window.
    void watchScreen(QScreen* where);

    void buildControls();
    void buildMenus();
    void buildTabOrder();
    // The rack of balls on Next Ball, at the board's present scale.
    void loadRackPicture();
    // The window's first size, as the layout fits it to the screen's free area.
    QSize openingSize();
    // The style the windows over the game are drawn in: the finger's, or the platform's (null).
    QStyle* windowStyle() const;

    std::unique_ptr<HelpWindows> help_;
    std::unique_ptr<FingerStyle> fingerStyle_;
    bool fingerWindows_ = false;
    QMetaObject::Connection screenWatch_;

    BoardView* board_ = nullptr;
    std::array<QLabel*, 7> labels_{};  // Label1..Label7
    FeltButton* nextButton_ = nullptr;
    FeltButton* scoreButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    QMetaObject::Connection focusWatch_;
    QPointer<QMessageBox> messageBox_;  // the box on screen, if any
    // Last, so that it goes first: its display session puts the display back as it goes.
    controller::Form1Controller controller_;
};

}  // namespace zentrix::ui
