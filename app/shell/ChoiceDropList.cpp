#include "app/shell/ChoiceDropList.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ChoiceBox.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

bool cChoiceDropList::createDropList(platform::WindowHandle box, const Rect& rect) {
    font = makeVerdana(shellSettings().fontHeight());
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, box, kChoiceDropListId));
}

void cChoiceDropList::setCurrent(int index) {
    current = index;
    mirrorText();
    ui::invalidateRect(handle());
}

void cChoiceDropList::mirrorText() {
    const bool valid = current >= 0 && current < static_cast<int>(items.size());
    ui::setWindowText(handle(), valid ? std::u16string_view(items[static_cast<std::size_t>(current)]) : u"");
}

void cChoiceDropList::changed() {
    mirrorText();
    ui::invalidateRect(handle());
    const platform::WindowHandle box = box_.handle();
    platform::sendMessage(ui::getParent(box), WM_CHOICE_CHANGED, ui::getDlgCtrlId(box), 0);
}

MsgResult cChoiceDropList::OnKeyDown(std::uintptr_t key, std::intptr_t) {
    arrowPressed = 0;
    const platform::WindowHandle page = ui::getParent(box_.handle());
    switch (key) {
        case ui::VK_LEFT:
            arrowPressed = 1;
            if (current > 0) {
                --current;
                changed();
            }
            break;
        case ui::VK_RIGHT:
            arrowPressed = 2;
            if (current < static_cast<int>(items.size()) - 1) {
                ++current;
                changed();
            }
            break;
        case ui::VK_UP:
        case ui::VK_TAB:
            platform::sendMessage(page, WM_MOVE_FOCUS, 1, box_.focusOrder);
            break;
        case ui::VK_DOWN:
            platform::sendMessage(page, WM_MOVE_FOCUS, 0, box_.focusOrder);
            break;
        case ui::VK_RETURN:
            if (box_.listOnEnter)
                box_.openFullList();
            break;
        default:
            break;
    }
    ui::invalidateRect(handle());
    return 0;
}

MsgResult cChoiceDropList::OnKeyUp(std::uintptr_t key, std::intptr_t) {
    if (key == ui::VK_LEFT || key == ui::VK_RIGHT) {
        arrowPressed = 0;
        ui::invalidateRect(handle());
    }
    return 0;
}

MsgResult cChoiceDropList::OnListChoiceDone(std::uintptr_t row, std::intptr_t) {
    ui::setFocus(handle());
    current = static_cast<int>(row);
    changed();
    return 0;
}

void cChoiceDropList::OnTap() {
    ui::setFocus(box_.handle());
}

void cChoiceDropList::OnSetFocus() {
    hasFocus = true;
    ui::invalidateRect(handle());
}

void cChoiceDropList::OnKillFocus() {
    hasFocus = false;
    ui::invalidateRect(handle());
}

void cChoiceDropList::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(client, kWhite);
    if (hasFocus || touchScreen())
        drawFrame(dc, client, 1);
    const int h = client.height();
    const int arrow = std::max(h / 3, 4);
    const Rect right{client.right - arrow - 2, 1, client.right - 1, h - 1};
    const Rect left{right.left - arrow - 1, 1, right.left - 1, h - 1};
    for (int side = 1; side <= 2; ++side) {
        const Rect& box = side == 1 ? left : right;
        const bool pressed = arrowPressed == side;
        if (pressed)
            dc.fillRect(box, kBlack);
        drawTriangle(dc, box, side == 1 ? TriangleDirection::Left : TriangleDirection::Right,
                     pressed ? kWhite : kBlack);
    }
    dc.selectFont(font.get());
    dc.setBkMode(platform::draw::BackgroundMode::Transparent);
    dc.setTextColor(kBlack);
    if (current >= 0 && current < static_cast<int>(items.size())) {
        const int textHeight = dc.textExtent(u"A").height;
        // The text stops short of the arrows.
        dc.intersectClip(Rect{client.left, client.top, left.left, client.bottom});
        dc.textOut(3, (h - textHeight) / 2, items[static_cast<std::size_t>(current)]);
    }
}

const ui::MessageMapBase& cChoiceDropList::messageMap() const {
    static const auto map = ui::MessageMap<cChoiceDropList>(&WindowObject::messageMap())
                                .message(ui::WM_KEYDOWN, &cChoiceDropList::OnKeyDown)
                                .message(ui::WM_KEYUP, &cChoiceDropList::OnKeyUp)
                                .message(WM_LIST_CHOICE_DONE, &cChoiceDropList::OnListChoiceDone)
                                .message(ui::WM_LBUTTONDOWN, &cChoiceDropList::OnTap)
                                .message(ui::WM_SETFOCUS, &cChoiceDropList::OnSetFocus)
                                .message(ui::WM_KILLFOCUS, &cChoiceDropList::OnKillFocus)
                                .message(ui::WM_PAINT, &cChoiceDropList::OnPaint);
    return map;
}

}  // namespace pelorvant
