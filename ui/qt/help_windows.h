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

#include "ui/layout/help_layout.h"

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

    // For a finger, in `fingerStyle` and within `room` (layout::helpWindowRoom()), or as designed
    // for a mouse: the windows opened from now on, and those open laid out again.
    void arrangeFor(bool finger, layout::Room room = {}, QStyle* fingerStyle = nullptr);

    // The open windows, or null when closed.
    QDialog* aboutWindow() const { return about_; }
    QDialog* rulesWindow() const { return rules_; }

private:
    QPointer<QDialog> about_;
    QPointer<QDialog> rules_;
    bool finger_ = false;
    layout::Room room_;
    QStyle* fingerStyle_ = nullptr;
};

}  // namespace zentrix::ui
