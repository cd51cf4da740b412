#include "ui/web/web_port.h"

#include <emscripten.h>

// The page's side: the global `zentrixPort` object that site/js/port.js sets up before the game
// starts.
// clang-format off
EM_JS(void, zx_port_prepare_controls, (), { zentrixPort.prepareControls(); });
EM_JS(void, zx_port_show_window, (), { zentrixPort.showWindow(); });
EM_JS(void, zx_port_apply_slot,
      (int slot, int shown, int occupied, int value, int free, int selected, const char* name), {
    zentrixPort.applySlot(slot, {shown: !!shown, occupied: !!occupied, value: value,
                                 free: !!free, selected: !!selected, name: UTF8ToString(name)});
});
EM_JS(void, zx_port_apply_label, (int index, const char* caption, const char* name), {
    zentrixPort.applyLabel(index, UTF8ToString(caption), UTF8ToString(name));
});
EM_JS(void, zx_port_apply_progress, (int value), { zentrixPort.applyProgress(value); });
EM_JS(void, zx_port_apply_score_enabled, (int enabled), {
    zentrixPort.applyScoreEnabled(!!enabled);
});
EM_JS(void, zx_port_start_timer, (int timer, int interval), {
    zentrixPort.startTimer(timer, interval);
});
EM_JS(void, zx_port_stop_timer, (int timer), { zentrixPort.stopTimer(timer); });
EM_JS(void, zx_port_show_message, (const char* text, const char* title, int style), {
    zentrixPort.showMessage(UTF8ToString(text), UTF8ToString(title), style);
});
EM_JS(void, zx_port_move_focus, (int kind, int slot), { zentrixPort.moveFocus(kind, slot); });
EM_JS(void, zx_port_show_help, (int window), { zentrixPort.showHelp(window); });
EM_JS(void, zx_port_close_help_windows, (), { zentrixPort.closeHelpWindows(); });
EM_JS(void, zx_port_ended, (), { zentrixPort.ended(); });
// clang-format on

namespace zentrix::web {

void WebPort::prepareControls() {
    zx_port_prepare_controls();
}

void WebPort::showWindow() {
    zx_port_show_window();
}

void WebPort::applySlot(int slot, const layout::SlotView& view) {
    zx_port_apply_slot(slot, view.shown, view.occupied, view.value, view.free, view.selected,
                       view.accessibleName.c_str());
}

void WebPort::applyLabel(int index, const layout::LabelView& view) {
    zx_port_apply_label(index, view.caption.c_str(), view.accessibleName.c_str());
}

void WebPort::applyProgress(int secondsLeft) {
    zx_port_apply_progress(secondsLeft);
}

void WebPort::applyScoreEnabled(bool enabled) {
    zx_port_apply_score_enabled(enabled);
}

void WebPort::startTimer(controller::Timer timer, std::chrono::milliseconds interval) {
    zx_port_start_timer(static_cast<int>(timer), static_cast<int>(interval.count()));
}

void WebPort::stopTimer(controller::Timer timer) {
    zx_port_stop_timer(static_cast<int>(timer));
}

void WebPort::showMessage(const controller::Message& box) {
    zx_port_show_message(box.text.c_str(), box.title.c_str(), static_cast<int>(box.style));
}

void WebPort::moveFocus(const controller::Focus& target) {
    zx_port_move_focus(static_cast<int>(target.kind), target.slot);
}

bool WebPort::showHelp(controller::HelpWindow window) {
    zx_port_show_help(static_cast<int>(window));
    return true;
}

void WebPort::closeHelpWindows() {
    zx_port_close_help_windows();
}

void WebPort::ended() {
    zx_port_ended();
}

}  // namespace zentrix::web
