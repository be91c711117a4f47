#include "app/shell/ImageButton.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

bool cImageButton::createButton(platform::WindowHandle parent, std::u16string text,
                                const Rect& rect, std::uintptr_t id, std::uint32_t style) {
    ui::CreateParams p;
    p.text = std::move(text);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | style;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return createControl(platform::controls::kButtonClass, p);
}

MsgResult cImageButton::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    const platform::WindowHandle self = handle();
    if (message == ui::WM_KEYDOWN) {
        if (wParam == ui::VK_TAB || wParam == ui::VK_DOWN || wParam == ui::VK_UP) {
            platform::sendMessage(ui::getParent(self), WM_MOVE_FOCUS, wParam == ui::VK_UP ? 1 : 0,
                                  focusOrder);
            return 0;
        }
    }
    const bool focusChange = message == ui::WM_SETFOCUS || message == ui::WM_KILLFOCUS;
    if (focusChange && !shellSettings().isNotSmartphone()) {
        const std::uint32_t style = message == ui::WM_SETFOCUS
                                        ? ui::getStyle(self) | ui::WS_BORDER
                                        : ui::WS_CHILD | ui::WS_VISIBLE;
        ui::setStyle(self, style);
        ui::setWindowPos(self, platform::kNullWindow, 0, 0, 0, 0,
                         ui::SWP_NOMOVE | ui::SWP_NOSIZE | ui::SWP_NOZORDER |
                             ui::SWP_FRAMECHANGED);
    }
    return callControl(message, wParam, lParam);
}

}  // namespace pelorvant
