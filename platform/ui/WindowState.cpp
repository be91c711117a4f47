// Visibility, enabling, styles and text of windows.

#include "platform/core/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

namespace platform::ui {

using detail::WindowNode;

bool showWindow(WindowHandle window, int command) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return false;
    }
    const bool wasVisible = (n->style & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    if (show == wasVisible) {
        // Shown already: what it was asked to paint while an ancestor hid it is still due.
        if (show && !n->invalid.empty() && detail::visibleChain(*n)) {
            detail::queuePaint(*n);
        }
        return wasVisible;
    }
    if (show) {
        n->style |= WS_VISIBLE;
        if (detail::visibleChain(*n)) {
            detail::paintShownTree(*n);
        } else {
            invalidateRect(window, nullptr, true);
        }
    } else {
        detail::dropFocusAndCapture(window);
        if (WindowNode* again = detail::findNode(window)) {
            again->style &= ~WS_VISIBLE;
        }
    }
    detail::markScreenDirty();
    sendMessage(window, WM_SHOWWINDOW, show ? 1 : 0, 0);
    return wasVisible;
}

bool isWindowVisible(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n && detail::visibleChain(*n);
}

bool enableWindow(WindowHandle window, bool enable) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return false;
    }
    const bool wasDisabled = (n->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) {
        return wasDisabled;
    }
    if (enable) {
        n->style &= ~WS_DISABLED;
    } else {
        n->style |= WS_DISABLED;
        detail::dropFocusAndCapture(window);
    }
    // The window and every window below it draw their look from the enabled state of the
    // chain up to here: a form under a message box is drawn whole again once the box has gone.
    if (WindowNode* again = detail::findNode(window); again && detail::visibleChain(*again)) {
        detail::paintShownTree(*again);
    }
    sendMessage(window, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool isWindowEnabled(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n && detail::enabledChain(*n);
}

std::uint32_t getStyle(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->style : 0;
}

std::uint32_t setStyle(WindowHandle window, std::uint32_t style) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return 0;
    }
    constexpr std::uint32_t kKept = WS_VISIBLE | WS_DISABLED | WS_CHILD;
    const std::uint32_t old = n->style;
    const Rect oldClient = detail::clientInSurface(*n);
    n->style = (style & ~kKept) | (old & kKept);
    const Rect newClient = detail::clientInSurface(*n);
    if (newClient != oldClient) {
        detail::rebuildSurface(*n);
    } else {
        detail::paintFrame(*n);
    }
    if (detail::visibleChain(*n)) {
        detail::markScreenDirty();
    }
    if (newClient.width() != oldClient.width() || newClient.height() != oldClient.height()) {
        sendMessage(window, WM_SIZE, 0, makeLParam(newClient.width(), newClient.height()));
    }
    return old;
}

std::uint32_t getExStyle(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->exStyle : 0;
}

std::uint32_t setExStyle(WindowHandle window, std::uint32_t exStyle) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return 0;
    }
    const std::uint32_t old = n->exStyle;
    if (n->parent != kNullWindow) {
        exStyle &= ~WS_EX_TOPMOST;
    }
    n->exStyle = exStyle;
    if ((old ^ exStyle) & WS_EX_TOPMOST) {
        detail::placeInSiblings(*n, detail::ZPlace::Top);
        detail::markScreenDirty();
    }
    return old;
}

bool setWindowText(WindowHandle window, std::u16string_view text) {
    if (!detail::findNode(window)) {
        return false;
    }
    const std::u16string copy(text);
    return sendMessage(window, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(&copy)) != 0;
}

std::u16string getWindowText(WindowHandle window) {
    std::u16string out;
    if (detail::findNode(window)) {
        sendMessage(window, WM_GETTEXT, 0, reinterpret_cast<std::intptr_t>(&out));
    }
    return out;
}

}  // namespace platform::ui
