#include "platform/shell/InputPanelWindow.h"

#include "platform/controls/ControlStyle.h"
#include "platform/draw/TextCase.h"
#include "platform/shell/InputPanel.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <string>

namespace platform::shell {

using draw::Rect;
namespace ctl = platform::controls;

WindowHandle InputPanelWindow::open(const Rect& rect, std::function<void()> onGone) {
    auto* panel = new InputPanelWindow(std::move(onGone));  // owned by its window once made
    ui::CreateParams params;
    params.className = std::string(kInputPanelClass);
    params.style = ui::WS_POPUP | ui::WS_VISIBLE;
    params.exStyle = ui::WS_EX_TOPMOST;
    params.rect = rect;
    if (!panel->create(params)) {
        delete panel;
        return kNullWindow;
    }
    return panel->handle();
}

const ui::MessageMapBase& InputPanelWindow::messageMap() const {
    static const auto map = ui::MessageMap<InputPanelWindow>(&WindowObject::messageMap())
                                .message(ui::WM_PAINT, &InputPanelWindow::onPaint)
                                .message(ui::WM_ERASEBKGND, &InputPanelWindow::onEraseBackground)
                                .message(ui::WM_LBUTTONDOWN, &InputPanelWindow::onFingerDown)
                                .message(ui::WM_LBUTTONDBLCLK, &InputPanelWindow::onFingerDown);
    return map;
}

void InputPanelWindow::onFinalMessage() {
    if (onGone_) {
        onGone_();
    }
    delete this;
}

MsgResult InputPanelWindow::onPaint(std::uintptr_t, std::intptr_t) {
    ui::PaintContext paint(handle());
    draw::DeviceContext& dc = paint.dc();
    const Rect c = ui::getClientRect(handle());
    const draw::Size size{c.width(), c.height()};
    dc.fillRect(c, ctl::kFaceColor);
    dc.selectFont(&ctl::controlFont());
    dc.setBkMode(draw::BackgroundMode::Transparent);
    const auto& rows = panelRows(layer_);
    for (int r = 0; r < kPanelRows; ++r) {
        int column = 0;
        for (const PanelKey& key : rows[static_cast<std::size_t>(r)]) {
            const Rect rect = panelKeyRect(size, r, column, key.span);
            column += key.span;
            const bool lit = key.action == PanelAction::Shift && shift_;
            dc.fillRect(rect, lit ? ctl::kSelectionColor : ctl::kWindowColor);
            ctl::drawFrame(dc, rect, ctl::kSecondaryTextColor);
            dc.setTextColor(lit ? ctl::kSelectionTextColor : ctl::kTextColor);
            dc.drawText(panelKeyLabel(key, shift_), rect,
                        draw::kTextSingleLine | draw::kTextCenter | draw::kTextVCenter);
        }
    }
    return 0;
}

MsgResult InputPanelWindow::onFingerDown(std::uintptr_t, std::intptr_t lParam) {
    const Rect c = ui::getClientRect(handle());
    if (const PanelKey* key =
            panelKeyAt(layer_, draw::Size{c.width(), c.height()},
                       draw::Point{ui::xOfLParam(lParam), ui::yOfLParam(lParam)})) {
        press(*key);
    }
    return 0;
}

// The character goes to the focus window as if typed; the other keys act on the panel or
// press their key.
void InputPanelWindow::press(const PanelKey& key) {
    switch (key.action) {
        case PanelAction::Type:
            ui::characterInput(shift_ ? draw::toUpperCase(key.character) : key.character);
            if (shift_) {
                shift_ = false;
                ui::invalidateRect(handle());
            }
            break;
        case PanelAction::Backspace:
        case PanelAction::Enter: {
            const std::uint32_t vk = key.action == PanelAction::Enter ? ui::VK_RETURN : ui::VK_BACK;
            ui::keyDown(vk);
            ui::keyUp(vk);
            break;
        }
        case PanelAction::Shift:
            shift_ = !shift_;
            ui::invalidateRect(handle());
            break;
        case PanelAction::Layer:
            layer_ = key.target;
            shift_ = false;
            ui::invalidateRect(handle());
            break;
    }
}

}  // namespace platform::shell
