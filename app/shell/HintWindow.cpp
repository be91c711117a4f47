#include "app/shell/HintWindow.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellException.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/Timer.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

bool cHintWindow::createHint(platform::WindowHandle page) {
    return create(shellCreateParams(ui::WS_CHILD, Rect{0, 0, 10, 10}, page, 0));
}

MsgResult cHintWindow::OnCreate(std::uintptr_t, std::intptr_t) {
    label.createList(handle(), Rect{0, 0, 10, 10}, kHintLabelId, false);
    label.setColors({kHintColor, platform::draw::rgb(0, 0, 0)});
    return 0;
}

void cHintWindow::ShowHintForControl(platform::WindowHandle forTarget, std::u16string_view text,
                                     int time, int keptValue, int offset1, int offset2,
                                     int offset3) {
    prepare(forTarget, ui::getWindowRect(forTarget), text, time, keptValue, offset1, offset2,
            offset3, HintPlacement::Automatic);
}

void cHintWindow::ShowHintForControl(platform::WindowHandle forTarget, const Rect& area,
                                     std::u16string_view text, int time, int keptValue,
                                     int offset1, int offset2, int offset3) {
    const platform::draw::Point corner = ui::clientToScreen(forTarget, {area.left, area.top});
    prepare(forTarget, Rect::fromSize(corner.x, corner.y, area.width(), area.height()), text, time,
            keptValue, offset1, offset2, offset3, HintPlacement::Automatic);
}

void cHintWindow::ShowHintForControl(platform::WindowHandle forTarget, std::u16string_view text,
                                     int time, int keptValue, int offset1, int offset2,
                                     int offset3, bool below) {
    prepare(forTarget, ui::getWindowRect(forTarget), text, time, keptValue, offset1, offset2,
            offset3, below ? HintPlacement::Below : HintPlacement::Above);
}

void cHintWindow::prepare(platform::WindowHandle forTarget, const Rect& r,
                          std::u16string_view text, int time, int keptValue, int offset1,
                          int offset2, int offset3, HintPlacement placement) {
    offsets[0] = offset1;
    offsets[1] = offset2;
    offsets[2] = offset3;
    kept = keptValue;
    target = forTarget;
    ui::showWindow(handle(), ui::SW_HIDE);
    displayTime = time;
    shown = false;
    justChanged = false;
    const int fh = shellSettings().fontHeight();
    targetRect = Rect::fromSize(r.left + fh / 3, r.top, r.width(), r.height());
    setHintText(text, placement);
    platform::setTimer(handle(), kHintTimer, static_cast<std::uint32_t>(showDelay));
}

void cHintWindow::setHintText(std::u16string_view text, HintPlacement placement) {
    hintText = std::u16string(text);
    const int fh = shellSettings().fontHeight();
    const platform::WindowHandle page = ui::getParent(handle());
    const int labelWidth = ui::getClientRect(page).width() - fh;
    ui::moveWindow(label.handle(), fh / 3, fh / 6, std::max(labelWidth, 1), 10, false);
    label.SetText(hintText);

    const int longest = label.layout().longestLineWidth();
    const int width = longest + fh;
    const int height = label.GetTextHeight() + fh / 3;
    const Rect pageRect = ui::getWindowRect(page);
    const int top = targetRect.top;
    const int g = fh / 4;
    int x = pageRect.left + fh / 3;
    int y = top;
    const int roomAbove = top - pageRect.top;
    const int roomBelow = pageRect.bottom - (top + targetRect.height());
    switch (placement) {
        case HintPlacement::Automatic:
            if (height + g < roomAbove) {
                y = top - g - height;
            } else if (height + g < roomBelow) {
                y = top + g + targetRect.height();
            } else if (height + g < offsets[0] + roomAbove) {
                y = top + offsets[0] - g - height;
            } else {
                y = top + g + offsets[2];
            }
            break;
        case HintPlacement::Above:
            y = top - g - height;
            break;
        case HintPlacement::Below:
            y = top + fh / 10 + targetRect.height();
            x = std::max(pageRect.right + fh / 3 - fh / 5 - width, pageRect.left + fh / 5);
            break;
    }
    if (!ui::setWindowPos(handle(), ui::HWND_TOP, x - pageRect.left, y - pageRect.top,
                          width - fh / 3, height, ui::SWP_NOACTIVATE)) {
        throw ShellException("Cannot set Hint Window position Exception");
    }
    ui::moveWindow(label.handle(), fh / 3, fh / 6, longest, label.GetTextHeight());
}

void cHintWindow::ShowHint(bool show) {
    shown = show;
    justChanged = true;
    platform::killTimer(handle(), kHintTimer);
    if (!show) {
        ui::showWindow(handle(), ui::SW_HIDE);
        return;
    }
    ui::showWindow(label.handle(), ui::SW_SHOW);
    ui::showWindow(handle(), ui::SW_SHOW);
    ui::updateWindow(handle());
}

MsgResult cHintWindow::OnTimer(std::uintptr_t id, std::intptr_t) {
    if (id != kHintTimer) {
        return 0;
    }
    platform::killTimer(handle(), kHintTimer);
    if (justChanged) {
        justChanged = false;
        return 0;
    }
    if (shown) {
        ui::showWindow(handle(), ui::SW_HIDE);
        return 0;
    }
    ShowHint(true);
    justChanged = false;
    platform::setTimer(handle(), kHintTimer, static_cast<std::uint32_t>(displayTime));
    return 0;
}

void cHintWindow::OnPaint() {
    ui::PaintContext paint(handle());
    paint.dc().fillRect(ui::getClientRect(handle()), kHintColor);
}

void cHintWindow::OnTap() {
    ShowHint(false);
}

const ui::MessageMapBase& cHintWindow::messageMap() const {
    static const auto map = ui::MessageMap<cHintWindow>(&WindowObject::messageMap())
                                .message(ui::WM_CREATE, &cHintWindow::OnCreate)
                                .message(ui::WM_TIMER, &cHintWindow::OnTimer)
                                .message(ui::WM_PAINT, &cHintWindow::OnPaint)
                                .message(ui::WM_LBUTTONDOWN, &cHintWindow::OnTap)
                                .message(WM_LABEL_TAPPED, &cHintWindow::OnTap);
    return map;
}

}  // namespace pelorvant
