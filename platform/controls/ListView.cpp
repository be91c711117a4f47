#include "platform/controls/ListView.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListPainter.h"
#include "platform/controls/ScrollBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <string>
#include <vector>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;

constexpr std::uint32_t kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

struct Row {
    std::vector<std::u16string> texts;  // by column; missing ones are empty
    std::uint32_t state = 0;
    std::intptr_t lParam = 0;
};

class ListView : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map =
            ui::MessageMap<ListView>(&Control::messageMap())
                .message(ui::WM_CREATE, &ListView::onCreate)
                .message(ui::WM_SIZE, &ListView::onSize)
                .message(ui::WM_LBUTTONDOWN, &ListView::onFingerDown<ui::WM_LBUTTONDOWN>)
                .message(ui::WM_LBUTTONDBLCLK, &ListView::onFingerDown<ui::WM_LBUTTONDBLCLK>)
                .message(ui::WM_KEYDOWN, &ListView::onKeyDown)
                .message(ui::WM_VSCROLL, &ListView::onVScroll)
                .message(ui::WM_HSCROLL, &ListView::onHScroll)
                .message(LVM_GETITEMCOUNT, &ListView::onGetItemCount)
                .message(LVM_INSERTITEM, &ListView::onInsertItem)
                .message(LVM_DELETEITEM, &ListView::onDeleteItem)
                .message(LVM_DELETEALLITEMS, &ListView::onDeleteAllItems)
                .message(LVM_GETITEM, &ListView::onGetItem)
                .message(LVM_SETITEM, &ListView::onSetItem)
                .message(LVM_SETITEMTEXT, &ListView::onItemText<LVM_SETITEMTEXT>)
                .message(LVM_GETITEMTEXT, &ListView::onItemText<LVM_GETITEMTEXT>)
                .message(LVM_SETITEMSTATE, &ListView::onSetItemState)
                .message(LVM_GETITEMSTATE, &ListView::onGetItemState)
                .message(LVM_GETNEXTITEM, &ListView::onGetNextItem)
                .message(LVM_GETSELECTEDCOUNT, &ListView::onGetSelectedCount)
                .message(LVM_GETSELECTIONMARK, &ListView::onGetSelectionMark)
                .message(LVM_SETSELECTIONMARK, &ListView::onSetSelectionMark)
                .message(LVM_INSERTCOLUMN, &ListView::onInsertColumn)
                .message(LVM_DELETECOLUMN, &ListView::onDeleteColumn)
                .message(LVM_SETCOLUMNWIDTH, &ListView::onSetColumnWidth)
                .message(LVM_GETCOLUMNWIDTH, &ListView::onGetColumnWidth)
                .message(LVM_GETITEMRECT, &ListView::onGetItemRect)
                .message(LVM_HITTEST, &ListView::onHitTest)
                .message(LVM_ENSUREVISIBLE, &ListView::onEnsureVisible)
                .message(LVM_SCROLL, &ListView::onScroll)
                .message(LVM_GETTOPINDEX, &ListView::onGetTopIndex)
                .message(LVM_GETCOUNTPERPAGE, &ListView::onGetCountPerPage)
                .message(LVM_SETEXTENDEDLISTVIEWSTYLE, &ListView::onSetExtendedListViewStyle)
                .message(LVM_GETEXTENDEDLISTVIEWSTYLE, &ListView::onGetExtendedListViewStyle);
        return map;
    }

