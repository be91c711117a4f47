#pragma once
// Internal: the base of every system control. A control is a window object with a message
// map; its class's procedure makes it when a window of the class is created (WM_CREATE) and
// the window owns it from then on: it goes after the window's last message. A window that
// subclasses a control later (setWindowProc) passes on to it like to any procedure.
//
// The base map keeps the font set with WM_SETFONT and answers WM_GETFONT, and handles the
// painting of a control that paints its whole client area itself: WM_ERASEBKGND (nothing to
// erase), WM_PAINT (calls paint), WM_SIZE and WM_ENABLE (painted anew); and it keeps whether
// the control has the focus (WM_SETFOCUS, WM_KILLFOCUS).

#include "platform/core/Window.h"
#include "platform/draw/Font.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowObject.h"

#include <cstdint>

namespace platform::controls::detail {

class Control : public ui::WindowObject {
public:
    const ui::MessageMapBase& messageMap() const override;
    // The first message, from the class procedure once the control has taken its window.
    MsgResult start(std::uintptr_t wParam, std::intptr_t lParam) {
        return windowProc(ui::WM_CREATE, wParam, lParam);
    }

protected:
    // The font set through WM_SETFONT, else the controls' font.
    const draw::Font& font() const;
    // Paints the whole client area in a PaintContext of its own (the default only validates it).
    virtual void paint();
    // After WM_SETFONT, before any repainting.
    virtual void fontChanged() {}
    // Whether the control has the focus; after it came or went (the control is repainted
    // anew), focusChanged runs, where a control tells its parent.
    bool focused() const { return focused_; }
    virtual void focusChanged() {}
    void onFinalMessage() override { delete this; }

private:
    MsgResult onSetFont(std::uintptr_t wParam, std::intptr_t lParam);
    MsgResult onGetFont(std::uintptr_t wParam, std::intptr_t lParam);
    MsgResult onEraseBackground(std::uintptr_t wParam, std::intptr_t lParam);
    MsgResult onPaint(std::uintptr_t wParam, std::intptr_t lParam);
    MsgResult onSize(std::uintptr_t wParam, std::intptr_t lParam);
    MsgResult onEnable(std::uintptr_t wParam, std::intptr_t lParam);
    MsgResult onSetFocus(std::uintptr_t wParam, std::intptr_t lParam);
    MsgResult onKillFocus(std::uintptr_t wParam, std::intptr_t lParam);
    void setFocused(bool focused);

    const draw::Font* font_ = nullptr;
    bool focused_ = false;
};

// The class procedure for the control type C (default-constructible, derived from Control).
template <class C>
WindowProc controlClassProc() {
    return [](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
        if (m != ui::WM_CREATE) {
            return ui::defWindowProc(h, m, wp, lp);
        }
        auto* control = new C();  // owned by its window from here on
        if (!control->attach(h)) {
            delete control;
            return ui::defWindowProc(h, m, wp, lp);
        }
        return control->start(wp, lp);
    };
}

}  // namespace platform::controls::detail
