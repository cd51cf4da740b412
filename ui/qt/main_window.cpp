#include "ui/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QInputDevice>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QString>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "resources/picture_ids.h"
#include "ui/layout/accessible_names.h"
#include "ui/layout/board_geometry.h"
#include "ui/layout/form1_view.h"
#include "ui/layout/opening_size.h"
#include "ui/qt/ball_box.h"
#include "ui/qt/board_view.h"
#include "ui/qt/felt_button.h"
#include "ui/qt/finger_style.h"
#include "ui/qt/help_windows.h"
#include "ui/qt/pictures.h"
#include "ui/qt/qt_layout.h"

namespace zentrix::ui {

namespace {

Qt::Alignment toAlignment(layout::Align align) {
    switch (align) {
        case layout::Align::Centre:
            return Qt::AlignHCenter | Qt::AlignTop;
        case layout::Align::Right:
            return Qt::AlignRight | Qt::AlignTop;
        case layout::Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QMessageBox::Icon iconFor(MessageStyle style) {
    switch (style) {
        case MessageStyle::Critical:
            return QMessageBox::Critical;
        case MessageStyle::Question:
            return QMessageBox::Question;
        case MessageStyle::Exclamation:
            return QMessageBox::Warning;
        case MessageStyle::Information:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

MainWindow::MainWindow(RandomSource& random, display::DisplayDriver& display, QWidget* parent)
    : QMainWindow(parent),
      help_(std::make_unique<HelpWindows>()),
      fingerStyle_(std::make_unique<FingerStyle>()),
      controller_(*this, random, display) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(layout::kWindowCaption));
    setWindowIcon(gameIcon());

    board_ = new BoardView(controller_, this);
    setCentralWidget(board_);
    buildControls();
    buildMenus();
    buildTabOrder();

    // Each timer carries its interval from the start, before the controller first runs it.
    const auto makeTimer = [this](const QString& name, controller::Timer which) {
        auto* timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setInterval(controller::intervalOf(which));
        connect(timer, &QTimer::timeout, this, [this, which] { controller_.timerFired(which); });
        return timer;
    };
    timer1_ = makeTimer(QStringLiteral("Timer1"), controller::Timer::Countdown);
    timer1_->setTimerType(Qt::PreciseTimer);
    timer2_ = makeTimer(QStringLiteral("Timer2"), controller::Timer::Refresh);

    // The controller hears where the player moves the focus (Tab, a click on a button); the
    // focus a message box or a menu takes is not one of the window's controls, and is not told.
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const controller::Focus focus = focusOf(now);
        if (focus.kind != controller::Focus::Kind::None) {
            controller_.focusChanged(focus);
        }
    });
}

MainWindow::~MainWindow() {
    // The controls hand the focus around as they go, after this part of the window is gone.
    disconnect(focusWatch_);
    timer1_->stop();
    timer2_->stop();
    delete messageBox_;  // one standing alone is no child of the window
}

void MainWindow::buildControls() {
    const QColor felt = toColor(layout::kFeltGreen);
    const QColor ink = toColor(layout::kTextColour);

    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const layout::LabelDesign& design = layout::labels()[i];
        auto* label = new QLabel(qs(design.caption), board_);
        label->setObjectName(qs(design.name));
        board_->placeControl(
            label, [i](const layout::Arrangement& a) { return a.labels.at(i); }, design.font);
        label->setAlignment(toAlignment(design.align));
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::NoFocus);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, ink);
        colours.setColor(QPalette::Window, felt);
        label->setPalette(colours);
        label->setAutoFillBackground(design.feltBackground);
        label->setAccessibleName(
            QString::fromStdString(layout::labelAccessibleName(design.role, design.caption)));
        labels_[i] = label;
    }

    using ButtonOf = layout::ButtonPlace layout::Arrangement::*;
    const auto makeButton = [&](const layout::ButtonDesign& design, ButtonOf place) {
        auto* button = new FeltButton(qs(design.caption), board_);
        button->setObjectName(qs(design.name));
        board_->placeControl(
            button,
            [place](const layout::Arrangement& a) {
                const layout::ButtonPlace& where = a.*place;
                return layout::TextPlace{where.rect, where.fontPixels};
            },
            design.font);
        QPalette colours = button->palette();
        colours.setColor(QPalette::Button, felt);
        colours.setColor(QPalette::ButtonText, ink);
        button->setPalette(colours);
        button->setAccessibleName(qs(design.caption));
        return button;
    };
    nextButton_ = makeButton(layout::nextBallButton(), &layout::Arrangement::nextBall);
    scoreButton_ = makeButton(layout::scoreButton(), &layout::Arrangement::score);
    connect(nextButton_, &QPushButton::clicked, this, [this] {
        controller_.buttonPressed(controller::Button::NextBall, nextButton_->clickCount());
    });
    connect(scoreButton_, &QPushButton::clicked, this, [this] {
        controller_.buttonPressed(controller::Button::TakeScore, scoreButton_->clickCount());
    });

    const layout::ProgressBarDesign& bar = layout::progressBar();
    progressBar_ = new QProgressBar(board_);
    progressBar_->setObjectName(qs(bar.name));
    board_->placeControl(
        progressBar_,
        [](const layout::Arrangement& a) {
            return layout::TextPlace{a.progressBar, 0};
        },
        std::nullopt);
    progressBar_->setRange(bar.minimum, bar.maximum);
    progressBar_->setValue(bar.minimum);
    progressBar_->setTextVisible(false);
    progressBar_->setFocusPolicy(Qt::NoFocus);
    progressBar_->setAccessibleName(qs(layout::kProgressBarName));

    // The ball boxes lie above the labels and the felt.
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        BallBox* box = board_->ballBox(slot);
        box->raise();
        connect(box, &QAbstractButton::clicked, this,
                [this, slot, box] { controller_.ballClicked(slot, box->clickCount()); });
    }
    board_->setKeyHandler([this](controller::Key key, bool autoRepeat) {
        return controller_.keyPressed(key, autoRepeat);
    });
    connect(board_, &BoardView::scaleChanged, this, [this] {
        if (!nextButton_->picture().isNull()) {
            loadRackPicture();
        }
    });

    // F11 fills the screen with the game and gives the window back; it is no menu item, so the
    // menus stay as they always were.
    auto* fullScreen = new QAction(this);
    fullScreen->setObjectName(QStringLiteral("fullScreenAction"));
    fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen->setShortcutContext(Qt::WindowShortcut);
    addAction(fullScreen);
    connect(fullScreen, &QAction::triggered, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
}

