// Moving a window under another parent.

#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

#include <algorithm>

namespace platform::ui {

using detail::WindowNode;

WindowHandle setParent(WindowHandle window, WindowHandle newParent) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return kNullWindow;
    }
    if (newParent != kNullWindow &&
        (!detail::ownNode(newParent) || detail::isSelfOrDescendant(window, newParent))) {
        return kNullWindow;
    }
    const WindowHandle oldParent = n->parent;
    if (oldParent == newParent) {
        return oldParent;
    }
    const bool wasShown = detail::visibleChain(*n);
    std::erase(detail::siblingList(*n), window);
    n->parent = newParent;
    n->owner = kNullWindow;
    if (newParent != kNullWindow) {
        n->style = (n->style & ~WS_POPUP) | WS_CHILD;
        n->exStyle &= ~WS_EX_TOPMOST;
    } else {
        n->style &= ~WS_CHILD;
    }
    detail::placeInSiblings(*n, detail::ZPlace::Top);
    // What can no longer take input under its new parent gives up the focus and the capture;
    // the focus falls back to the parent it left.
    if (!detail::visibleChain(*n) || !detail::enabledChain(*n)) {
        if (detail::isSelfOrDescendant(window, getCapture())) {
            releaseCapture();
        }
        if (detail::isSelfOrDescendant(window, getFocus())) {
            WindowNode* old = detail::findNode(oldParent);
            setFocus(old && detail::visibleChain(*old) && detail::enabledChain(*old) ? oldParent
                                                                                     : kNullWindow);
        }
    }
    n = detail::findNode(window);
    if (n && !wasShown && detail::visibleChain(*n)) {
        detail::paintShownTree(*n);
    }
    if (n && (wasShown || detail::visibleChain(*n))) {
        detail::markScreenDirty();
    }
    return oldParent;
}

}  // namespace platform::ui
