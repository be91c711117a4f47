#include "app/shell/ScrollList.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ScrollBar.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

bool cScrollList::createList(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id,
                             bool visible) {
    return create(shellCreateParams(ui::WS_CHILD | (visible ? ui::WS_VISIBLE : 0u), rect, parent,
                                    id));
}

void cScrollList::ScrollTo(int position) {
    scrollPos = position;
    ui::invalidateRect(handle(), nullptr, false);
}

void cScrollList::ScrollLine(bool) {}

int cScrollList::ScrollBy(int pixels) {
    if (!scrollBarVisible()) {
        return 0;
    }
    const int target = std::clamp(scrollPos + pixels, 0, maxScrollPos());
    const int moved = target - scrollPos;
    if (moved != 0) {
        SetScrollPos(target);
    }
    return moved;
}

void cScrollList::SelectItem(int) {}

int cScrollList::scrollBarWidth() {
    const ShellSettings& s = shellSettings();
    return s.isNotSmartphone() ? s.scrollBarWidth() : s.scrollBarWidth() / 2;
}

bool cScrollList::scrollBarVisible() const {
    return scrollBar != platform::kNullWindow && (ui::getStyle(scrollBar) & ui::WS_VISIBLE);
}

int cScrollList::maxScrollPos() const {
    controls::ScrollInfo info;
    info.mask = controls::SIF_RANGE | controls::SIF_PAGE;
    if (!scrollBarVisible() || !controls::getScrollInfo(scrollBar, info)) {
        return 0;
    }
    return std::max(0, info.max - static_cast<int>(info.page));
}

MsgResult cScrollList::OnCreate(std::uintptr_t, std::intptr_t) {
    controls::registerControlClasses();
    ui::CreateParams p;
    p.className = std::string(controls::kScrollBarClass);
    p.style = ui::WS_CHILD | controls::SBS_VERT;
    p.rect = Rect::fromSize(20, 10, 150, 30);
    p.parent = handle();
    p.id = kScrollListBarId;
    scrollBar = ui::createWindow(p);
    scroller.createFor(handle());
    return 0;
}

void cScrollList::SetContentHeight(int height) {
    if (!scrollingOn) {
        return;
    }
    clientRect = ui::getClientRect(handle());
    contentHeight = height;
    scrollPos = 0;
    if (clientRect.height() >= height) {
        ui::showWindow(scrollBar, ui::SW_HIDE);
        return;
    }
    const int width = scrollBarWidth();
    ui::moveWindow(scrollBar, clientRect.right - width, 0, width, clientRect.height());
    clientRect.right -= width;
    controls::ScrollInfo info;
    info.mask = controls::SIF_RANGE | controls::SIF_PAGE | controls::SIF_POS |
                controls::SIF_DISABLENOSCROLL;
    info.min = 0;
    info.max = height - 2;
    info.page = static_cast<unsigned>(clientRect.height());
    info.pos = 0;
    controls::setScrollInfo(scrollBar, info, true);
    ui::showWindow(scrollBar, ui::SW_SHOW);
}

void cScrollList::SetScrollPos(int position) {
    controls::ScrollInfo info;
    info.mask = controls::SIF_RANGE | controls::SIF_PAGE;
    if (!controls::getScrollInfo(scrollBar, info)) {
        return;
    }
    if (position < info.min || position > info.max - static_cast<int>(info.page)) {
        return;
    }
    controls::ScrollInfo pos;
    pos.mask = controls::SIF_POS;
    pos.pos = position;
    controls::setScrollInfo(scrollBar, pos, true);
    ScrollTo(position);
}

MsgResult cScrollList::OnVScroll(std::uintptr_t wParam, std::intptr_t) {
    controls::ScrollInfo info;
    info.mask = controls::SIF_RANGE | controls::SIF_PAGE | controls::SIF_POS;
    if (!controls::getScrollInfo(scrollBar, info)) {
        return 0;
    }
    const int last = info.max - static_cast<int>(info.page);
    switch (ui::lowWord(wParam)) {
        case controls::SB_LINEUP:
        case controls::SB_PAGEUP:
            if (info.pos > info.min) {
                ScrollLine(true);
            }
            break;
        case controls::SB_LINEDOWN:
        case controls::SB_PAGEDOWN:
            if (info.pos < last) {
                ScrollLine(false);
            }
            break;
        case controls::SB_THUMBPOSITION:
        case controls::SB_THUMBTRACK: {
            const int thumb = static_cast<std::int16_t>(ui::highWord(wParam));
            if (thumb != info.pos) {
                controls::ScrollInfo pos;
                pos.mask = controls::SIF_POS;
                pos.pos = thumb;
                controls::setScrollInfo(scrollBar, pos, true);
                ScrollTo(std::clamp(thumb, 0, std::max(0, last)));
            }
            break;
        }
        default:
            break;
    }
    return 0;
}

MsgResult cScrollList::OnFingerDown(std::uintptr_t, std::intptr_t lParam) {
    if (scrollingOn) {
        fingerDown_ = true;
        scroller.press(ui::xOfLParam(lParam), ui::yOfLParam(lParam), handle());
    }
    return 0;
}

MsgResult cScrollList::OnFingerUp(std::uintptr_t, std::intptr_t lParam) {
    if (scrollingOn && fingerDown_) {
        fingerDown_ = false;
        scroller.release(ui::xOfLParam(lParam), ui::yOfLParam(lParam));
    }
    return 0;
}

MsgResult cScrollList::OnFingerMove(std::uintptr_t, std::intptr_t lParam) {
    if (scrollingOn && fingerDown_ && scroller.hasTarget()) {
        scroller.drag(ui::xOfLParam(lParam), ui::yOfLParam(lParam));
    }
    return 0;
}

MsgResult cScrollList::OnKineticScroll(std::uintptr_t wParam, std::intptr_t) {
    return ScrollBy(static_cast<int>(static_cast<std::intptr_t>(wParam)));
}

const ui::MessageMapBase& cScrollList::messageMap() const {
    static const auto map = ui::MessageMap<cScrollList>(&WindowObject::messageMap())
                                .message(ui::WM_CREATE, &cScrollList::OnCreate)
                                .message(ui::WM_VSCROLL, &cScrollList::OnVScroll)
                                .message(ui::WM_LBUTTONDOWN, &cScrollList::OnFingerDown)
                                .message(ui::WM_LBUTTONDBLCLK, &cScrollList::OnFingerDown)
                                .message(ui::WM_LBUTTONUP, &cScrollList::OnFingerUp)
                                .message(ui::WM_MOUSEMOVE, &cScrollList::OnFingerMove)
                                .message(WM_KINETIC_SCROLL, &cScrollList::OnKineticScroll);
    return map;
}

}  // namespace pelorvant