void MainWindow::loadRackPicture() {
    const double side = layout::rackSide(board_->arrangement(), board_->scale());
    nextButton_->setPicture(loadBitmapSized(layout::nextBallButton().pictureNumber,
                                            QSizeF(side, side), devicePixelRatioF()));
}

QSize MainWindow::openingSize() {
    const QSize designed = sizeHint();
    const QScreen* where = screen();
    if (where == nullptr) {
        return designed;
    }
    // The frame's size is known only once the window is on screen; until then, a title bar and
    // a border as the style draws them stand in for it.
    QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
        const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
        frame = QMargins(border, title + border, border, border);
    }
    const QRect available = where->availableGeometry();
    // The menu bar and the frame around the board; the toolkit scales for the display itself, and
    // the board is fitted whole to its view.
    const QSize chrome = designed - board_->sizeHint() +
                         QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const layout::Opening opening =
        layout::openingSize({{available.x(), available.y(), available.width(), available.height()},
                             chrome.width(),
                             chrome.height(),
                             1.0,
                             available.x(),
                             available.y(),
                             true});
    return designed - board_->sizeHint() + QSize(opening.client.width, opening.client.height);
}

void MainWindow::buildMenus() {
    // Plain captions: no access keys, no shortcuts.
    for (const layout::MenuDesign& design : layout::menus()) {
        QMenu* menu = menuBar()->addMenu(qs(design.caption));
        menu->setObjectName(qs(design.name));
        menu->menuAction()->setObjectName(qs(design.name));
        for (const layout::MenuItemDesign& item : design.items) {
            auto* action = new QAction(qs(item.caption), this);
            action->setObjectName(qs(item.name));
            action->setShortcut(QKeySequence());
            action->setMenuRole(QAction::NoRole);
            menu->addAction(action);
            const layout::MenuCommand command = item.command;
            connect(action, &QAction::triggered, this,
                    [this, command] { controller_.menuChosen(command); });
        }
    }
}

void MainWindow::buildTabOrder() {
    QWidget* previous = nullptr;
    for (const layout::TabStop& stop : layout::tabStops()) {
        QWidget* widget = widgetFor(controller::focusAt(stop));
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) {
            continue;  // labels and the bar never take the focus
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void MainWindow::startUp() {
    controller_.startUp();
}

void MainWindow::shutDown() {
    controller_.shutDown();
}

void MainWindow::restoreDisplay() {
    controller_.restoreDisplay();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window can not be refused.
    shutDown();
    event->accept();
}

void MainWindow::prepareControls() {
    // The markers' pictures in index order, then the rack on Next Ball; then every ball box
    // made round and disabled, its ring styled and put under it.
    board_->loadMarkerPictures();
    loadRackPicture();
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        board_->makeBallBoxRound(slot);
        board_->ballBox(slot)->setEnabled(false);
        board_->placeRing(slot);
    }
}

void MainWindow::showWindow() {
    // Arranged for the screen it opens on, and again whenever that screen changes.
    winId();
    connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::watchScreen);
    watchScreen(screen());
    if (arrangedForFinger()) {
        // A phone's shell gives the window the whole screen; a tablet's is asked to, and where
        // nothing answers the window already stands within the screen's free area.
        if (const QScreen* where = screen()) {
            setGeometry(where->availableGeometry());
        }
        showMaximized();
        return;
    }
    // Large enough for the whole board and the row of buttons below it where the screen has
    // room, else as large as fits its free area with the board scaled down.
    resize(openingSize());
    show();
}

