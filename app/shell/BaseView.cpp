#include "app/shell/BaseView.h"

#include "app/shell/ShellWindowClass.h"

#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;

bool cBaseView::createView(WindowHandle parent, const Rect& rect, std::uintptr_t id,
                           bool visible) {
    return create(shellCreateParams(ui::WS_CHILD | (visible ? ui::WS_VISIBLE : 0u), rect, parent,
                                    id));
}

bool cBaseView::canFocus(int index) const {
    return index >= 0 && index < static_cast<int>(focusItems.size()) && focusItems[index] &&
           focusItems[index]->canTakeFocus;
}

int cBaseView::ResetFocus() {
    currentItem = -1;
    for (int i = 0; i < static_cast<int>(focusItems.size()); ++i) {
        if (canFocus(i)) {
            currentItem = i;
            break;
        }
    }
    return currentItem;
}

void cBaseView::ShowView(int showCommand) {
    ui::showWindow(handle(), showCommand);
}

void cBaseView::Layout(unsigned, int, int) {}

bool cBaseView::Refresh() {
    return true;
}

void cBaseView::OnViewActivate() {}

int cBaseView::nextEnabledItem(int index) const {
    for (int i = index + 1; i < static_cast<int>(focusItems.size()); ++i) {
        if (canFocus(i)) {
            return i;
        }
    }
    return index;
}

int cBaseView::previousEnabledItem(int index) const {
    for (int i = index - 1; i >= 0; --i) {
        if (canFocus(i)) {
            return i;
        }
    }
    return index;
}

void cBaseView::MoveFocus(bool backwards, int focusOrder) {
    if (focusOrder >= 0) {
        int found = -1;
        for (int i = 0; i < static_cast<int>(focusItems.size()); ++i) {
            if (focusItems[i] && focusItems[i]->focusOrder == focusOrder) {
                found = i;
                break;
            }
        }
        if (found < 0) {
            return;
        }
        currentItem = found;
    }
    currentItem = backwards ? previousEnabledItem(currentItem) : nextEnabledItem(currentItem);
    if (currentItem >= 0 && currentItem < static_cast<int>(focusWindows.size())) {
        ui::setFocus(focusWindows[currentItem]);
    }
}

void cBaseView::addFocusItem(LayoutAnchor& anchor, WindowHandle window) {
    focusItems.push_back(&anchor);
    focusWindows.push_back(window);
}

void cBaseView::OnPaint() {
    ui::PaintContext paint(handle());
}

MsgResult cBaseView::OnMoveFocus(std::uintptr_t wParam, std::intptr_t lParam) {
    MoveFocus(wParam == 1, static_cast<int>(lParam));
    return 0;
}

const ui::MessageMapBase& cBaseView::messageMap() const {
    static const auto map = ui::MessageMap<cBaseView>(&WindowObject::messageMap())
                                .message(ui::WM_PAINT, &cBaseView::OnPaint);
    return map;
}

}  // namespace pelorvant
