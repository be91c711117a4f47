#include "platform/controls/StaticText.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

namespace platform::controls {
namespace {

class StaticText : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<StaticText>(&Control::messageMap())
                                    .message(ui::WM_SETTEXT, &StaticText::onSetText);
        return map;
    }

private:
    MsgResult onSetText(std::uintptr_t wp, std::intptr_t lp) {
        ui::invalidateRect(handle());
        return defaultProc(ui::WM_SETTEXT, wp, lp);
    }

    void paint() override {
        const WindowHandle h = handle();
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const draw::Rect client = ui::getClientRect(h);
        dc.fillRect(client, kWindowColor);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        dc.setTextColor(ui::isWindowEnabled(h) ? kTextColor : kDisabledTextColor);
        const std::uint32_t align = ui::getStyle(h) & SS_TYPEMASK;
        dc.drawText(ui::getWindowText(h), client,
                    draw::kTextSingleLine | draw::kTextVCenter |
                        (align == SS_CENTER  ? draw::kTextCenter
                         : align == SS_RIGHT ? draw::kTextRight
                                             : draw::kTextLeft));
    }
};

}  // namespace

WindowProc staticTextProc() {
    return detail::controlClassProc<StaticText>();
}

}  // namespace platform::controls
