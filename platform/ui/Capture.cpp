#include "platform/ui/Capture.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowTreeAccess.h"

#include <atomic>

namespace platform::ui {
namespace {

std::atomic<WindowHandle> gCapture{kNullWindow};

}  // namespace

WindowHandle setCapture(WindowHandle window) {
    detail::WindowNode* n = detail::ownNode(window);
    if (!n || !detail::visibleChain(*n) || !detail::enabledChain(*n)) {
        return kNullWindow;
    }
    const WindowHandle old = getCapture();
    if (old == window) {
        return old;
    }
    gCapture = window;
    if (old != kNullWindow) {
        sendMessage(old, WM_CAPTURECHANGED, 0, static_cast<std::intptr_t>(window));
    }
    return old;
}

bool releaseCapture() {
    const WindowHandle old = getCapture();
    gCapture = kNullWindow;
    if (old != kNullWindow) {
        sendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    return true;
}

WindowHandle getCapture() {
    WindowHandle c = gCapture.load();
    return detail::findNode(c) ? c : kNullWindow;
}

}  // namespace platform::ui
