// Form1: the game's window. It draws the state of the rules library and forwards every click,
// menu choice and timer tick to it; after each forwarded step it shows the new state and sets its
// two timers running or stopped as the rules say.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "display/display_mode.h"
#include "display/display_session.h"
#include "game/game.h"
#include "game/message.h"
#include "ui/layout/form1_layout.h"
#include "ui/layout/form1_view.h"

class QAction;
class QLabel;
class QProgressBar;
class QTimer;

namespace zentrix::ui {

class BoardView;
class FeltButton;
class HelpWindows;

class MainWindow final : public QMainWindow,
                         public MessagePresenter,
                         public display::DisplayMessages {
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

    // True once shutDown() has run.
    bool hasEnded() const { return ended_; }

    const Game& game() const { return game_; }
    BoardView* board() const { return board_; }
    HelpWindows& helpWindows() const { return *help_; }
    const display::DisplaySession& displaySession() const { return session_; }

Q_SIGNALS:
    // The game is over for good: the program should quit.
    void ended();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override;
    void showDisplayMessage(std::string_view text, std::string_view title,
                            display::DisplayMessageStyle style) override;

    void buildControls();
    void buildMenus();
    void buildTabOrder();
    // The rack of balls on Next Ball, at the board's present scale.
    void loadRackPicture();
    // The design size where the screen's free area has room for it and the window's frame, else
    // the largest size with the same proportions that fits.
    QSize openingSize();

    // Runs one step of the rules, then shows its outcome.
    template <typename Step>
    void forward(Step&& step);
    // Brings every control and both timers in line with the rules' state.
    void syncView();
    void syncTimers(const layout::Form1View& view);

    Game game_;
    display::DisplaySession session_;
    std::unique_ptr<HelpWindows> help_;

    BoardView* board_ = nullptr;
    std::array<QLabel*, 7> labels_{};  // Label1..Label7
    FeltButton* nextButton_ = nullptr;
    FeltButton* scoreButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    bool started_ = false;
    bool ended_ = false;
};

}  // namespace zentrix::ui
