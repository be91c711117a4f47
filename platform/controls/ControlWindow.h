#pragma once
// Internal: what every control shares. A control class's procedure makes the control's state
// at WM_CREATE and puts a procedure bound to that state in its own place, so a window that
// subclasses a control later (setWindowProc) passes on to the control like to any procedure.

#include "platform/core/Window.h"
#include "platform/draw/Font.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowTree.h"

#include <cstdint>
#include <memory>

namespace platform::controls::detail {

// The class procedure for a control whose state type S has
//   S(WindowHandle self)  and  MsgResult handle(WindowHandle, std::uint32_t, uintptr_t, intptr_t).
template <class S>
WindowProc stateClassProc() {
    return [](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
        if (m != ui::WM_CREATE) {
            return ui::defWindowProc(h, m, wp, lp);
        }
        auto state = std::make_shared<S>(h);
        setWindowProc(h, [state](WindowHandle w, std::uint32_t msg, std::uintptr_t a,
                                 std::intptr_t b) { return state->handle(w, msg, a, b); });
        return state->handle(h, m, wp, lp);
    };
}

// WM_COMMAND to the control's parent: the control's id with the code, and the control.
void notifyParent(WindowHandle control, std::uint32_t code);

// WM_NOTIFY to the control's parent; the header's sender, id and the given code are filled in.
// Returns the parent's answer.
MsgResult notifyParent(WindowHandle control, ui::NotifyHeader& header, std::uint32_t code);

// WM_SETFONT and WM_GETFONT on a control's font slot; true when the message was one of them.
bool handleFontMessage(WindowHandle control, const draw::Font*& font, std::uint32_t message,
                       std::uintptr_t wParam, std::intptr_t lParam, MsgResult& result);

// The messages of a control that paints its whole client area itself: WM_ERASEBKGND (nothing
// to erase), WM_PAINT (calls `paint`), and WM_SIZE and WM_ENABLE, after which it is painted
// anew. True when the message was one of them.
template <class Paint>
bool handleOwnPainting(WindowHandle control, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam, Paint&& paint, MsgResult& result) {
    switch (message) {
        case ui::WM_ERASEBKGND:
            result = 1;
            return true;
        case ui::WM_PAINT:
            paint();
            result = 0;
            return true;
        case ui::WM_SIZE:
        case ui::WM_ENABLE:
            ui::invalidateRect(control);
            result = ui::defWindowProc(control, message, wParam, lParam);
            return true;
        default:
            return false;
    }
}

}  // namespace platform::controls::detail
