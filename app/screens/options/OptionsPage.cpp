#include "app/screens/options/OptionsPage.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ScrollBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

bool cOptionsPage::createPage(WindowHandle form, const HelpTarget& help) {
    help_ = help;
    return createView(form, Rect{0, 0, 0, 0}, kOptionsPageId);
}

MsgResult cOptionsPage::OnCreate(std::uintptr_t, std::intptr_t) {
    ui::CreateParams p;
    p.className = std::string(controls::kScrollBarClass);
    p.style = ui::WS_CHILD | controls::SBS_VERT;
    p.rect = Rect{20, 10, 150, 30};
    p.parent = handle();
    p.id = kOptionsScrollBarId;
    scrollBar_ = ui::createWindow(p);
    return 0;
}

bool cOptionsPage::scrollBarShown() const {
    return scrollBar_ != platform::kNullWindow && (ui::getStyle(scrollBar_) & ui::WS_VISIBLE) != 0;
}

int cOptionsPage::usableWidth() const {
    const int width = ui::getClientRect(handle()).width();
    return scrollBarShown() ? width - shellSettings().scrollBarWidth() : width;
}

int cOptionsPage::maxOffset() const {
    const int visible = ui::getClientRect(handle()).height();
    return std::max(0, contentHeight_ - visible);
}

void cOptionsPage::SetContentHeight(int h) {
    contentHeight_ = h;
    offset_ = 0;
    const Rect client = ui::getClientRect(handle());
    if (client.height() >= h) {
        ui::showWindow(scrollBar_, ui::SW_HIDE);
        return;
    }
    const int barWidth = shellSettings().scrollBarWidth();
    ui::moveWindow(scrollBar_, client.width() - barWidth, 0, barWidth, client.height());
    controls::ScrollInfo info;
    info.mask = controls::SIF_RANGE | controls::SIF_PAGE | controls::SIF_POS |
                controls::SIF_DISABLENOSCROLL;
    info.min = 0;
    info.max = h;
    info.page = static_cast<unsigned>(client.height());
    info.pos = 0;
    controls::setScrollInfo(scrollBar_, info, true);
    ui::showWindow(scrollBar_, ui::SW_SHOW);
}

void cOptionsPage::ScrollTo(int offset) {
    offset_ = std::clamp(offset, 0, maxOffset());
    UpdateScrollLayout();
    if (scrollBarShown()) {
        platform::sendMessage(scrollBar_, controls::SBM_SETPOS,
                              static_cast<std::uintptr_t>(offset_), 1);
    }
    ui::invalidateRect(handle());
}

int cOptionsPage::ResetFocus() {
    const int item = cBaseView::ResetFocus();
    if (offset_ != 0)
        ScrollTo(0);
    return item;
}

void cOptionsPage::EnsureFocusVisible(bool previous, int focusOrder) {
    MoveFocus(previous, focusOrder);
    if (currentItem < 0 || currentItem >= static_cast<int>(focusItems.size()))
        return;
    const LayoutAnchor& anchor = *focusItems[static_cast<std::size_t>(currentItem)];
    const int fh = shellSettings().fontHeight();
    const int visible = ui::getClientRect(handle()).height();
    int offset = offset_;
    if (previous) {
        const LayoutAnchor* caption = anchor.portraitReference;
        const int top = caption != nullptr ? caption->computed.top : anchor.computed.top;
        if (top < offset)
            offset = top;
    } else {
        const int bottom = anchor.computed.bottom + 2 * fh;
        if (bottom > offset + visible)
            offset = std::min(bottom + 2 * fh - visible, maxOffset());
    }
    if (offset != offset_)
        ScrollTo(offset);
}

MsgResult cOptionsPage::OnMoveFocusScrolling(std::uintptr_t wParam, std::intptr_t lParam) {
    EnsureFocusVisible(wParam == 1, static_cast<int>(lParam));
    return 0;
}

MsgResult cOptionsPage::OnVScroll(std::uintptr_t wParam, std::intptr_t) {
    const unsigned code = static_cast<unsigned>(wParam & 0xFFFF);
    const int thumb = static_cast<int>(wParam >> 16);
    switch (code) {
        case controls::SB_LINEUP:
        case controls::SB_PAGEUP:
            EnsureFocusVisible(true, -1);
            break;
        case controls::SB_LINEDOWN:
        case controls::SB_PAGEDOWN:
            EnsureFocusVisible(false, -1);
            break;
        case controls::SB_THUMBPOSITION:
        case controls::SB_THUMBTRACK:
            if (thumb != offset_)
                ScrollTo(thumb);
            break;
        default:
            break;
    }
    return 0;
}

void cOptionsPage::showHelp(std::u16string_view text, WindowHandle focusOnReturn) const {
    if (help_.view == nullptr)
        return;
    help_.view->showTextReturnTo(text, help_.ownerViewId, help_.returnMenu, focusOnReturn, false);
}

const ui::MessageMapBase& cOptionsPage::messageMap() const {
    static const auto map = ui::MessageMap<cOptionsPage>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cOptionsPage::OnCreate)
                                .message(ui::WM_VSCROLL, &cOptionsPage::OnVScroll)
                                .message(WM_MOVE_FOCUS, &cOptionsPage::OnMoveFocusScrolling);
    return map;
}

}  // namespace pelorvant
