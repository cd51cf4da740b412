#include "ui/win32/message_boxes.h"

#include "ui/win32/text.h"

namespace zentrix::win32 {

namespace {

UINT iconOf(MessageStyle style) {
    switch (style) {
        case MessageStyle::Critical:
            return MB_ICONHAND;
        case MessageStyle::Question:
            return MB_ICONQUESTION;
        case MessageStyle::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageStyle::Information:
            return MB_ICONASTERISK;
    }
    return 0;
}

class SystemMessageBoxes final : public MessageBoxes {
public:
    void show(HWND owner, const controller::Message& box) override {
        MessageBoxW(owner, widen(box.text).c_str(), widen(box.title).c_str(),
                    MB_OK | iconOf(box.style));
    }
};

}  // namespace

MessageBoxes& systemMessageBoxes() {
    static SystemMessageBoxes boxes;
    return boxes;
}

}  // namespace zentrix::win32
