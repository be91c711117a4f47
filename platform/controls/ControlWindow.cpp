#include "platform/controls/ControlWindow.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Paint.h"

namespace platform::controls::detail {

void notifyParent(WindowHandle control, std::uint32_t code) {
    const WindowHandle parent = ui::getParent(control);
    if (parent == kNullWindow) {
        return;
    }
    const auto id = static_cast<unsigned>(ui::getDlgCtrlId(control));
    sendMessage(parent, ui::WM_COMMAND, ui::makeWParam(id, code),
                static_cast<std::intptr_t>(control));
}

MsgResult notifyParent(WindowHandle control, ui::NotifyHeader& header, std::uint32_t code) {
    header.from = control;
    header.idFrom = ui::getDlgCtrlId(control);
    header.code = code;
    const WindowHandle parent = ui::getParent(control);
    if (parent == kNullWindow) {
        return 0;
    }
    return sendMessage(parent, ui::WM_NOTIFY, header.idFrom,
                       reinterpret_cast<std::intptr_t>(&header));
}

bool handleFontMessage(WindowHandle control, const draw::Font*& font, std::uint32_t message,
                       std::uintptr_t wParam, std::intptr_t lParam, MsgResult& result) {
    if (message == WM_SETFONT) {
        font = reinterpret_cast<const draw::Font*>(wParam);
        if (lParam != 0) {
            ui::invalidateRect(control);
        }
        result = 0;
        return true;
    }
    if (message == WM_GETFONT) {
        result = reinterpret_cast<MsgResult>(font ? font : &controlFont());
        return true;
    }
    return false;
}

}  // namespace platform::controls::detail
