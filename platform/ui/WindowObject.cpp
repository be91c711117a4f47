#include "platform/ui/WindowObject.h"

#include "platform/core/Window.h"
#include "platform/ui/WindowTreeAccess.h"

namespace platform::ui {

WindowObject::~WindowObject() {
    destroy();
}

bool WindowObject::create(const CreateParams& params) {
    if (handle_ != kNullWindow) {
        return false;
    }
    // The handle is known inside WM_CREATE already: receive() records it on the first call.
    const WindowHandle h =
        ui::createWindow(params, [this](WindowHandle w, std::uint32_t m, std::uintptr_t wp,
                                        std::intptr_t lp) { return receive(w, m, wp, lp); });
    return h != kNullWindow && handle_ == h;
}

bool WindowObject::attach(WindowHandle window) {
    detail::WindowNode* n = detail::findNode(window);
    if (handle_ != kNullWindow || !n || n->object) {
        return false;
    }
    handle_ = window;
    n->object = this;
    setWindowProc(window, [this](WindowHandle w, std::uint32_t m, std::uintptr_t wp,
                                 std::intptr_t lp) { return receive(w, m, wp, lp); });
    return true;
}

bool WindowObject::destroy() {
    if (handle_ == kNullWindow) {
        return false;
    }
    return ui::destroyWindow(handle_);
}

WindowObject* WindowObject::fromHandle(WindowHandle window) {
    detail::WindowNode* n = detail::findNode(window);
    return n ? n->object : nullptr;
}

MsgResult WindowObject::receive(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    if (handle_ == kNullWindow && message == WM_CREATE) {
        handle_ = window;
        if (detail::WindowNode* n = detail::findNode(window)) {
            n->object = this;
        }
    }
    if (window != handle_) {
        return defWindowProc(window, message, wParam, lParam);
    }
    const MsgResult result = windowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        handle_ = kNullWindow;
        onFinalMessage();
    }
    return result;
}

bool WindowObject::handleOwnCommand(std::uint32_t id, std::uint32_t code) {
    return messageMap().dispatchCommand(*this, id, code);
}

bool WindowObject::routeCommand(std::uint32_t id, std::uint32_t code) {
    return handleOwnCommand(id, code);
}

const MessageMapBase& WindowObject::messageMap() const {
    static const MessageMapBase empty(nullptr);
    return empty;
}

MsgResult WindowObject::windowProc(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    if (message == WM_COMMAND) {
        // A control's full id (ids above 16 bits exist); the low word for menus.
        const auto control = static_cast<WindowHandle>(static_cast<std::uintptr_t>(lParam));
        const std::uint32_t id = lParam != 0 && isUiWindow(control)
                                     ? static_cast<std::uint32_t>(getDlgCtrlId(control))
                                     : lowWord(wParam);
        if (routeCommand(id, highWord(wParam))) {
            return 0;
        }
        return defaultProc(message, wParam, lParam);
    }
    MsgResult result = 0;
    if (message == WM_NOTIFY) {
        if (const auto* header = reinterpret_cast<const NotifyHeader*>(lParam);
            header && messageMap().dispatchNotify(*this, *header, result)) {
            return result;
        }
        return defaultProc(message, wParam, lParam);
    }
    if (messageMap().dispatchMessage(*this, message, wParam, lParam, result)) {
        return result;
    }
    return defaultProc(message, wParam, lParam);
}

MsgResult WindowObject::defaultProc(std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    return defWindowProc(handle_, message, wParam, lParam);
}

}  // namespace platform::ui