void MainWindow::watchScreen(QScreen* where) {
    disconnect(screenWatch_);
    if (where != nullptr) {
        screenWatch_ =
            connect(where, &QScreen::geometryChanged, this, [this] { arrangeFor(screenFacts()); });
    }
    arrangeFor(screenFacts());
}

layout::Screen MainWindow::screenFacts() const {
    const QScreen* where = screen();
    if (where == nullptr) {
        return {};
    }
    bool touch = false;
    for (const QInputDevice* device : QInputDevice::devices()) {
        touch = touch || device->type() == QInputDevice::DeviceType::TouchScreen;
    }
    const QSize size = where->geometry().size();
    return {size.width(), size.height(), layout::fingerScreen(size.width(), size.height(), touch)};
}

bool MainWindow::arrangedForFinger() const {
    return board_->arrangement().forFinger;
}

QStyle* MainWindow::windowStyle() const {
    return fingerWindows_ ? fingerStyle_.get() : nullptr;
}

void MainWindow::arrangeFor(const layout::Screen& where) {
    const layout::ScreenLayout chosen = layout::layoutFor(where);
    fingerWindows_ = chosen.fingerWindows;
    board_->setArrangement(*chosen.arrangement);
    FingerStyle::apply(menuBar(), windowStyle());
    // The window's smallest size follows at once, before the shell hands it the turned screen.
    layout()->activate();
    help_->arrangeFor(fingerWindows_, layout::helpWindowRoom(where.width, where.height),
                      fingerStyle_.get());
    if (messageBox_ != nullptr) {
        FingerStyle::apply(messageBox_, windowStyle());
    }
}

void MainWindow::applySlot(int slot, const layout::SlotView& view) {
    board_->applySlot(slot, view);
}

void MainWindow::applyLabel(int index, const layout::LabelView& view) {
    QLabel* label = labels_.at(static_cast<std::size_t>(index));
    label->setText(QString::fromStdString(view.caption));
    label->setAccessibleName(QString::fromStdString(view.accessibleName));
}

void MainWindow::applyProgress(int secondsLeft) {
    progressBar_->setValue(secondsLeft);
}

void MainWindow::applyScoreEnabled(bool enabled) {
    scoreButton_->setEnabled(enabled);
}

QTimer* MainWindow::timer(controller::Timer which) const {
    return which == controller::Timer::Countdown ? timer1_ : timer2_;
}

void MainWindow::startTimer(controller::Timer which, std::chrono::milliseconds interval) {
    timer(which)->start(interval);
}

void MainWindow::stopTimer(controller::Timer which) {
    timer(which)->stop();
}

void MainWindow::showMessage(const controller::Message& message) {
    // Modal, as the game's boxes always were, but with no event loop of its own: the controller
    // hears of the box again when the player has closed it. Before the window is shown (the
    // display's messages at start-up) the box stands alone.
    messageBox_ = new QMessageBox(iconFor(message.style), qs(message.title), qs(message.text),
                                  QMessageBox::Ok, isVisible() ? this : nullptr);
    messageBox_->setAttribute(Qt::WA_DeleteOnClose);
    messageBox_->setWindowModality(Qt::ApplicationModal);
    if (fingerWindows_) {
        FingerStyle::apply(messageBox_, windowStyle());
    }
    connect(messageBox_, &QMessageBox::finished, this, [this] { controller_.messageClosed(); });
    messageBox_->show();
}

QWidget* MainWindow::widgetFor(const controller::Focus& focus) const {
    return controller::controlFor<QWidget*>(
        focus, [this](int slot) { return board_->ballBox(slot); }, nextButton_, scoreButton_);
}

controller::Focus MainWindow::focusOf(const QWidget* widget) const {
    if (widget == nullptr) {
        return controller::Focus::none();
    }
    if (widget == nextButton_) {
        return controller::Focus::nextBall();
    }
    if (widget == scoreButton_) {
        return controller::Focus::takeScore();
    }
    if (const auto* box = dynamic_cast<const BallBox*>(widget); box != nullptr) {
        if (board_->ballBox(box->slot()) == box) {
            return controller::Focus::ball(box->slot());
        }
    }
    return controller::Focus::none();
}

void MainWindow::moveFocus(const controller::Focus& target) {
    if (QWidget* widget = widgetFor(target)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

bool MainWindow::showHelp(controller::HelpWindow window) {
    if (window == controller::HelpWindow::Rules) {
        help_->showRules();
    } else {
        help_->showAbout();
    }
    return true;
}

void MainWindow::closeHelpWindows() {
    help_->closeAll();
}

void MainWindow::ended() {
    // The controller has stopped both timers already. A box still open goes with the game.
    delete messageBox_;
    Q_EMIT gameEnded();
}

}  // namespace zentrix::ui
