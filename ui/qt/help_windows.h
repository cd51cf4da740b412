// The Help menu's two windows: About and Rules.
//
// Both are modeless information windows with no owner: the game and its countdown go on while
// they are open. There is at most one of each; choosing it again brings it to the front, and one
// opened after being closed starts afresh (the rules scrolled to their first line).
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QStyle>
#include <optional>

class QDialog;
class QPlainTextEdit;

namespace zentrix::ui {

class HelpWindows final : public QObject {
public:
    explicit HelpWindows(QObject* parent = nullptr);
    ~HelpWindows() override;

    // Help > About.
    void showAbout();
    // Help > Rules.
    void showRules();
    // Closes whichever is open; the main window does this when the game ends.
    void closeAll();

    // For a finger on a screen of `screen` pixels (the menu bar included), or for a mouse where
    // there is none: the windows open, and those open are laid out again, as the layout has them
    // for it, drawn in `fingerStyle`.
    void arrangeFor(const std::optional<QSize>& screen, QStyle* fingerStyle = nullptr);

    // The open windows, or null when closed.
    QDialog* aboutWindow() const { return about_; }
    QDialog* rulesWindow() const { return rules_; }

private:
    QPointer<QDialog> about_;
    QPointer<QDialog> rules_;
    std::optional<QSize> screen_;
    QStyle* fingerStyle_ = nullptr;
};

}  // namespace zentrix::ui
