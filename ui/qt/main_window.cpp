#include "ui/qt/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
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
#include <cmath>
#include <optional>

#include "game/timing.h"
#include "resources/picture_ids.h"
#include "ui/layout/accessible_names.h"
#include "ui/layout/form1_view.h"
#include "ui/qt/ball_box.h"
#include "ui/qt/board_view.h"
#include "ui/qt/felt_button.h"
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

QMessageBox::Icon iconFor(int style) {
    switch (style) {
        case 16:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

MainWindow::MainWindow(RandomSource& random, display::DisplayDriver& display, QWidget* parent)
    : QMainWindow(parent),
      game_(random, *this),
      session_(display, *this),
      help_(std::make_unique<HelpWindows>()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(layout::kWindowCaption));
    setWindowIcon(gameIcon());

    board_ = new BoardView(this);
    setCentralWidget(board_);
    buildControls();
    buildMenus();
    buildTabOrder();

    // Timer2 runs from the window's creation, Timer1 only once a round is dealt; both follow the
    // rules' flags from then on.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kCountdownInterval);
    timer1_->setTimerType(Qt::PreciseTimer);
    connect(timer1_, &QTimer::timeout, this,
            [this] { forward([this] { game_.countdownTick(); }); });
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(kRefreshInterval);
    connect(timer2_, &QTimer::timeout, this, [this] { forward([this] { game_.refreshTick(); }); });
    syncTimers(layout::viewOf(game_));
}

MainWindow::~MainWindow() {
    timer1_->stop();
    timer2_->stop();
}

void MainWindow::buildControls() {
    const QColor felt = toColor(layout::kFeltGreen);
    const QColor ink = toColor(layout::kTextColour);

    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const layout::LabelDesign& design = layout::labels()[i];
        auto* label = new QLabel(qs(design.caption), board_);
        label->setObjectName(qs(design.name));
        board_->placeControl(label, design.rect, design.font);
        label->setAlignment(toAlignment(design.align));
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::NoFocus);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, ink);
        colours.setColor(QPalette::Window, felt);
        label->setPalette(colours);
        label->setAutoFillBackground(design.feltBackground);
        label->setAccessibleName(
            QString::fromStdString(layout::labelName(design.role, design.caption)));
        labels_[i] = label;
    }

    const auto makeButton = [&](const layout::ButtonDesign& design) {
        auto* button = new FeltButton(qs(design.caption), board_);
        button->setObjectName(qs(design.name));
        board_->placeControl(button, design.rect, design.font);
        QPalette colours = button->palette();
        colours.setColor(QPalette::Button, felt);
        colours.setColor(QPalette::ButtonText, ink);
        button->setPalette(colours);
        button->setAccessibleName(qs(design.caption));
        return button;
    };
    nextButton_ = makeButton(layout::nextBallButton());
    scoreButton_ = makeButton(layout::scoreButton());
    connect(nextButton_, &QPushButton::clicked, this,
            [this] { forward([this] { game_.nextBall(); }); });
    connect(scoreButton_, &QPushButton::clicked, this,
            [this] { forward([this] { game_.takeScore(); }); });

    const layout::ProgressBarDesign& bar = layout::progressBar();
    progressBar_ = new QProgressBar(board_);
    progressBar_->setObjectName(qs(bar.name));
    board_->placeControl(progressBar_, bar.rect, std::nullopt);
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
                [this, slot] { forward([this, slot] { game_.clickSlot(slot); }); });
    }
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
    const double side = pictures::kRackSize * board_->scale();
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
    const QSize board = board_->sizeHint();
    const int chromeWidth = designed.width() - board.width() + frame.left() + frame.right();
    const int chromeHeight = designed.height() - board.height() + frame.top() + frame.bottom();
    const double scale = std::min(
        1.0, layout::fitScale(available.width() - chromeWidth, available.height() - chromeHeight,
                              layout::requiredClientArea()));
    if (scale >= 1.0) {
        return designed;
    }
    const QSize smaller(layout::scaled(board.width(), scale),
                        layout::scaled(board.height(), scale));
    return designed - board + smaller.expandedTo(board_->minimumSizeHint());
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
            if (item.name == "mnuFileNew") {
                connect(action, &QAction::triggered, this,
                        [this] { forward([this] { game_.newGame(); }); });
            } else if (item.name == "mnuHelpRules") {
                connect(action, &QAction::triggered, this, [this] { help_->showRules(); });
            } else if (item.name == "mnuHelpAbout") {
                connect(action, &QAction::triggered, this, [this] { help_->showAbout(); });
            }
        }
    }
}

