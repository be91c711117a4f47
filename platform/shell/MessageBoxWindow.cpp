#include "platform/shell/MessageBoxWindow.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/Controls.h"
#include "platform/shell/MessageBoxButtons.h"
#include "platform/shell/MessageBoxIcon.h"
#include "platform/shell/MessageBoxLayout.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <string>
#include <utility>
#include <vector>

namespace platform::shell {
namespace {

using draw::Rect;
namespace ctl = platform::controls;

MessageBoxLayout layoutFor(const MessageBoxRequest& request) {
    return layoutMessageBox(ctl::controlFont(), request.text,
                            messageBoxIconOf(request.type) != MessageBoxIcon::None,
                            ui::screenSize(), ui::systemMetrics().borderWidth);
}

bool isYesNo(unsigned type) {
    return (type & 0xF) == MB_YESNO;
}

}  // namespace

WindowHandle MessageBoxWindow::open(const MessageBoxRequest& request,
                                    std::function<void(int)> onAnswer) {
    ctl::registerControlClasses();
    auto* box = new MessageBoxWindow(request, std::move(onAnswer));  // its window owns it
    ui::CreateParams p;
    p.className = std::string(kMessageBoxClass);
    p.text = request.caption;
    p.style = ui::WS_POPUP | ui::WS_BORDER | ui::WS_VISIBLE;
    p.exStyle = ui::WS_EX_TOPMOST;
    p.parent = request.owner;
    p.rect = layoutFor(request).window;
    if (!box->create(p)) {
        delete box;
        return kNullWindow;
    }
    box->addButtons();
    return box->handle();
}

const ui::MessageMapBase& MessageBoxWindow::messageMap() const {
    static const auto map = ui::MessageMap<MessageBoxWindow>(&WindowObject::messageMap())
                                .message(ui::WM_PAINT, &MessageBoxWindow::onPaint)
                                .message(ui::WM_ERASEBKGND, &MessageBoxWindow::onEraseBackground)
                                .message(ui::WM_CLOSE, &MessageBoxWindow::onClose)
                                .message(ui::WM_DESTROY, &MessageBoxWindow::onDestroy);
    return map;
}

void MessageBoxWindow::addButtons() {
    const MessageBoxLayout layout = layoutFor(request_);
    const std::vector<std::pair<unsigned, std::u16string>> buttons =
        isYesNo(request_.type)
            ? std::vector<std::pair<unsigned, std::u16string>>{{IDYES, messageBoxButtonTexts().yes},
                                                               {IDNO, messageBoxButtonTexts().no}}
            : std::vector<std::pair<unsigned, std::u16string>>{{IDOK, messageBoxButtonTexts().ok}};
    const int bw = std::max(70, 5 * ctl::controlFont().metrics().height);
    const int gap = layout.buttons.height() / 2;
    const int total =
        static_cast<int>(buttons.size()) * bw + (static_cast<int>(buttons.size()) - 1) * gap;
    int x = layout.buttons.left + (layout.buttons.width() - total) / 2;
    WindowHandle first = kNullWindow;
    for (const auto& [id, text] : buttons) {
        ui::CreateParams b;
        b.className = std::string(ctl::kButtonClass);
        b.text = text;
        b.style =
            ui::WS_CHILD | ui::WS_VISIBLE | (first == kNullWindow ? ctl::BS_DEFPUSHBUTTON : 0);
        b.rect = Rect::fromSize(x, layout.buttons.top, bw, layout.buttons.height());
        b.parent = handle();
        b.id = id;
        const WindowHandle button = ui::createWindow(b);
        if (first == kNullWindow) {
            first = button;
        }
        x += bw + gap;
    }
    ui::setFocus(first);
}

void MessageBoxWindow::answer(int value) {
    if (answered_) {
        return;
    }
    answered_ = true;
    if (onAnswer_) {
        onAnswer_(value);
    }
    ui::destroyWindow(handle());
}

void MessageBoxWindow::onFinalMessage() {
    delete this;
}

// Every button answers with its id.
bool MessageBoxWindow::routeCommand(std::uint32_t id, std::uint32_t) {
    answer(static_cast<int>(id));
    return true;
}

MsgResult MessageBoxWindow::onPaint(std::uintptr_t, std::intptr_t) {
    ui::PaintContext paint(handle());
    draw::DeviceContext& dc = paint.dc();
    const Rect c = ui::getClientRect(handle());
    const MessageBoxLayout layout = layoutFor(request_);
    dc.fillRect(c, ctl::kWindowColor);
    dc.selectFont(&ctl::controlFont());
    dc.setBkMode(draw::BackgroundMode::Transparent);
    dc.fillRect(Rect{0, 0, c.right, layout.caption.bottom}, ctl::kSelectionColor);
    dc.setTextColor(ctl::kSelectionTextColor);
    const int inset = layout.caption.height() / 4;
    dc.drawText(request_.caption, Rect{inset, 0, c.right - inset, layout.caption.bottom},
                draw::kTextSingleLine | draw::kTextVCenter);
    drawMessageBoxIcon(dc, layout.icon, messageBoxIconOf(request_.type));
    dc.setTextColor(ctl::kTextColor);
    dc.drawText(request_.text, layout.text, draw::kTextWordBreak | draw::kTextVCenter);
    return 0;
}

MsgResult MessageBoxWindow::onClose(std::uintptr_t, std::intptr_t) {
    answer(isYesNo(request_.type) ? IDNO : IDOK);
    return 0;
}

MsgResult MessageBoxWindow::onDestroy(std::uintptr_t, std::intptr_t) {
    // Destroyed from outside (its owner went): the asker must not wait forever.
    if (!answered_) {
        answered_ = true;
        if (onAnswer_) {
            onAnswer_(0);
        }
    }
    return 0;
}

}  // namespace platform::shell
