#include "ui/qt/help_windows.h"

#include <QDialog>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QString>
#include <QToolButton>
#include <climits>

#include "ui/layout/help_layout.h"
#include "ui/layout/rules_text.h"
#include "ui/qt/felt_button.h"
#include "ui/qt/finger_style.h"
#include "ui/qt/pictures.h"
#include "ui/qt/qt_layout.h"

namespace zentrix::ui {

namespace {

// A fixed-size information window with the title picture as its background, drawn unscaled from
// the top-left corner and cut off by the window's edges. For a finger it is laid out to fit the
// screen instead, the picture scaled to the window.
class TitleWindow : public QDialog {
public:
    TitleWindow(const QString& caption, QSize clientSize) : designed_(clientSize) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(caption);
        setFixedSize(clientSize);
        background_ = loadPicture(QStringLiteral(":/pictures/title.jpg"),
                                  QStringLiteral(":/pictures/title@2x.jpg"), devicePixelRatio());
    }

    // Laid out for a finger within `room`, in `style`, or as designed.
    void arrangeFor(bool finger, layout::Room room, QStyle* style) {
        if (finger) {
            forFinger(room);
        } else {
            pictureScale_ = 1.0;
            pictureLeft_ = 0;
            setFixedSize(designed_);
            asDesigned();
        }
        FingerStyle::apply(this, finger ? style : nullptr);
        update();
    }

protected:
    virtual void asDesigned() = 0;
    virtual void forFinger(layout::Room room) = 0;

