#include "app/screens/stoptimetables/StopLineEdit.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;

platform::MsgResult cStopLineEdit::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                             std::intptr_t lParam) {
    if (message == ui::WM_KEYDOWN && wParam == ui::VK_RETURN) {
        // Posted: the search may show a message box, which the key's handling must not wait for.
        platform::postMessage(ui::getParent(handle()), ui::WM_COMMAND, kCommandFindFromLine, 0);
        return 0;
    }
    return cBackKeyEdit::onMessage(message, wParam, lParam);
}

}  // namespace pelorvant