void MainWindow::buildTabOrder() {
    QWidget* previous = nullptr;
    for (std::string_view name : layout::tabOrder()) {
        auto* widget = board_->findChild<QWidget*>(qs(name));
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
    if (started_) {
        return;
    }
    started_ = true;

    // 1-2. The markers' pictures in index order, then the rack on Next Ball.
    board_->loadMarkerPictures();
    loadRackPicture();

    // 3-4. Every ball box made round and disabled, its ring styled and put under it.
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        board_->makeRound(slot);
        board_->ballBox(slot)->setEnabled(false);
        board_->placeRing(slot);
    }

    // 5. The display switch, which may tell the player something first.
    session_.start();
    if (ended_) {
        return;  // told to quit while the display's message was open
    }

    // 6. The window, large enough for the whole board and the row of buttons below it where the
    // screen has room, else as large as fits its free area with the board scaled down.
    resize(openingSize());
    show();
    // Every ball box is still disabled, so Next Ball is the first control that can hold the
    // focus; it keeps it when the window is only activated later, after New has freed some balls.
    nextButton_->setFocus(Qt::OtherFocusReason);

    // 7-8. A full countdown bar and "0" removed.
    game_.startUp();
    syncView();
}

void MainWindow::shutDown() {
    if (ended_) {
        return;
    }
    ended_ = true;
    timer1_->stop();
    timer2_->stop();
    restoreDisplay();
    help_->closeAll();
    Q_EMIT ended();
}

void MainWindow::restoreDisplay() {
    session_.restore();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window can not be refused.
    shutDown();
    event->accept();
}

template <typename Step>
void MainWindow::forward(Step&& step) {
    if (ended_) {
        return;
    }
    step();
    // A quit that came while one of the step's boxes was open has stopped everything for good.
    if (!ended_) {
        syncView();
    }
}

void MainWindow::syncView() {
    const layout::Form1View view = layout::viewOf(game_);
    // A ball with the focus that leaves the heap hands it to a free ball nearby, rather than to
    // whatever control follows it in the tab order (Take Score, say), where a Space meant for
    // the balls would end the round. The window's own focus widget is kept even while a message
    // box is in front of it.
    const auto* focusedBox = dynamic_cast<const BallBox*>(focusWidget());
    const int focusedSlot = focusedBox != nullptr ? focusedBox->slot() : -1;
    for (int slot = 0; slot < layout::kSlotCount; ++slot) {
        board_->setSlotLook(slot, view.slots[static_cast<std::size_t>(slot)]);
    }
    if (focusedSlot >= 0 && !board_->canTakeFocus(focusedSlot)) {
        board_->focusNear(focusedSlot);
    }
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const layout::LabelView& label = view.labels[i];
        const QString text = QString::fromStdString(label.caption);
        if (labels_[i]->text() != text) {
            labels_[i]->setText(text);
            labels_[i]->setAccessibleName(QString::fromStdString(label.accessibleName));
        }
    }
    progressBar_->setValue(view.progressValue);
    scoreButton_->setEnabled(view.scoreEnabled);
    syncTimers(view);
}

void MainWindow::syncTimers(const layout::Form1View& view) {
    // Started only when the rules switch a timer on, so a running countdown keeps its beat.
    if (view.timer1Running != timer1_->isActive()) {
        view.timer1Running ? timer1_->start() : timer1_->stop();
    }
    if (view.timer2Running != timer2_->isActive()) {
        view.timer2Running ? timer2_->start() : timer2_->stop();
    }
}

void MainWindow::showMessage(std::string_view text, std::string_view title, MessageStyle style) {
    // Once the game has ended (the window closed, or a signal to quit) nobody is there to answer.
    if (ended_) {
        return;
    }
    // The box runs an event loop of its own: first the window shows the state as it stands at this
    // step, and the timers the rules have stopped are really stopped, so no tick re-enters them.
    syncView();
    QMessageBox box(iconFor(static_cast<int>(style)), qs(title), qs(text), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::showDisplayMessage(std::string_view text, std::string_view title,
                                    display::DisplayMessageStyle style) {
    QMessageBox box(iconFor(static_cast<int>(style)), qs(title), qs(text), QMessageBox::Ok,
                    isVisible() ? this : nullptr);
    box.exec();
}

}  // namespace zentrix::ui