    void showPicture(const QSize& client, double scale, int left) {
        setFixedSize(client);
        pictureScale_ = scale;
        pictureLeft_ = left;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (pictureScale_ == 1.0 && pictureLeft_ == 0) {
            painter.drawPixmap(0, 0, background_);
            return;
        }
        painter.fillRect(rect(), toColor(layout::kTitleSky));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSizeF picture = QSizeF(background_.deviceIndependentSize()) * pictureScale_;
        painter.drawPixmap(QRectF(QPointF(pictureLeft_, 0), picture), background_,
                           QRectF(background_.rect()));
    }

private:
    QSize designed_;
    QPixmap background_;
    double pictureScale_ = 1.0;
    int pictureLeft_ = 0;
};

class AboutWindow final : public TitleWindow {
public:
    AboutWindow()
        : TitleWindow(qs(layout::kAboutCaption), toRect(layout::kAboutClientArea).size()) {}
    FeltButton* ok = nullptr;

protected:
    void asDesigned() override { ok->setGeometry(toRect(layout::kAboutOkButton)); }
    void forFinger(layout::Room room) override {
        const layout::FingerAbout about = layout::aboutForFinger(room.width, room.height);
        showPicture(toRect(about.client).size(), about.pictureScale, 0);
        ok->setGeometry(toRect(about.ok));
    }
};

class RulesWindow final : public TitleWindow {
public:
    RulesWindow()
        : TitleWindow(qs(layout::kRulesCaption), toRect(layout::kRulesClientArea).size()) {}
    QPlainTextEdit* text = nullptr;
    QToolButton* closeBox = nullptr;

protected:
    void asDesigned() override {
        text->setGeometry(toRect(layout::kRulesTextBox));
        closeBox->hide();
    }
    void forFinger(layout::Room room) override {
        // The text takes all the height the picture leaves it.
        const layout::FingerRules rules = layout::rulesForFinger(room.width, room.height, INT_MAX);
        showPicture(toRect(rules.client).size(), rules.pictureScale, rules.pictureLeft);
        text->setGeometry(toRect(rules.textBox));
        closeBox->setGeometry(toRect(rules.closeBox));
        QFont cross = closeBox->font();
        cross.setPixelSize(layout::kFingerWindows.closeBoxTextPixels);
        closeBox->setFont(cross);
        closeBox->show();
        closeBox->raise();
    }
};

QDialog* makeAboutWindow() {
    auto* window = new AboutWindow;
    window->setObjectName(QStringLiteral("frmAbout"));

    // A picture button whose picture, the title again, is far larger than the button: a piece of
    // its middle fills the face.
    auto* ok = new FeltButton(qs(layout::kAboutOkCaption), window);
    ok->setFacePicture(loadPicture(QStringLiteral(":/pictures/title.bmp"),
                                   QStringLiteral(":/pictures/title@2x.jpg"),
                                   window->devicePixelRatio()));
    ok->setObjectName(QStringLiteral("Command1"));
    window->ok = ok;
    ok->setGeometry(toRect(layout::kAboutOkButton));
    ok->setFont(toFont(layout::kAboutOkFont));
    ok->setAutoDefault(true);
    ok->setDefault(true);
    ok->setAccessibleName(qs(layout::kAboutOkCaption));
    QObject::connect(ok, &QPushButton::clicked, window, &QDialog::close);
    ok->setFocus();
    return window;
}

QDialog* makeRulesWindow() {
    auto* window = new RulesWindow;
    window->setObjectName(QStringLiteral("frmRules"));

    auto* closeBox = new QToolButton(window);
    closeBox->setObjectName(QStringLiteral("closeBox"));
    closeBox->setText(QStringLiteral("\u00d7"));
    closeBox->setAccessibleName(QStringLiteral("Close"));
    closeBox->setFocusPolicy(Qt::NoFocus);
    closeBox->hide();
    QObject::connect(closeBox, &QToolButton::clicked, window, &QDialog::close);
    window->closeBox = closeBox;

    auto* text = new QPlainTextEdit(window);
    window->text = text;
    text->setObjectName(QStringLiteral("Text1"));
    text->setGeometry(toRect(layout::kRulesTextBox));
    text->setFont(toFont(layout::kRulesFont));
    text->setReadOnly(true);
    // Read-only, but the keys still scroll and select, as they do in any text box.
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // The text exactly as the game holds it, every line ended by a carriage return and line feed;
    // the box takes each such end for a line break, so the last one leaves an empty line below
    // the contact line, as in any text box that holds this text.
    text->setPlainText(QString::fromStdString(layout::rulesText()));
    text->setAccessibleName(QStringLiteral("Rules"));
    text->moveCursor(QTextCursor::Start);
    text->setFocus();
    return window;
}

void arrange(QDialog* window, bool finger, layout::Room room, QStyle* style) {
    if (auto* titled = dynamic_cast<TitleWindow*>(window)) {
        titled->arrangeFor(finger, room, style);
    }
}

void bringUp(QDialog* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// A window closed by the player deletes itself once control returns to the event loop; until
// then it is hidden and counts as gone, so choosing it again makes a fresh one.
template <typename Make>
void openOrRaise(QPointer<QDialog>& window, Make make, bool finger, layout::Room room,
                 QStyle* style) {
    if (window != nullptr && !window->isVisible()) {
        window = nullptr;
    }
    if (window == nullptr) {
        window = make();
        if (finger) {
            arrange(window, finger, room, style);
        }
    }
    bringUp(window);
}

}  // namespace

HelpWindows::HelpWindows(QObject* parent) : QObject(parent) {}

HelpWindows::~HelpWindows() {
    closeAll();
}

void HelpWindows::showAbout() {
    openOrRaise(about_, makeAboutWindow, finger_, room_, fingerStyle_);
}

void HelpWindows::showRules() {
    openOrRaise(rules_, makeRulesWindow, finger_, room_, fingerStyle_);
}

void HelpWindows::arrangeFor(bool finger, layout::Room room, QStyle* fingerStyle) {
    if (!finger) {
        room = {};
    }
    if (finger == finger_ && room == room_ && fingerStyle == fingerStyle_) {
        return;
    }
    finger_ = finger;
    room_ = room;
    fingerStyle_ = fingerStyle;
    for (QDialog* window : {about_.data(), rules_.data()}) {
        if (window != nullptr) {
            arrange(window, finger_, room_, fingerStyle_);
        }
    }
}

void HelpWindows::closeAll() {
    // Deleted outright rather than closed: the game is ending and nothing more is shown.
    delete about_.data();
    delete rules_.data();
}

}  // namespace zentrix::ui