private:
    void fontChanged() override {
        widest_ = -1;
        layoutChanged();
    }
    MsgResult onCreate(std::uintptr_t, std::intptr_t) {
        measure();
        return 0;
    }

    MsgResult onSize(std::uintptr_t wp, std::intptr_t lp) {
        layoutChanged();
        return defaultProc(ui::WM_SIZE, wp, lp);
    }

    void focusChanged() override {
        ui::NotifyHeader header;
        detail::notifyParent(handle(), header, focused() ? NM_SETFOCUS : NM_KILLFOCUS);
    }

    template <std::uint32_t m>
    MsgResult onFingerDown(std::uintptr_t, std::intptr_t lp) {
        tap(Point{ui::xOfLParam(lp), ui::yOfLParam(lp)}, m == ui::WM_LBUTTONDBLCLK);
        return 0;
    }

    MsgResult onKeyDown(std::uintptr_t wp, std::intptr_t) {
        keyDown(static_cast<std::uint32_t>(wp));
        return 0;
    }

    MsgResult onVScroll(std::uintptr_t wp, std::intptr_t lp) {
        if (static_cast<WindowHandle>(lp) == bar_) {
            barScrolled(ui::lowWord(wp), static_cast<int>(ui::highWord(wp)));
        }
        return 0;
    }

    MsgResult onHScroll(std::uintptr_t wp, std::intptr_t lp) {
        if (static_cast<WindowHandle>(lp) == sideBar_) {
            sideBarScrolled(ui::lowWord(wp), static_cast<int>(ui::highWord(wp)));
        }
        return 0;
    }

