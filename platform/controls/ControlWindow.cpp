#include "platform/controls/ControlWindow.h"

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

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

}  // namespace platform::controls::detail
