// Opens the game window and deals a board from a fixed seed, so that the same board can be shown
// again: for screenshots and for checking the layout by eye. Not part of the game.
//
// Usage: zentrix_seeded_deal [--size=WxH | --full-screen] SEED [SLOT...], options anywhere
//   --size=WxH     the window resized to W x H after it opens, to see the board scaled
//   --full-screen  the window filling the screen, as F11 makes it
//   --rules        Help > Rules opened after the deal
//   --take-score   Take Score pressed after the deal (and the slots), to show its message box
//   SEED  any whole number; the same seed deals the same board
//   SLOT  ball boxes (0..22) to click after the deal, e.g. to show selection rings
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/current_mode_driver.h"
#include "game/random_source.h"
#include "ui/qt/ball_box.h"
#include "ui/qt/board_view.h"
#include "ui/qt/main_window.h"

int main(int argc, char** argv) {
    QSize size;
    bool fullScreen = false;
    bool rules = false;
    bool takeScore = false;
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        int width = 0;
        int height = 0;
        if (arg == "--full-screen") {
            fullScreen = true;
        } else if (arg == "--rules") {
            rules = true;
        } else if (arg == "--take-score") {
            takeScore = true;
        } else if (std::sscanf(arg.c_str(), "--size=%dx%d", &width, &height) == 2) {
            size = QSize(width, height);
        } else if (arg.starts_with("--")) {
            plain.clear();
            break;
        } else {
            plain.push_back(arg);
        }
    }
    if (plain.empty()) {
        std::fputs(
            "usage: zentrix_seeded_deal [--size=WxH | --full-screen] [--rules] [--take-score] "
            "SEED [SLOT...]\n",
            stderr);
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(std::strtoul(plain[0].c_str(), nullptr, 10));

    QApplication app(argc, argv);
    zentrix::display::CurrentModeDriver driver({});
    zentrix::SeededRandom random(seed);
    zentrix::ui::MainWindow window(random, driver);
    QObject::connect(&window, &zentrix::ui::MainWindow::gameEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.move(0, 0);
    window.startUp();
    if (size.isValid()) {
        window.resize(size);
    }
    if (fullScreen) {
        window.showFullScreen();
        // A bare X server has no window manager to honour the request: cover the screen anyway.
        window.setGeometry(window.screen()->geometry());
    }

    auto* fileNew = window.findChild<QAction*>(QStringLiteral("mnuFileNew"));
    fileNew->trigger();
    for (std::size_t i = 1; i < plain.size(); ++i) {
        const int slot = std::atoi(plain[i].c_str());
        if (slot >= 0 && slot < zentrix::layout::kSlotCount) {
            window.board()->ballBox(slot)->click();
        }
    }
    if (rules) {
        window.findChild<QAction*>(QStringLiteral("mnuHelpRules"))->trigger();
    }
    if (takeScore) {
        window.findChild<QPushButton*>(QStringLiteral("cmdScore"))->click();
    }
    return QApplication::exec();
}
