// Positions, sizes, z-order, coordinates and hit-testing of windows.

#include "platform/core/MessageLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

#include <algorithm>

namespace platform::ui {

using detail::WindowNode;

bool setWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int width,
                  int height, std::uint32_t flags) {
    WindowNode* n = detail::ownNode(window);
    if (!n) {
        return false;
    }
    const Rect oldRect = n->rect;
    const Rect oldClient = detail::clientInSurface(*n);
    Rect r = n->rect;
    if (!(flags & SWP_NOMOVE)) {
        r = Rect::fromSize(x, y, r.width(), r.height());
    }
    if (!(flags & SWP_NOSIZE)) {
        r = Rect::fromSize(r.left, r.top, std::clamp(width, 0, draw::Bitmap::kMaxSide),
                           std::clamp(height, 0, draw::Bitmap::kMaxSide));
    }
    n->rect = r;
    bool reordered = false;
    if (!(flags & SWP_NOZORDER)) {
        const bool topLevel = n->parent == kNullWindow;
        if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
            if (topLevel) {
                if (insertAfter == HWND_TOPMOST) {
                    n->exStyle |= WS_EX_TOPMOST;
                } else {
                    n->exStyle &= ~WS_EX_TOPMOST;
                }
            }
            detail::placeInSiblings(*n, detail::ZPlace::Top);
        } else if (insertAfter == HWND_TOP) {
            detail::placeInSiblings(*n, detail::ZPlace::Top);
        } else if (insertAfter == HWND_BOTTOM) {
            detail::placeInSiblings(*n, detail::ZPlace::Bottom);
        } else if (insertAfter != window) {
            detail::placeInSiblings(*n, detail::ZPlace::Below, insertAfter);
        }
        reordered = true;
    }
    const bool sized = r.width() != oldRect.width() || r.height() != oldRect.height();
    const bool moved = r.left != oldRect.left || r.top != oldRect.top;
    if (sized) {
        detail::rebuildSurface(*n);
    } else if (flags & SWP_FRAMECHANGED) {
        detail::paintFrame(*n);
    }
    if ((sized || moved || reordered || (flags & SWP_FRAMECHANGED)) && detail::visibleChain(*n)) {
        detail::markScreenDirty();
    }
    const Rect newClient = detail::clientInSurface(*n);
    if (flags & SWP_SHOWWINDOW) {
        showWindow(window, SW_SHOW);
    } else if (flags & SWP_HIDEWINDOW) {
        showWindow(window, SW_HIDE);
    }
    if (moved) {
        sendMessage(window, WM_MOVE, 0, makeLParam(r.left + newClient.left, r.top + newClient.top));
    }
    if (newClient.width() != oldClient.width() || newClient.height() != oldClient.height()) {
        sendMessage(window, WM_SIZE, 0, makeLParam(newClient.width(), newClient.height()));
    }
    return true;
}

bool moveWindow(WindowHandle window, int x, int y, int width, int height, bool repaint) {
    const bool ok =
        setWindowPos(window, kNullWindow, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (ok && repaint) {
        if (WindowNode* n = detail::findNode(window)) {
            const Rect c = detail::clientInSurface(*n);
            n->invalid = Rect{0, 0, c.width(), c.height()};
            n->erase = true;
            detail::queuePaint(*n);
        }
    }
    return ok;
}

bool bringWindowToTop(WindowHandle window) {
    return setWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

Rect getClientRect(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    if (!n) {
        return Rect{};
    }
    const Rect c = detail::clientInSurface(*n);
    return Rect{0, 0, c.width(), c.height()};
}

Rect getWindowRect(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    if (!n) {
        return Rect{};
    }
    const Point o = detail::windowOrigin(*n);
    return Rect::fromSize(o.x, o.y, n->rect.width(), n->rect.height());
}

Rect getWindowRectInParent(WindowHandle window) {
    WindowNode* n = detail::findNode(window);
    return n ? n->rect : Rect{};
}

Point clientToScreen(WindowHandle window, Point p) {
    WindowNode* n = detail::findNode(window);
    if (!n) {
        return p;
    }
    const Point o = detail::clientOrigin(*n);
    return Point{p.x + o.x, p.y + o.y};
}

Point screenToClient(WindowHandle window, Point p) {
    WindowNode* n = detail::findNode(window);
    if (!n) {
        return p;
    }
    const Point o = detail::clientOrigin(*n);
    return Point{p.x - o.x, p.y - o.y};
}

namespace {

HitResult hitIn(WindowHandle h, Point screen) {
    WindowNode* n = detail::findNode(h);
    if (!n || !(n->style & WS_VISIBLE) || !getWindowRect(h).contains(screen)) {
        return HitResult{};
    }
    const Point co = detail::clientOrigin(*n);
    const Rect client = getClientRect(h).offset(co.x, co.y);
    // A disabled window swallows what lands on it, its children included.
    if (!(n->style & WS_DISABLED) && client.contains(screen)) {
        for (WindowHandle child : getChildren(h)) {
            if (HitResult r = hitIn(child, screen); r.window != kNullWindow) {
                return r;
            }
        }
    }
    const MsgResult code = sendMessage(h, WM_NCHITTEST, 0, makeLParam(screen.x, screen.y));
    if (code == HTTRANSPARENT) {
        return HitResult{};
    }
    return HitResult{h, code};
}

}  // namespace

HitResult windowFromPoint(Point screen) {
    for (WindowHandle h : getTopLevelWindows()) {
        if (HitResult r = hitIn(h, screen); r.window != kNullWindow) {
            return r;
        }
    }
    return HitResult{};
}

}  // namespace platform::ui
