#include "platform/ui/Input.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/WindowTreeAccess.h"

#include <cstdlib>
#include <optional>

namespace platform::ui {
namespace {

struct InputState {
    bool fingerDown = false;
    WindowHandle pressed = kNullWindow;  // received the finger down; holds it until the up
    // The last finger down that may start a double tap.
    std::optional<std::uint64_t> lastDownTime;
    WindowHandle lastDownWindow = kNullWindow;
    draw::Point lastDownPoint;
};

InputState& state() {
    static InputState s;
    return s;
}

// Where a finger event goes: the capture, the window that took the finger down, or the window
// under the finger when it takes client input.
WindowHandle fingerTarget(draw::Point screen, bool isDown) {
    if (WindowHandle c = getCapture(); c != kNullWindow) {
        return c;
    }
    if (!isDown && state().pressed != kNullWindow && isUiWindow(state().pressed)) {
        return state().pressed;
    }
    const HitResult hit = windowFromPoint(screen);
    if (hit.window == kNullWindow || hit.code != HTCLIENT || !isWindowEnabled(hit.window)) {
        return kNullWindow;
    }
    return hit.window;
}

void postFinger(WindowHandle target, std::uint32_t message, draw::Point screen,
                std::uintptr_t keys) {
    const draw::Point p = screenToClient(target, screen);
    postMessage(target, message, keys, makeLParam(p.x, p.y));
}

bool hasDoubleTaps(WindowHandle window) {
    detail::WindowNode* n = detail::findNode(window);
    return n && (n->classStyle & CS_DBLCLKS);
}

}  // namespace

void fingerDown(draw::Point screen) {
    InputState& s = state();
    if (s.fingerDown) {
        fingerUp(screen);  // a lost up: finish the old press first
    }
    s.fingerDown = true;
    const WindowHandle target = fingerTarget(screen, true);
    s.pressed = target;
    if (target == kNullWindow) {
        s.lastDownTime.reset();
        return;
    }
    const std::uint64_t now = getTickCount();
    const int near = systemMetrics().doubleTapDistance;
    const bool doubleTap = s.lastDownTime && s.lastDownWindow == target &&
                           now - *s.lastDownTime <= kDoubleTapTime &&
                           std::abs(screen.x - s.lastDownPoint.x) <= near &&
                           std::abs(screen.y - s.lastDownPoint.y) <= near && hasDoubleTaps(target);
    if (doubleTap) {
        s.lastDownTime.reset();  // a third tap starts afresh
        postFinger(target, WM_LBUTTONDBLCLK, screen, MK_LBUTTON);
        return;
    }
    s.lastDownTime = now;
    s.lastDownWindow = target;
    s.lastDownPoint = screen;
    postFinger(target, WM_LBUTTONDOWN, screen, MK_LBUTTON);
}

void fingerMove(draw::Point screen) {
    InputState& s = state();
    if (!s.fingerDown && getCapture() == kNullWindow) {
        return;  // a touch screen knows no hovering
    }
    const WindowHandle target = fingerTarget(screen, false);
    if (target != kNullWindow) {
        postFinger(target, WM_MOUSEMOVE, screen, s.fingerDown ? MK_LBUTTON : 0);
    }
}

void fingerUp(draw::Point screen) {
    InputState& s = state();
    if (!s.fingerDown) {
        return;
    }
    const WindowHandle target = fingerTarget(screen, false);
    s.fingerDown = false;
    s.pressed = kNullWindow;
    if (target != kNullWindow) {
        postFinger(target, WM_LBUTTONUP, screen, 0);
    }
}

bool fingerIsDown() {
    return state().fingerDown;
}

void keyDown(std::uint32_t vk) {
    if (WindowHandle f = getFocus(); f != kNullWindow) {
        postMessage(f, WM_KEYDOWN, vk, 1);
    }
}

void keyUp(std::uint32_t vk) {
    if (WindowHandle f = getFocus(); f != kNullWindow) {
        postMessage(f, WM_KEYUP, vk, static_cast<std::intptr_t>(0xC0000001u));
    }
}

void characterInput(char16_t c) {
    if (WindowHandle f = getFocus(); f != kNullWindow) {
        postMessage(f, WM_CHAR, c, 1);
    }
}

void resetInput() {
    state() = InputState{};
}

}  // namespace platform::ui
