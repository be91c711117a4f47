#include "app/shell/ListBox.h"

#include "app/core/PrivateMessages.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

MsgResult cListBox::onMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == ui::WM_KEYDOWN && wParam == ui::VK_RETURN) {
        platform::sendMessage(ui::getParent(handle()), WM_LISTBOX_RETURN, 0, 0);
        return 0;
    }
    if (message == ui::WM_LBUTTONDBLCLK) {
        // The row under the finger is selected first, then reported.
        const MsgResult r = callControl(message, wParam, lParam);
        platform::sendMessage(ui::getParent(handle()), WM_LISTBOX_RETURN, 0, 0);
        return r;
    }
    return callControl(message, wParam, lParam);
}

}  // namespace pelorvant
