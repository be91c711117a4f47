#include "platform/controls/StaticText.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

namespace platform::controls {
namespace {

class StaticState {
public:
    explicit StaticState(WindowHandle) {}

    MsgResult handle(WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        MsgResult result = 0;
        if (detail::handleFontMessage(h, font_, m, wp, lp, result)) {
            return result;
        }
        switch (m) {
            case ui::WM_CREATE:
                return 0;
            case ui::WM_ERASEBKGND:
                return 1;
            case ui::WM_SETTEXT:
            case ui::WM_ENABLE:
                ui::invalidateRect(h);
                return ui::defWindowProc(h, m, wp, lp);
            case ui::WM_PAINT: {
                ui::PaintContext paint(h);
                draw::DeviceContext& dc = paint.dc();
                const draw::Rect client = ui::getClientRect(h);
                dc.fillRect(client, kWindowColor);
                dc.selectFont(font_ ? font_ : &controlFont());
                dc.setBkMode(draw::BackgroundMode::Transparent);
                dc.setTextColor(ui::isWindowEnabled(h) ? kTextColor : kDisabledTextColor);
                const std::uint32_t align = ui::getStyle(h) & SS_TYPEMASK;
                dc.drawText(ui::getWindowText(h), client,
                            draw::kTextSingleLine | draw::kTextVCenter |
                                (align == SS_CENTER  ? draw::kTextCenter
                                 : align == SS_RIGHT ? draw::kTextRight
                                                     : draw::kTextLeft));
                return 0;
            }
            default:
                return ui::defWindowProc(h, m, wp, lp);
        }
    }

private:
    const draw::Font* font_ = nullptr;
};

}  // namespace

WindowProc staticTextProc() {
    return detail::stateClassProc<StaticState>();
}

}  // namespace platform::controls
