#include "platform/controls/TabControl.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <vector>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;

constexpr int kTabPadding = 6;
// How much of the neighbouring tab stays in sight when the strip scrolls to the current tab, so
// that it can still be tapped.
constexpr int kNeighbourGlimpse = 24;

class TabControl : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<TabControl>(&Control::messageMap())
                                    .message(ui::WM_LBUTTONDOWN, &TabControl::onFingerDown)
                                    .message(ui::WM_LBUTTONDBLCLK, &TabControl::onFingerDown)
                                    .message(ui::WM_KEYDOWN, &TabControl::onKeyDown)
                                    .message(TCM_GETITEMCOUNT, &TabControl::onGetItemCount)
                                    .message(TCM_INSERTITEM, &TabControl::onInsertItem)
                                    .message(TCM_DELETEITEM, &TabControl::onDeleteItem)
                                    .message(TCM_DELETEALLITEMS, &TabControl::onDeleteAllItems)
                                    .message(TCM_GETITEM, &TabControl::onGetItem)
                                    .message(TCM_SETITEM, &TabControl::onSetItem)
                                    .message(TCM_GETITEMRECT, &TabControl::onGetItemRect)
                                    .message(TCM_GETCURSEL, &TabControl::onGetCurSel)
                                    .message(TCM_SETCURSEL, &TabControl::onSetCurSel);
        return map;
    }

private:
    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lp) {
        const Point p{ui::xOfLParam(lp), ui::yOfLParam(lp)};
        if (arrowsShown() && arrowRect(false).contains(p)) {
            scrollBy(false);
            return 0;
        }
        if (arrowsShown() && arrowRect(true).contains(p)) {
            scrollBy(true);
            return 0;
        }
        const int tab = tabAt(p);
        if (tab >= 0) {
            choose(tab);
        }
        return 0;
    }

    MsgResult onKeyDown(std::uintptr_t wp, std::intptr_t) {
        if (wp == ui::VK_LEFT && current_ > 0) {
            choose(current_ - 1);
        } else if (wp == ui::VK_RIGHT && current_ + 1 < count()) {
            choose(current_ + 1);
        }
        return 0;
    }

    MsgResult onGetItemCount(std::uintptr_t, std::intptr_t) { return count(); }

    MsgResult onInsertItem(std::uintptr_t wp, std::intptr_t lp) {
        const int at = static_cast<int>(static_cast<std::intptr_t>(wp));
        const auto* item = reinterpret_cast<const TabItem*>(lp);
        if (!item) {
            return -1;
        }
        const int pos = std::clamp(at, 0, count());
        items_.insert(items_.begin() + pos, *item);
        if (current_ >= pos) {
            ++current_;
        } else if (current_ < 0 && count() == 1) {
            current_ = 0;  // the first tab is selected
        }
        changed();
        return pos;
    }

    MsgResult onDeleteItem(std::uintptr_t wp, std::intptr_t) {
        const int at = static_cast<int>(static_cast<std::intptr_t>(wp));
        if (at < 0 || at >= count()) {
            return 0;
        }
        items_.erase(items_.begin() + at);
        if (current_ == at) {
            current_ = -1;
        } else if (current_ > at) {
            --current_;
        }
        changed();
        return 1;
    }

    MsgResult onDeleteAllItems(std::uintptr_t, std::intptr_t) {
        items_.clear();
        current_ = -1;
        changed();
        return 1;
    }

    MsgResult onGetItem(std::uintptr_t wp, std::intptr_t lp) {
        const int at = static_cast<int>(static_cast<std::intptr_t>(wp));
        auto* item = reinterpret_cast<TabItem*>(lp);
        if (!item || at < 0 || at >= count()) {
            return 0;
        }
        const TabItem& t = items_[static_cast<std::size_t>(at)];
        if (item->mask & TCIF_TEXT) {
            item->text = t.text;
        }
        if (item->mask & TCIF_PARAM) {
            item->lParam = t.lParam;
        }
        return 1;
    }

    MsgResult onSetItem(std::uintptr_t wp, std::intptr_t lp) {
        const int at = static_cast<int>(static_cast<std::intptr_t>(wp));
        const auto* item = reinterpret_cast<const TabItem*>(lp);
        if (!item || at < 0 || at >= count()) {
            return 0;
        }
        TabItem& t = items_[static_cast<std::size_t>(at)];
        if (item->mask & TCIF_TEXT) {
            t.text = item->text;
        }
        if (item->mask & TCIF_PARAM) {
            t.lParam = item->lParam;
        }
        changed();
        return 1;
    }

    MsgResult onGetItemRect(std::uintptr_t wp, std::intptr_t lp) {
        const int at = static_cast<int>(static_cast<std::intptr_t>(wp));
        auto* rect = reinterpret_cast<Rect*>(lp);
        if (!rect || at < 0 || at >= count()) {
            return 0;
        }
        *rect = tabRect(at);
        return 1;
    }

    MsgResult onGetCurSel(std::uintptr_t, std::intptr_t) { return current_; }

    MsgResult onSetCurSel(std::uintptr_t wp, std::intptr_t) {
        const int at = static_cast<int>(static_cast<std::intptr_t>(wp));
        const int old = current_;
        if (at < 0 || at >= count()) {
            return -1;
        }
        current_ = at;
        changed();
        return old;
    }

