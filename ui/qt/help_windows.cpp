#include "ui/qt/help_windows.h"

#include <QDialog>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QString>

#include "ui/layout/help_layout.h"
#include "ui/layout/rules_text.h"
#include "ui/qt/felt_button.h"
#include "ui/qt/pictures.h"
#include "ui/qt/qt_layout.h"

namespace zentrix::ui {

namespace {

// A fixed-size information window with the title picture as its background, drawn unscaled from
// the top-left corner and cut off by the window's edges.
class TitleWindow : public QDialog {
public:
    TitleWindow(const QString& caption, QSize clientSize) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(caption);
        setFixedSize(clientSize);
        background_ = loadPicture(QStringLiteral(":/pictures/title.jpg"),
                                  QStringLiteral(":/pictures/title@2x.jpg"), devicePixelRatio());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, background_);
    }

private:
    QPixmap background_;
};

QDialog* makeAboutWindow() {
    auto* window =
        new TitleWindow(qs(layout::kAboutCaption), toRect(layout::kAboutClientArea).size());
    window->setObjectName(QStringLiteral("frmAbout"));

    // A picture button whose picture, the title again, is far larger than the button: a piece of
    // its middle fills the face.
    auto* ok = new FeltButton(qs(layout::kAboutOkCaption), window);
    ok->setFacePicture(loadPicture(QStringLiteral(":/pictures/title.bmp"),
                                   QStringLiteral(":/pictures/title@2x.jpg"),
                                   window->devicePixelRatio()));
    ok->setObjectName(QStringLiteral("Command1"));
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
    auto* window =
        new TitleWindow(qs(layout::kRulesCaption), toRect(layout::kRulesClientArea).size());
    window->setObjectName(QStringLiteral("frmRules"));

    auto* text = new QPlainTextEdit(window);
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

void bringUp(QDialog* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// A window closed by the player deletes itself once control returns to the event loop; until
// then it is hidden and counts as gone, so choosing it again makes a fresh one.
template <typename Make>
void openOrRaise(QPointer<QDialog>& window, Make make) {
    if (window != nullptr && !window->isVisible()) {
        window = nullptr;
    }
    if (window == nullptr) {
        window = make();
    }
    bringUp(window);
}

}  // namespace

HelpWindows::HelpWindows(QObject* parent) : QObject(parent) {}

HelpWindows::~HelpWindows() {
    closeAll();
}

void HelpWindows::showAbout() {
    openOrRaise(about_, makeAboutWindow);
}

void HelpWindows::showRules() {
    openOrRaise(rules_, makeRulesWindow);
}

void HelpWindows::closeAll() {
    // Deleted outright rather than closed: the game is ending and nothing more is shown.
    delete about_.data();
    delete rules_.data();
}

}  // namespace zentrix::ui
