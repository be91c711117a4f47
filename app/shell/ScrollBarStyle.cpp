#include "app/shell/ScrollBarStyle.h"

#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;

namespace {

thread_local unsigned lastError = 0;

}  // namespace

bool setScrollBarStyle(platform::WindowHandle window, int kind, bool set) {
    std::uint32_t bits = 0;
    switch (kind) {
        case kScrollBarHorizontal:
            bits = ui::WS_HSCROLL;
            break;
        case kScrollBarVertical:
            bits = ui::WS_VSCROLL;
            break;
        case kScrollBarBoth:
            bits = ui::WS_HSCROLL | ui::WS_VSCROLL;
            break;
        default:
            lastError = kErrorInvalidParameter;
            return false;
    }
    const std::uint32_t style = ui::getStyle(window);
    ui::setStyle(window, set ? style | bits : style & ~bits);
    return true;
}

unsigned lastShellError() {
    return lastError;
}

}  // namespace pelorvant
