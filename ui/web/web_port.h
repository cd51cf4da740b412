// Form1's port on the web page: each primitive the controller asks for is handed to the page's
// script (site/js/port.js), which owns the HTML controls.
#pragma once

#include "ui/controller/form1_controller.h"

namespace zentrix::web {

class WebPort final : public controller::Form1Port {
public:
    void prepareControls() override;
    void showWindow() override;
    void applySlot(int slot, const layout::SlotView& view) override;
    void applyLabel(int index, const layout::LabelView& view) override;
    void applyProgress(int secondsLeft) override;
    void applyScoreEnabled(bool enabled) override;
    void startTimer(controller::Timer timer, std::chrono::milliseconds interval) override;
    void stopTimer(controller::Timer timer) override;
    // Suspends the running step (the call returns to the browser) until the player has pressed
    // OK in the page's dialog; the page admits no other call meanwhile.
    void showMessage(const controller::Message& box) override;
    void moveFocus(const controller::Focus& target) override;
    bool showHelp(controller::HelpWindow window) override;
    void closeHelpWindows() override;
    void ended() override;
};

}  // namespace zentrix::web
