#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

namespace platform::ui {

namespace {

MsgResult hitTest(WindowHandle window, Point screen) {
    const Rect outer = getWindowRect(window);
    if (!outer.contains(screen)) {
        return HTNOWHERE;
    }
    const Point p = screenToClient(window, screen);
    const Rect client = getClientRect(window);
    if (client.contains(p)) {
        return HTCLIENT;
    }
    const std::uint32_t style = getStyle(window);
    if ((style & WS_VSCROLL) && p.x >= client.right && p.y >= client.top && p.y < client.bottom) {
        return HTVSCROLL;
    }
    if ((style & WS_HSCROLL) && p.y >= client.bottom && p.x >= client.left && p.x < client.right) {
        return HTHSCROLL;
    }
    return HTBORDER;
}

}  // namespace

MsgResult defWindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintContext paint(window);
            return 0;
        }
        case WM_ERASEBKGND: {
            detail::WindowNode* n = detail::findNode(window);
            auto* dc = reinterpret_cast<draw::DeviceContext*>(wParam);
            if (!n || !dc || !n->background) {
                return 0;
            }
            dc->fillRect(dc->clipBox(), *n->background);
            return 1;
        }
        case WM_SETTEXT: {
            detail::WindowNode* n = detail::ownNode(window);
            const auto* text = reinterpret_cast<const std::u16string*>(lParam);
            if (!n || !text) {
                return 0;
            }
            n->text = *text;
            return 1;
        }
        case WM_GETTEXT: {
            detail::WindowNode* n = detail::findNode(window);
            auto* out = reinterpret_cast<std::u16string*>(lParam);
            if (!n || !out) {
                return 0;
            }
            *out = n->text;
            return static_cast<MsgResult>(out->size());
        }
        case WM_NCHITTEST:
            return hitTest(window, Point{xOfLParam(lParam), yOfLParam(lParam)});
        case WM_CLOSE:
            ui::destroyWindow(window);
            return 0;
        default:
            return 0;
    }
}

}  // namespace platform::ui
