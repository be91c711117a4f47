#include "platform/ui/Focus.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowTreeAccess.h"

#include <atomic>

namespace platform::ui {
namespace {

std::atomic<WindowHandle> gFocus{kNullWindow};

}  // namespace

WindowHandle setFocus(WindowHandle window) {
    if (window != kNullWindow) {
        detail::WindowNode* n = detail::ownNode(window);
        if (!n || !detail::visibleChain(*n) || !detail::enabledChain(*n)) {
            return kNullWindow;
        }
    }
    WindowHandle old = gFocus.load();
    if (old != kNullWindow && !detail::findNode(old)) {
        old = kNullWindow;  // the last focus window is gone
    }
    if (old == window) {
        return old;
    }
    gFocus = window;
    if (old != kNullWindow) {
        sendMessage(old, WM_KILLFOCUS, static_cast<std::uintptr_t>(window), 0);
    }
    // The handler of WM_KILLFOCUS may have moved the focus on; then that move stands.
    if (window != kNullWindow && gFocus.load() == window && detail::findNode(window)) {
        sendMessage(window, WM_SETFOCUS, static_cast<std::uintptr_t>(old), 0);
    }
    return old;
}

WindowHandle getFocus() {
    WindowHandle f = gFocus.load();
    return detail::findNode(f) ? f : kNullWindow;
}

}  // namespace platform::ui