private:
    MsgResult onGetItemCount(std::uintptr_t, std::intptr_t) { return count(); }

    MsgResult onInsertItem(std::uintptr_t, std::intptr_t lp) {
        const auto* item = reinterpret_cast<const ListItem*>(lp);
        return item ? insert(*item) : -1;
    }

    MsgResult onDeleteItem(std::uintptr_t wp, std::intptr_t) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        if (!valid(row)) {
            return 0;
        }
        rows_.erase(rows_.begin() + row);
        widest_ = -1;
        if (mark_ == row) {
            mark_ = -1;
        } else if (mark_ > row) {
            --mark_;
        }
        layoutChanged();
        return 1;
    }

    MsgResult onDeleteAllItems(std::uintptr_t, std::intptr_t) {
        rows_.clear();
        widest_ = -1;
        mark_ = -1;
        top_ = 0;
        layoutChanged();
        return 1;
    }

    MsgResult onGetItem(std::uintptr_t, std::intptr_t lp) {
        auto* item = reinterpret_cast<ListItem*>(lp);
        if (!item || !valid(item->item)) {
            return 0;
        }
        const Row& r = rows_[static_cast<std::size_t>(item->item)];
        if (item->mask & LVIF_TEXT) {
            item->text = textOf(r, item->subItem);
        }
        if (item->mask & LVIF_STATE) {
            item->state = r.state & item->stateMask;
        }
        if (item->mask & LVIF_PARAM) {
            item->lParam = r.lParam;
        }
        return 1;
    }

    MsgResult onSetItem(std::uintptr_t, std::intptr_t lp) {
        const WindowHandle h = handle();
        const auto* item = reinterpret_cast<const ListItem*>(lp);
        if (!item || !valid(item->item)) {
            return 0;
        }
        Row& r = rows_[static_cast<std::size_t>(item->item)];
        if (item->mask & LVIF_TEXT) {
            setText(r, item->subItem, item->text);
        }
        if (item->mask & LVIF_PARAM) {
            r.lParam = item->lParam;
        }
        if (item->mask & LVIF_STATE) {
            setStateByMessage(item->item, item->state, item->stateMask);
        }
        if (item->mask & LVIF_TEXT) {
            widest_ = -1;
            layoutChanged();
        }
        ui::invalidateRect(h);
        return 1;
    }

    template <std::uint32_t m>
    MsgResult onItemText(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        auto* item = reinterpret_cast<ListItem*>(lp);
        if (!item || !valid(row)) {
            return 0;
        }
        Row& r = rows_[static_cast<std::size_t>(row)];
        if (m == LVM_GETITEMTEXT) {
            item->text = textOf(r, item->subItem);
            return static_cast<MsgResult>(item->text.size());
        }
        setText(r, item->subItem, item->text);
        widest_ = -1;
        layoutChanged();
        ui::invalidateRect(h);
        return 1;
    }

    MsgResult onSetItemState(std::uintptr_t wp, std::intptr_t lp) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        const auto* item = reinterpret_cast<const ListItem*>(lp);
        if (!item) {
            return 0;
        }
        if (row == -1) {
            for (int i = 0; i < count(); ++i) {
                setStateByMessage(i, item->state, item->stateMask);
            }
            return 1;
        }
        return valid(row) ? (setStateByMessage(row, item->state, item->stateMask), 1) : 0;
    }

    MsgResult onGetItemState(std::uintptr_t wp, std::intptr_t lp) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        return valid(row) ? static_cast<MsgResult>(rows_[static_cast<std::size_t>(row)].state &
                                                   static_cast<std::uint32_t>(lp))
                          : 0;
    }

    MsgResult onGetNextItem(std::uintptr_t wp, std::intptr_t lp) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        return nextItem(row, static_cast<std::uint32_t>(lp));
    }

    MsgResult onGetSelectedCount(std::uintptr_t, std::intptr_t) {
        return std::count_if(rows_.begin(), rows_.end(),
                             [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; });
    }

    MsgResult onGetSelectionMark(std::uintptr_t, std::intptr_t) { return mark_; }

    MsgResult onSetSelectionMark(std::uintptr_t, std::intptr_t lp) {
        const int old = mark_;
        const int want = static_cast<int>(lp);
        mark_ = valid(want) ? want : -1;
        return old;
    }

    MsgResult onInsertColumn(std::uintptr_t wp, std::intptr_t lp) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        const auto* column = reinterpret_cast<const ListColumn*>(lp);
        if (!column) {
            return -1;
        }
        const int at = std::clamp(row, 0, static_cast<int>(columns_.size()));
        columns_.insert(columns_.begin() + at, *column);
        for (Row& r : rows_) {
            if (static_cast<int>(r.texts.size()) > at) {
                r.texts.insert(r.texts.begin() + at, std::u16string());
            }
        }
        layoutChanged();
        return at;
    }

    MsgResult onDeleteColumn(std::uintptr_t wp, std::intptr_t) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        if (row < 0 || row >= static_cast<int>(columns_.size())) {
            return 0;
        }
        columns_.erase(columns_.begin() + row);
        for (Row& r : rows_) {
            if (static_cast<int>(r.texts.size()) > row) {
                r.texts.erase(r.texts.begin() + row);
            }
        }
        layoutChanged();
        return 1;
    }

    MsgResult onSetColumnWidth(std::uintptr_t wp, std::intptr_t lp) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        if (row < 0 || row >= static_cast<int>(columns_.size())) {
            return 0;
        }
        columns_[static_cast<std::size_t>(row)].width = std::max(0, static_cast<int>(lp));
        layoutChanged();
        return 1;
    }

    MsgResult onGetColumnWidth(std::uintptr_t wp, std::intptr_t) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        return (row >= 0 && row < static_cast<int>(columns_.size()))
                   ? columns_[static_cast<std::size_t>(row)].width
                   : 0;
    }

    MsgResult onGetItemRect(std::uintptr_t wp, std::intptr_t lp) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        auto* rect = reinterpret_cast<Rect*>(lp);
        if (!rect || !valid(row)) {
            return 0;
        }
        *rect = rowRect(row);
        return 1;
    }

    MsgResult onHitTest(std::uintptr_t, std::intptr_t lp) {
        auto* test = reinterpret_cast<ListHitTest*>(lp);
        if (!test) {
            return -1;
        }
        hitTest(*test);
        return test->item;
    }

    MsgResult onEnsureVisible(std::uintptr_t wp, std::intptr_t) {
        const int row = static_cast<int>(static_cast<std::intptr_t>(wp));
        if (valid(row)) {
            ensureVisible(row);
        }
        return valid(row) ? 1 : 0;
    }

    MsgResult onScroll(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        setScrollX(scrollX_ + static_cast<int>(static_cast<std::intptr_t>(wp)), columnsWidth());
        if (lp != 0) {
            setTop(top_ + static_cast<int>(lp) / std::max(1, rowHeight()));
        }
        ui::invalidateRect(h);
        return 1;
    }

    MsgResult onGetTopIndex(std::uintptr_t, std::intptr_t) { return top_; }

    MsgResult onGetCountPerPage(std::uintptr_t, std::intptr_t) { return pageRows(); }

    MsgResult onSetExtendedListViewStyle(std::uintptr_t wp, std::intptr_t lp) {
        const WindowHandle h = handle();
        const std::uint32_t old = ext_;
        const auto mask = wp == 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(wp);
        ext_ = (ext_ & ~mask) | (static_cast<std::uint32_t>(lp) & mask);
        if ((ext_ & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES)) {
            for (Row& r : rows_) {
                if ((r.state & LVIS_STATEIMAGEMASK) == 0) {
                    r.state |= kStateUnchecked;
                }
            }
        }
        ui::invalidateRect(h);
        return old;
    }

    MsgResult onGetExtendedListViewStyle(std::uintptr_t, std::intptr_t) { return ext_; }

    int count() const { return static_cast<int>(rows_.size()); }
    bool valid(int row) const { return row >= 0 && row < count(); }
    bool checkBoxes() const { return (ext_ & LVS_EX_CHECKBOXES) != 0; }
    bool ownerDrawn() const { return (ui::getStyle(handle()) & LVS_OWNERDRAWFIXED) != 0; }
    int rowHeight() const {
        return (ownerDrawn() && measured_ > 0) ? measured_ : listRowHeight(font());
    }
    int headerHeight() const {
        return (ui::getStyle(handle()) & LVS_NOCOLUMNHEADER) ? 0 : listRowHeight(font());
    }
    int pageRows() const {
        const int h = ui::getClientRect(handle()).height() - headerHeight() -
                      (sideBarShown() ? ui::systemMetrics().scrollBarWidth : 0);
        return std::max(0, h / std::max(1, rowHeight()));
    }
    bool barShown() const { return bar_ != kNullWindow && ui::isWindowVisible(bar_); }
    bool sideBarShown() const { return sideBar_ != kNullWindow && ui::isWindowVisible(sideBar_); }
    int areaWidth() const {
        return ui::getClientRect(handle()).width() -
               (barShown() ? ui::systemMetrics().scrollBarWidth : 0);
    }
    int columnsWidth() const {
        int w = 0;
        for (const ListColumn& c : columns_) {
            w += c.width;
        }
        return w;
    }
    // How wide the rows' content is, for moving it sideways: the columns, but a list of one
    // column whose column is wider than its longest text (a column sized to the page) only
    // as wide as that text.
    int contentWidth() const {
        const int columns = columnsWidth();
        if (columns_.size() != 1 || ownerDrawn()) {
            return columns;
        }
        const int textLeft = checkBoxes() ? checkBoxSize() + 6 : kListTextInset;
        if (widest_ < 0) {
            widest_ = 0;
            for (const Row& r : rows_) {
                widest_ = std::max(widest_, font().measure(textOf(r, 0)).width);
            }
        }
        return std::min(columns, textLeft + widest_ + kListTextInset);
    }
    int checkBoxSize() const { return std::min(rowHeight() - 4, font().metrics().height); }

    static std::u16string textOf(const Row& r, int column) {
        return (column >= 0 && column < static_cast<int>(r.texts.size()))
                   ? r.texts[static_cast<std::size_t>(column)]
                   : std::u16string();
    }
    static void setText(Row& r, int column, const std::u16string& text) {
        if (column < 0 || column > 255) {
            return;
        }
        if (static_cast<int>(r.texts.size()) <= column) {
            r.texts.resize(static_cast<std::size_t>(column) + 1);
        }
        r.texts[static_cast<std::size_t>(column)] = text;
    }

    void measure() {
        if (!ownerDrawn()) {
            return;
        }
        MeasureItem mi;
        mi.ctlId = ui::getDlgCtrlId(handle());
        mi.itemHeight = listRowHeight(font());
        const WindowHandle parent = ui::getParent(handle());
        if (parent != kNullWindow) {
            sendMessage(parent, WM_MEASUREITEM, mi.ctlId, reinterpret_cast<std::intptr_t>(&mi));
        }
        measured_ = std::max(1, mi.itemHeight);
    }

    int insert(const ListItem& item) {
        const int at = std::clamp(item.item, 0, count());
        Row r;
        if (item.mask & LVIF_TEXT) {
            setText(r, 0, item.text);
        }
        if (item.mask & LVIF_STATE) {
            r.state = item.state & item.stateMask;
        }
        if (item.mask & LVIF_PARAM) {
            r.lParam = item.lParam;
        }
        if (checkBoxes() && (r.state & LVIS_STATEIMAGEMASK) == 0) {
            r.state |= kStateUnchecked;
        }
        if (widest_ >= 0) {
            widest_ = std::max(widest_, font().measure(textOf(r, 0)).width);
        }
        rows_.insert(rows_.begin() + at, std::move(r));
        if (mark_ >= at) {
            ++mark_;
        }
        layoutChanged();
        return at;
    }

    int nextItem(int start, std::uint32_t flags) const {
        std::uint32_t want = 0;
        if (flags & LVNI_FOCUSED) {
            want |= LVIS_FOCUSED;
        }
        if (flags & LVNI_SELECTED) {
            want |= LVIS_SELECTED;
        }
        for (int i = start < 0 ? 0 : start + 1; i < count(); ++i) {
            if ((rows_[static_cast<std::size_t>(i)].state & want) == want) {
                return i;
            }
        }
        return -1;
    }

    // Changes one row's state, asking the parent first; false when it refused.
    bool changeState(int row, std::uint32_t state, std::uint32_t mask, Point action = {}) {
        Row& r = rows_[static_cast<std::size_t>(row)];
        const std::uint32_t old = r.state;
        const std::uint32_t now = (old & ~mask) | (state & mask);
        if (now == old) {
            return true;
        }
        ListNotify n;
        n.item = row;
        n.newState = now;
        n.oldState = old;
        n.changed = LVIF_STATE;
        n.action = action;
        n.lParam = r.lParam;
        if (detail::notifyParent(handle(), n.header, LVN_ITEMCHANGING) != 0) {
            return false;
        }
        if (!valid(row)) {
            return false;  // the parent removed rows meanwhile
        }
        rows_[static_cast<std::size_t>(row)].state = now;
        ui::invalidateRect(handle());
        ListNotify done = n;
        done.header = ui::NotifyHeader{};
        detail::notifyParent(handle(), done.header, LVN_ITEMCHANGED);
        return true;
    }

    // A state set by a message: the focus belongs to one row at a time.
    void setStateByMessage(int row, std::uint32_t state, std::uint32_t mask) {
        if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) {
            for (int i = 0; i < count(); ++i) {
                if (i != row && (rows_[static_cast<std::size_t>(i)].state & LVIS_FOCUSED)) {
                    changeState(i, 0, LVIS_FOCUSED);
                }
            }
        }
        if (valid(row)) {
            changeState(row, state, mask);
        }
        if (valid(row) && (state & mask & LVIS_SELECTED)) {
            mark_ = row;
        }
    }

    // The user chose a row: the others lose selection and focus first.
    void select(int row, Point action = {}) {
        for (int i = 0; i < count(); ++i) {
            if (i != row && (rows_[static_cast<std::size_t>(i)].state & kSelectedAndFocused)) {
                changeState(i, 0, kSelectedAndFocused, action);
            }
        }
        if (valid(row) && changeState(row, kSelectedAndFocused, kSelectedAndFocused, action)) {
            mark_ = row;
            ensureVisible(row);
        }
    }

    void toggleCheck(int row, Point action = {}) {
        const bool checked =
            (rows_[static_cast<std::size_t>(row)].state & LVIS_STATEIMAGEMASK) == kStateChecked;
        changeState(row, checked ? kStateUnchecked : kStateChecked, LVIS_STATEIMAGEMASK, action);
    }

    Rect rowRect(int row) const {
        const int y = headerHeight() + (row - top_) * rowHeight();
        const bool full = (ext_ & LVS_EX_FULLROWSELECT) || columns_.empty();
        const int width = full ? std::max(areaWidth() + scrollX_, columnsWidth()) : columnsWidth();
        return Rect{-scrollX_, y, width - scrollX_, y + rowHeight()};
    }

    void hitTest(ListHitTest& test) const {
        test.item = -1;
        test.subItem = -1;
        test.onCheckBox = false;
        const Point p = test.pt;
        if (p.y < headerHeight() || p.x < 0 || p.x >= areaWidth()) {
            return;
        }
        const int row = top_ + (p.y - headerHeight()) / std::max(1, rowHeight());
        if (!valid(row) || row >= top_ + pageRows() + 1) {
            return;
        }
        test.item = row;
        const int x = p.x + scrollX_;
        int left = 0;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            if (x >= left && x < left + columns_[c].width) {
                test.subItem = static_cast<int>(c);
            }
            left += columns_[c].width;
        }
        if (checkBoxes()) {
            const int box = checkBoxSize();
            test.onCheckBox = x >= 0 && x < 2 + box + 2;
        }
    }

    void setTop(int top) {
        const int most = std::max(0, count() - pageRows());
        const int t = std::clamp(top, 0, most);
        if (t != top_) {
            top_ = t;
            ui::invalidateRect(handle());
        }
        if (bar_ != kNullWindow) {
            sendMessage(bar_, SBM_SETPOS, static_cast<std::uintptr_t>(top_), 1);
        }
    }

    void ensureVisible(int row) {
        const int page = std::max(1, pageRows());
        if (row < top_) {
            setTop(row);
        } else if (row >= top_ + page) {
            setTop(row - page + 1);
        }
    }

    // Rows, columns, size or font changed: the vertical bar shows when rows lie beyond the
    // page, the horizontal one when the content is wider than the rows' area.
    void layoutChanged() {
        const Rect c = ui::getClientRect(handle());
        const int barWidth = ui::systemMetrics().scrollBarWidth;
        const int content = contentWidth();
        const int rowsHeight = std::max(0, c.height() - headerHeight());
        const auto rowsIn = [&](int height) { return height / std::max(1, rowHeight()); };
        // Each bar takes room from the other's direction: decided until neither changes.
        bool needSide = false;
        bool need = false;
        for (int pass = 0; pass < 2; ++pass) {
            const int page = rowsIn(rowsHeight - (needSide ? barWidth : 0));
            need = count() > page && page > 0;
            needSide = content > c.width() - (need ? barWidth : 0);
        }
        showBar(bar_, need, SBS_VERT, kListScrollBarId,
                Rect{c.right - barWidth, headerHeight(), c.right,
                     c.bottom - (needSide ? barWidth : 0)});
        showBar(sideBar_, needSide, SBS_HORZ, kListSideBarId,
                Rect{0, c.bottom - barWidth, c.right - (need ? barWidth : 0), c.bottom});
        const int page = pageRows();
        if (need) {
            ScrollInfo info;
            info.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.min = 0;
            info.max = count() - 1;
            info.page = static_cast<unsigned>(page);
            info.pos = top_;
            setScrollInfo(bar_, info);
        }
        setTop(need ? top_ : 0);
        setScrollX(scrollX_, contentWidth());
        ui::invalidateRect(handle());
    }

    void showBar(WindowHandle& bar, bool shown, std::uint32_t style, std::uintptr_t id,
                 const Rect& r) {
        if (shown && bar == kNullWindow) {
            ui::CreateParams p;
            p.className = std::string(kScrollBarClass);
            p.style = ui::WS_CHILD | style;
            p.parent = handle();
            p.id = id;
            bar = ui::createWindow(p);
        }
        if (bar == kNullWindow) {
            return;
        }
        if (shown) {
            ui::moveWindow(bar, r.left, r.top, r.width(), r.height());
        }
        ui::showWindow(bar, shown ? ui::SW_SHOW : ui::SW_HIDE);
    }

    // Moves the content sideways, within what of `width` lies beyond the rows' area: the
    // horizontal bar and the keys move within the content, LVM_SCROLL within the columns.
    void setScrollX(int x, int width) {
        const int most = std::max(0, width - areaWidth());
        const int clamped = std::clamp(x, 0, most);
        if (clamped != scrollX_) {
            scrollX_ = clamped;
            ui::invalidateRect(handle());
        }
        if (sideBarShown()) {
            ScrollInfo info;
            info.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.min = 0;
            info.max = std::max(0, contentWidth() - 1);
            info.page = static_cast<unsigned>(std::max(1, areaWidth()));
            info.pos = scrollX_;
            setScrollInfo(sideBar_, info);
        }
    }

    // One step sideways: a few characters of the list's font.
    int sideStep() const { return std::max(1, font().metrics().height * 2); }

    void sideBarScrolled(unsigned code, int thumb) {
        switch (code) {
            case SB_LINEUP:
                setScrollX(scrollX_ - sideStep(), contentWidth());
                break;
            case SB_LINEDOWN:
                setScrollX(scrollX_ + sideStep(), contentWidth());
                break;
            case SB_PAGEUP:
                setScrollX(scrollX_ - areaWidth(), contentWidth());
                break;
            case SB_PAGEDOWN:
                setScrollX(scrollX_ + areaWidth(), contentWidth());
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION:
                setScrollX(thumb, contentWidth());
                break;
            default:
                break;
        }
    }

    void barScrolled(unsigned code, int thumb) {
        const int page = std::max(1, pageRows());
        switch (code) {
            case SB_LINEUP:
                setTop(top_ - 1);
                break;
            case SB_LINEDOWN:
                setTop(top_ + 1);
                break;
            case SB_PAGEUP:
                setTop(top_ - page);
                break;
            case SB_PAGEDOWN:
                setTop(top_ + page);
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION:
                setTop(thumb);
                break;
            default:
                break;
        }
    }

    void tap(Point p, bool doubleTap) {
        if (ui::getFocus() != handle()) {
            ui::setFocus(handle());
        }
        ListHitTest test;
        test.pt = p;
        hitTest(test);
        if (test.item >= 0) {
            if (test.onCheckBox) {
                toggleCheck(test.item, p);
            } else {
                select(test.item, p);
            }
        }
        ListNotify n;
        n.item = test.item;
        n.subItem = std::max(0, test.subItem);
        n.action = p;
        detail::notifyParent(handle(), n.header, doubleTap ? NM_DBLCLK : NM_CLICK);
    }

    void keyDown(std::uint32_t vk) {
        ListKeyNotify k;
        k.vk = vk;
        detail::notifyParent(handle(), k.header, LVN_KEYDOWN);
        const int focusRow = nextItem(-1, LVNI_FOCUSED);
        const int at = focusRow >= 0 ? focusRow : mark_;
        switch (vk) {
            case ui::VK_DOWN:
                if (count() > 0) {
                    select(std::min(at + 1, count() - 1));
                }
                break;
            case ui::VK_UP:
                if (count() > 0) {
                    select(std::max(at - 1, 0));
                }
                break;
            case ui::VK_LEFT:
            case ui::VK_RIGHT:
                // Text beyond the right edge is reached with the keys too, on a keypad phone.
                if (sideBarShown()) {
                    setScrollX(scrollX_ + (vk == ui::VK_RIGHT ? sideStep() : -sideStep()),
                               contentWidth());
                }
                break;
            case ui::VK_SPACE:
                if (checkBoxes() && valid(at)) {
                    toggleCheck(at);
                }
                break;
            case ui::VK_RETURN: {
                ui::NotifyHeader header;
                detail::notifyParent(handle(), header, NM_RETURN);
                break;
            }
            default:
                break;
        }
    }

    void paint() override {
        ui::PaintContext paint(handle());
        draw::DeviceContext& dc = paint.dc();
        const Rect client = ui::getClientRect(handle());
        const int area = areaWidth();
        dc.fillRect(client, kWindowColor);
        dc.selectFont(&font());
        dc.setBkMode(draw::BackgroundMode::Transparent);
        const int hh = headerHeight();
        if (hh > 0) {
            dc.fillRect(Rect{0, 0, area, hh}, kFaceColor);
            int x = -scrollX_;
            for (const ListColumn& c : columns_) {
                dc.setTextColor(kTextColor);
                dc.drawText(c.text, Rect{x + kListTextInset, 0, x + c.width, hh},
                            draw::kTextVCenter);
                dc.fillRect(Rect{x + c.width - 1, 0, x + c.width, hh}, kSecondaryTextColor);
                x += c.width;
            }
            dc.fillRect(Rect{0, hh - 1, area, hh}, kSecondaryTextColor);
        }
        const bool showSelection =
            focused() || (ui::getStyle(handle()) & LVS_SHOWSELALWAYS) || ownerDrawn();
        const int rh = rowHeight();
        for (int i = top_; i < count(); ++i) {
            const Rect r = rowRect(i);
            if (r.top >= client.bottom) {
                break;
            }
            const Row& row = rows_[static_cast<std::size_t>(i)];
            const bool selected = showSelection && (row.state & LVIS_SELECTED);
            if (ownerDrawn()) {
                DrawItem di;
                di.ctlId = ui::getDlgCtrlId(handle());
                di.itemId = i;
                di.itemState = ((row.state & LVIS_SELECTED) ? ODS_SELECTED : 0) |
                               ((focused() && (row.state & LVIS_FOCUSED)) ? ODS_FOCUS : 0);
                di.window = handle();
                di.dc = &dc;
                di.rcItem = Rect{r.left, r.top, std::max(r.right, area), r.bottom};
                di.itemData = row.lParam;
                sendMessage(ui::getParent(handle()), WM_DRAWITEM, di.ctlId,
                            reinterpret_cast<std::intptr_t>(&di));
                continue;
            }
            int textLeft = r.left + kListTextInset;
            if (checkBoxes()) {
                const int box = checkBoxSize();
                const int top = r.top + (rh - box) / 2;
                const Rect mark{r.left + 2, top, r.left + 2 + box, top + box};
                dc.fillRect(mark, kWindowColor);
                drawFrame(dc, mark, kFrameColor);
                if ((row.state & LVIS_STATEIMAGEMASK) == kStateChecked) {
                    const int inset = std::max(2, box / 4);
                    dc.fillRect(Rect{mark.left + inset, mark.top + inset, mark.right - inset,
                                     mark.bottom - inset},
                                kSelectionColor);
                }
                textLeft = mark.right + 4;
            }
            if (selected) {
                const bool full = (ext_ & LVS_EX_FULLROWSELECT) || columns_.empty();
                const int right =
                    full ? std::max(r.right, area)
                         : std::min(r.left + (columns_.empty() ? 0 : columns_[0].width),
                                    textLeft + dc.textExtent(textOf(row, 0)).width + 2);
                beginListRow(dc, Rect{textLeft - 1, r.top, right, r.bottom}, true);
            } else {
                beginListRow(dc, r, false);
            }
            int x = r.left;
            const std::size_t shown = std::max<std::size_t>(columns_.size(), 1);
            for (std::size_t c = 0; c < shown; ++c) {
                const int width = columns_.empty() ? area + scrollX_ : columns_[c].width;
                const int left = c == 0 ? textLeft : x + kListTextInset;
                drawListRowText(dc, textOf(row, static_cast<int>(c)),
                                Rect{left, r.top, x + width, r.bottom});
                x += width;
            }
        }
    }

    WindowHandle bar_ = kNullWindow;
    WindowHandle sideBar_ = kNullWindow;
    // The width of the widest first-column text, measured when asked after a change; -1 when
    // not known. An inserted row only widens a known width.
    mutable int widest_ = -1;
    std::vector<ListColumn> columns_;
    std::vector<Row> rows_;
    std::uint32_t ext_ = 0;
    int top_ = 0;
    int scrollX_ = 0;
    int mark_ = -1;
    int measured_ = 0;
};

}  // namespace

WindowProc listViewProc() {
    return detail::controlClassProc<ListView>();
}

}  // namespace platform::controls