private:
    int count() const { return static_cast<int>(items_.size()); }
    bool bottom() const { return (ui::getStyle(handle()) & TCS_BOTTOM) != 0; }
    int stripHeight() const { return font().metrics().height + 8; }

    int tabWidth(int i) const {
        return font().measure(items_[static_cast<std::size_t>(i)].text).width + 2 * kTabPadding;
    }

    // Where tab i lies in the strip before it is scrolled.
    int stripLeft(int i) const {
        int x = 0;
        for (int k = 0; k < i; ++k) {
            x += tabWidth(k);
        }
        return x;
    }

    Rect tabRect(int i) const {
        const Rect c = ui::getClientRect(handle());
        const int top = bottom() ? c.bottom - stripHeight() : 0;
        const int x = stripLeft(i) - scroll_;
        return Rect{x, top, x + tabWidth(i), top + stripHeight()};
    }

    // The tabs or the current one changed: the strip follows the current tab and is drawn anew.
    void changed() {
        scrollToCurrent();
        ui::invalidateRect(handle());
    }

    int totalWidth() const { return count() > 0 ? stripLeft(count() - 1) + tabWidth(count() - 1) : 0; }
    // Tabs wider together than the control share the strip with two arrow buttons at its right
    // end, which scroll the row a tab at a time: every tab can be reached by a finger.
    bool arrowsShown() const { return totalWidth() > ui::getClientRect(handle()).right; }
    int arrowWidth() const { return stripHeight(); }
    // The part of the strip the tabs show in.
    int tabsWidth() const {
        const int width = ui::getClientRect(handle()).right;
        return arrowsShown() ? std::max(0, width - 2 * arrowWidth()) : width;
    }
    Rect arrowRect(bool right) const {
        const Rect c = ui::getClientRect(handle());
        const int top = bottom() ? c.bottom - stripHeight() : 0;
        const int left = c.right - (right ? 1 : 2) * arrowWidth();
        return Rect{left, top, left + arrowWidth(), top + stripHeight()};
    }
    int maxScroll() const { return std::max(0, totalWidth() - tabsWidth()); }

    // An arrow moves the row by one tab: the next tab's start comes to the left edge.
    void scrollBy(bool right) {
        int target = scroll_;
        if (right) {
            for (int i = 0; i < count() && target == scroll_; ++i) {
                if (stripLeft(i) > scroll_) target = stripLeft(i);
            }
        } else {
            for (int i = count() - 1; i >= 0 && target == scroll_; --i) {
                if (stripLeft(i) < scroll_) target = stripLeft(i);
            }
        }
        scroll_ = std::clamp(target, 0, maxScroll());
        ui::invalidateRect(handle());
    }

    // Tabs wider together than the control scroll when the current tab is not whole, so that it
    // is, with a glimpse of its neighbours; a strip that fits is not scrolled.
    void scrollToCurrent() {
        scrolledWidth_ = ui::getClientRect(handle()).right;
        const int width = tabsWidth();
        const int total = totalWidth();
        if (current_ < 0 || total <= ui::getClientRect(handle()).right) {
            scroll_ = 0;
            return;
        }
        const int left = stripLeft(current_);
        const int right = left + tabWidth(current_);
        const int before = current_ > 0 ? kNeighbourGlimpse : 0;
        const int after = current_ + 1 < count() ? kNeighbourGlimpse : 0;
        // A tab too wide to show whole with both glimpses shows its start; choosing its end
        // instead would make every other paint jump between the two.
        if (left < scroll_ || before + (right - left) + after > width) {
            scroll_ = left - before;
        } else if (right > scroll_ + width) {
            scroll_ = right + after - width;
        }
        scroll_ = std::clamp(scroll_, 0, total - width);
    }

    int tabAt(Point p) const {
        if (p.x >= tabsWidth()) return -1;
        for (int i = 0; i < count(); ++i) {
            if (tabRect(i).contains(p)) {
                return i;
            }
        }
        return -1;
    }

    void choose(int tab) {
        if (tab == current_) {
            return;
        }
        ui::NotifyHeader asking;
        if (detail::notifyParent(handle(), asking, TCN_SELCHANGING) != 0) {
            return;
        }
        current_ = tab;
        changed();
        ui::NotifyHeader done;
        detail::notifyParent(handle(), done, TCN_SELCHANGE);
    }

    void drawArrow(draw::DeviceContext& dc, bool right) const {
        const Rect r = arrowRect(right);
        dc.fillRect(r, kFaceColor);
        drawFrame(dc, r, kSecondaryTextColor);
        const bool enabled = right ? scroll_ < maxScroll() : scroll_ > 0;
        const draw::Color colour = enabled ? kTextColor : kSecondaryTextColor;
        // A triangle pointing the way the row moves, drawn a column at a time.
        const int half = std::max(2, r.height() / 4);
        const int cx = (r.left + r.right) / 2;
        const int cy = (r.top + r.bottom) / 2;
        for (int k = 0; k <= half; ++k) {
            const int x = right ? cx - half / 2 + k : cx + half / 2 - k;
            const int reach = half - k;
            dc.fillRect(Rect{x, cy - reach, x + 1, cy + reach + 1}, colour);
        }
    }

    void paint() override {
        // The control may have changed its width; an arrow's scrolling stays until then.
        if (ui::getClientRect(handle()).right != scrolledWidth_) scrollToCurrent();
        scroll_ = std::clamp(scroll_, 0, maxScroll());
        ui::PaintContext paint(handle());
        draw::DeviceContext& dc = paint.dc();
        const Rect c = ui::getClientRect(handle());
        dc.fillRect(c, kWindowColor);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        const int strip = stripHeight();
        const Rect stripRect =
            bottom() ? Rect{0, c.bottom - strip, c.right, c.bottom} : Rect{0, 0, c.right, strip};
        dc.fillRect(stripRect, kFaceColor);
        // The line between the pages and the tabs, broken by the current tab.
        const int lineY = bottom() ? stripRect.top : stripRect.bottom - 1;
        dc.fillRect(Rect{0, lineY, c.right, lineY + 1}, kSecondaryTextColor);
        for (int i = 0; i < count(); ++i) {
            const Rect r = tabRect(i);
            const bool current = i == current_;
            dc.fillRect(r, current ? kWindowColor : kFaceColor);
            drawFrame(dc, r, kSecondaryTextColor);
            if (current) {
                dc.fillRect(Rect{r.left + 1, lineY, r.right - 1, lineY + 1}, kWindowColor);
            }
            Rect text{r.left + kTabPadding, r.top, r.right, r.bottom};
            if (current && focused()) {
                const int w = dc.textExtent(items_[static_cast<std::size_t>(i)].text).width;
                dc.fillRect(Rect{text.left - 1, r.top + 3, text.left + w + 1, r.bottom - 3},
                            kSelectionColor);
                dc.setTextColor(kSelectionTextColor);
            } else {
                dc.setTextColor(kTextColor);
            }
            dc.drawText(items_[static_cast<std::size_t>(i)].text, text, draw::kTextVCenter);
        }
        if (arrowsShown()) {
            drawArrow(dc, false);
            drawArrow(dc, true);
        }
    }

    std::vector<TabItem> items_;
    int current_ = -1;
    int scroll_ = 0;  // pixels of the strip scrolled out on the left
    int scrolledWidth_ = -1;  // the control's width when the strip last followed the current tab
};

}  // namespace

WindowProc tabControlProc() {
    return detail::controlClassProc<TabControl>();
}

}  // namespace platform::controls
