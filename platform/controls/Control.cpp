#include "platform/controls/Control.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

namespace platform::controls::detail {

const ui::MessageMapBase& Control::messageMap() const {
    static const auto map = ui::MessageMap<Control>(&WindowObject::messageMap())
                                .message(WM_SETFONT, &Control::onSetFont)
                                .message(WM_GETFONT, &Control::onGetFont)
                                .message(ui::WM_ERASEBKGND, &Control::onEraseBackground)
                                .message(ui::WM_PAINT, &Control::onPaint)
                                .message(ui::WM_SIZE, &Control::onSize)
                                .message(ui::WM_ENABLE, &Control::onEnable)
                                .message(ui::WM_SETFOCUS, &Control::onSetFocus)
                                .message(ui::WM_KILLFOCUS, &Control::onKillFocus);
    return map;
}

const draw::Font& Control::font() const {
    return font_ ? *font_ : controlFont();
}

void Control::paint() {
    ui::PaintContext paint(handle());
}

MsgResult Control::onSetFont(std::uintptr_t wParam, std::intptr_t lParam) {
    font_ = reinterpret_cast<const draw::Font*>(wParam);
    fontChanged();
    if (lParam != 0) {
        ui::invalidateRect(handle());
    }
    return 0;
}

MsgResult Control::onGetFont(std::uintptr_t, std::intptr_t) {
    return reinterpret_cast<MsgResult>(&font());
}

MsgResult Control::onEraseBackground(std::uintptr_t, std::intptr_t) {
    return 1;
}

MsgResult Control::onPaint(std::uintptr_t, std::intptr_t) {
    paint();
    return 0;
}

MsgResult Control::onSize(std::uintptr_t wParam, std::intptr_t lParam) {
    ui::invalidateRect(handle());
    return defaultProc(ui::WM_SIZE, wParam, lParam);
}

MsgResult Control::onEnable(std::uintptr_t wParam, std::intptr_t lParam) {
    ui::invalidateRect(handle());
    return defaultProc(ui::WM_ENABLE, wParam, lParam);
}

MsgResult Control::onSetFocus(std::uintptr_t, std::intptr_t) {
    setFocused(true);
    return 0;
}

MsgResult Control::onKillFocus(std::uintptr_t, std::intptr_t) {
    setFocused(false);
    return 0;
}

void Control::setFocused(bool focused) {
    focused_ = focused;
    ui::invalidateRect(handle());
    focusChanged();
}

}  // namespace platform::controls::detail
