// The report list view: selection, check boxes, keys, double taps, scrolling and owner-drawn
// rows, as the option pages and pick lists use it.

#include "ControlHost.h"

#include "platform/controls/ControlStyle.h"
#include "platform/controls/ListView.h"
#include "platform/controls/ScrollBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"

#include <gtest/gtest.h>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;
using testing::ControlHost;
using Seen = std::vector<std::string>;

// Synthetic text: rows are 21 pixels high. The list lies at (10, 10) with a border, so its
// client area starts at (11, 11) and is 218 × 106: five whole rows.
constexpr int kRow = 21;
constexpr int kLeft = 11;
constexpr int kTop = 11;

std::string stateText(std::uint32_t s) {
    std::string out;
    out += (s & LVIS_SELECTED) ? "S" : "-";
    out += (s & LVIS_FOCUSED) ? "F" : "-";
    out += (s & LVIS_STATEIMAGEMASK) == kStateChecked     ? "x"
           : (s & LVIS_STATEIMAGEMASK) == kStateUnchecked ? "o"
                                                          : "";
    return out;
}

class ListViewTest : public ::testing::Test {
protected:
    ListViewTest()
        : host({{LVN_ITEMCHANGING, "CHANGING"},
                {LVN_ITEMCHANGED, "CHANGED"},
                {NM_CLICK, "CLICK"},
                {NM_DBLCLK, "DBLCLK"},
                {NM_RETURN, "RETURN"},
                {NM_SETFOCUS, "SETFOCUS"},
                {NM_KILLFOCUS, "KILLFOCUS"},
                {LVN_KEYDOWN, "KEYDOWN"}}) {
        host.onNotify([this](const ui::NotifyHeader& h) -> MsgResult {
            if (h.code == LVN_ITEMCHANGED) {
                const auto& n = reinterpret_cast<const ListNotify&>(h);
                changes.push_back(std::to_string(n.item) + ":" + stateText(n.oldState) + ">" +
                                  stateText(n.newState));
            }
            if (h.code == NM_DBLCLK || h.code == NM_CLICK) {
                clickedRows.push_back(reinterpret_cast<const ListNotify&>(h).item);
            }
            return h.code == LVN_ITEMCHANGING && refuse ? 1 : 0;
        });
    }

    void make(int rows, std::uint32_t style = LVS_NOCOLUMNHEADER,
              std::uint32_t ext = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT) {
        list = host.add(kListViewClass, u"", ui::WS_BORDER | LVS_REPORT | style,
                        Rect{10, 10, 230, 118}, 2034);
        sendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ext);
        ListColumn column{u"rad", 150};
        sendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<std::intptr_t>(&column));
        for (int i = 0; i < rows; ++i) {
            ListItem item;
            item.mask = LVIF_TEXT;
            item.item = i;
            item.text = u"Řádek " + std::u16string(1, static_cast<char16_t>(u'0' + i));
            sendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<std::intptr_t>(&item));
        }
        host.seen().clear();
    }
    Point rowPoint(int visibleRow, int x = 80) const {
        return Point{kLeft + x, kTop + visibleRow * kRow + kRow / 2};
    }
    MsgResult mark() const { return sendMessage(list, LVM_GETSELECTIONMARK); }
    MsgResult top() const { return sendMessage(list, LVM_GETTOPINDEX); }
    bool checked(int row) const {
        return sendMessage(list, LVM_GETITEMSTATE, static_cast<std::uintptr_t>(row),
                           LVIS_STATEIMAGEMASK) == kStateChecked;
    }

    testkit::UiTestKit kit;
    ControlHost host;
    WindowHandle list = kNullWindow;
    std::vector<std::string> changes;
    std::vector<int> clickedRows;
    bool refuse = false;
};

TEST_F(ListViewTest, TapSelectsTheRowAfterTheOldOneLetGo) {
    make(4);
    kit.tap(rowPoint(1));
    EXPECT_EQ(host.seen(), (Seen{"notify:2034:SETFOCUS", "notify:2034:CHANGING",
                                 "notify:2034:CHANGED", "notify:2034:CLICK"}));
    kit.tap(rowPoint(3));
    EXPECT_EQ(changes, (Seen{"1:--o>SFo", "1:SFo>--o", "3:--o>SFo"}));
    EXPECT_EQ(mark(), 3);
    EXPECT_EQ(sendMessage(list, LVM_GETNEXTITEM, static_cast<std::uintptr_t>(-1), LVNI_SELECTED),
              3);
    EXPECT_EQ(sendMessage(list, LVM_GETSELECTEDCOUNT), 1);
    kit.tap(rowPoint(4));  // below the last row: nothing chosen, the click says so
    EXPECT_EQ(mark(), 3);
    EXPECT_EQ(clickedRows, (std::vector<int>{1, 3, -1}));
}

TEST_F(ListViewTest, ParentCanRefuseAChange) {
    make(4);
    refuse = true;
    kit.tap(rowPoint(2));
    EXPECT_EQ(sendMessage(list, LVM_GETITEMSTATE, 2, LVIS_SELECTED), 0);
    EXPECT_EQ(mark(), -1);
    EXPECT_TRUE(changes.empty());
}

TEST_F(ListViewTest, CheckBoxTapAndSpaceToggleTheCheckOnly) {
    make(4);
    kit.tap(rowPoint(0));
    changes.clear();
    kit.tap(rowPoint(2, 5));  // on the check box of row 2
    EXPECT_TRUE(checked(2));
    EXPECT_EQ(mark(), 0);   // the selection stays
    kit.key(ui::VK_SPACE);  // toggles the focused row, 0
    EXPECT_TRUE(checked(0));
    kit.key(ui::VK_SPACE);
    EXPECT_FALSE(checked(0));
    EXPECT_EQ(changes, (Seen{"2:--o>--x", "0:SFo>SFx", "0:SFx>SFo"}));
    EXPECT_EQ(kit.screenshot().pixel(kLeft + 8, kTop + 2 * kRow + 8), kSelectionColor);
}

TEST_F(ListViewTest, ArrowKeysMoveTheSelectionAndScrollIt) {
    make(10);
    ui::setFocus(list);
    host.seen().clear();
    kit.key(ui::VK_DOWN);  // no focused row yet: the first row
    EXPECT_EQ(mark(), 0);
    EXPECT_EQ(host.seen().front(), "notify:2034:KEYDOWN");
    for (int i = 0; i < 5; ++i) {
        kit.key(ui::VK_DOWN);
    }
    EXPECT_EQ(mark(), 5);
    EXPECT_EQ(top(), 1);  // five rows fit: row 5 is the last visible one
    for (int i = 0; i < 8; ++i) {
        kit.key(ui::VK_UP);
    }
    EXPECT_EQ(mark(), 0);
    EXPECT_EQ(top(), 0);
    host.seen().clear();
    kit.key(ui::VK_RETURN);
    EXPECT_EQ(host.seen(), (Seen{"notify:2034:KEYDOWN", "notify:2034:RETURN"}));
}

TEST_F(ListViewTest, DoubleTapOnARowSendsDoubleClickWithTheRow) {
    make(4);
    kit.tap(rowPoint(2));
    kit.advance(100);
    kit.tap(rowPoint(2));
    EXPECT_EQ(clickedRows, (std::vector<int>{2, 2}));
    EXPECT_EQ(host.seen().back(), "notify:2034:DBLCLK");
}

TEST_F(ListViewTest, ScrollBarShowsWhenRowsOverflowAndScrollsTheRows) {
    make(4);
    EXPECT_EQ(kit.find("scrollbar", kListScrollBarId) == kNullWindow ||
                  !ui::isWindowVisible(kit.find("scrollbar", kListScrollBarId)),
              true);
    make(10);
    const WindowHandle bar = kit.find("scrollbar", kListScrollBarId);
    ASSERT_NE(bar, kNullWindow);
    EXPECT_TRUE(ui::isWindowVisible(bar));
    EXPECT_EQ(sendMessage(list, LVM_ENSUREVISIBLE, 9, 0), 1);
    EXPECT_EQ(top(), 5);
    EXPECT_EQ(sendMessage(bar, SBM_GETPOS), 5);
    const Rect b = ui::getWindowRect(bar);
    kit.tap(Point{b.left + 3, b.top + 3});  // the up arrow
    EXPECT_EQ(top(), 4);
    // A tap on the now first visible row picks row 4.
    kit.tap(rowPoint(0));
    EXPECT_EQ(mark(), 4);
    sendMessage(list, LVM_DELETEALLITEMS);
    EXPECT_EQ(top(), 0);
    EXPECT_FALSE(ui::isWindowVisible(bar));
}

TEST_F(ListViewTest, ColumnsScrollSidewaysWithinTheirWidth) {
    make(3);
    sendMessage(list, LVM_SETCOLUMNWIDTH, 0, 400);
    EXPECT_EQ(sendMessage(list, LVM_GETCOLUMNWIDTH, 0), 400);
    Rect r;
    sendMessage(list, LVM_SCROLL, 50, 0);
    sendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<std::intptr_t>(&r));
    EXPECT_EQ(r.left, -50);
    sendMessage(list, LVM_SCROLL, 1000, 0);
    sendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<std::intptr_t>(&r));
    EXPECT_EQ(r.left, -(400 - 218));
    sendMessage(list, LVM_SCROLL, static_cast<std::uintptr_t>(-5000), 0);
    sendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<std::intptr_t>(&r));
    EXPECT_EQ(r.left, 0);
}

// A column wider than the list shows a horizontal bar only when some text runs past the edge;
// the bar and the Left and Right keys then move the rows sideways, no further than the text.
TEST_F(ListViewTest, TextPastTheEdgeIsReachedSidewaysByTheBarAndTheKeys) {
    make(3);
    sendMessage(list, LVM_SETCOLUMNWIDTH, 0, 400);
    const auto sideBar = [&] { return ui::getDlgItem(list, kListSideBarId); };
    const auto rowLeft = [&] {
        Rect r;
        sendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<std::intptr_t>(&r));
        return r.left;
    };
    EXPECT_TRUE(sideBar() == kNullWindow || !ui::isWindowVisible(sideBar()));
    ListItem item;
    item.mask = LVIF_TEXT;
    item.text = std::u16string(40, u'M');  // far wider than the 218 pixels of the list
    sendMessage(list, LVM_SETITEMTEXT, 1, reinterpret_cast<std::intptr_t>(&item));
    ASSERT_NE(sideBar(), kNullWindow);
    EXPECT_TRUE(ui::isWindowVisible(sideBar()));
    EXPECT_EQ(ui::getWindowRect(sideBar()).bottom, 10 + 118 - 10 - 1);
    ui::setFocus(list);
    kit.key(ui::VK_RIGHT);
    const int step = -rowLeft();
    EXPECT_GT(step, 0);
    kit.key(ui::VK_LEFT);
    EXPECT_EQ(rowLeft(), 0);
    for (int i = 0; i < 100; ++i) {
        kit.key(ui::VK_RIGHT);
    }
    const int widest = -rowLeft();
    EXPECT_GT(widest, step);
    EXPECT_LT(widest, 400 - 218);  // the end of the text, not of the column
    // The text shortened again: the bar goes and the rows come back to the left edge.
    item.text = u"Řádek 1";
    sendMessage(list, LVM_SETITEMTEXT, 1, reinterpret_cast<std::intptr_t>(&item));
    EXPECT_FALSE(ui::isWindowVisible(sideBar()));
    EXPECT_EQ(rowLeft(), 0);
}

TEST_F(ListViewTest, HeaderTakesARowAndFullRowSelectionFillsTheRow) {
    struct Case {
        std::uint32_t style;
        std::uint32_t ext;
        int firstRowTop;
        bool fullRow;
    };
    const Case cases[] = {{LVS_NOCOLUMNHEADER, LVS_EX_FULLROWSELECT, kTop, true},
                          {0, LVS_EX_FULLROWSELECT, kTop + kRow, true},
                          {LVS_NOCOLUMNHEADER, 0, kTop, false}};
    for (const Case& c : cases) {
        if (list != kNullWindow) {
            ui::destroyWindow(list);
        }
        make(3, c.style, c.ext);
        ui::setFocus(list);
        ListItem state;
        state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        sendMessage(list, LVM_SETITEMSTATE, 0, reinterpret_cast<std::intptr_t>(&state));
        const draw::Bitmap& shot = kit.screenshot();
        EXPECT_EQ(shot.pixel(kLeft + 200, c.firstRowTop + 8),
                  c.fullRow ? kSelectionColor : kWindowColor)
            << c.style;
        EXPECT_EQ(shot.pixel(kLeft + 200, c.firstRowTop - 3),
                  c.firstRowTop > kTop ? kFaceColor : kWindowColor)
            << c.style;
    }
}

TEST_F(ListViewTest, OwnerDrawnRowsAreMeasuredOnceAndDrawnByTheParent) {
    int measured = 0;
    std::vector<std::string> drawn;
    host.onMessage([&](std::uint32_t m, std::uintptr_t, std::intptr_t lp) {
        if (m == WM_MEASUREITEM) {
            ++measured;
            reinterpret_cast<MeasureItem*>(lp)->itemHeight = 30;
            return true;
        }
        if (m == WM_DRAWITEM) {
            auto* d = reinterpret_cast<DrawItem*>(lp);
            drawn.push_back(std::to_string(d->itemId) + "@" + std::to_string(d->rcItem.top) +
                            ((d->itemState & ODS_SELECTED) ? "S" : ""));
            d->dc->fillRect(d->rcItem, draw::rgb(0, 200, 0));
            return true;
        }
        return false;
    });
    make(5, LVS_NOCOLUMNHEADER | LVS_OWNERDRAWFIXED, 0);
    ListItem state;
    state.state = state.stateMask = LVIS_SELECTED;
    sendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<std::intptr_t>(&state));
    drawn.clear();
    kit.pump();
    EXPECT_EQ(measured, 1);
    // 106 pixels show rows 0 to 2 whole and row 3 in part.
    EXPECT_EQ(drawn, (Seen{"0@0", "1@30S", "2@60", "3@90"}));
    EXPECT_EQ(kit.screenshot().pixel(kLeft + 5, kTop + 40), draw::rgb(0, 200, 0));
    EXPECT_EQ(sendMessage(list, LVM_GETCOUNTPERPAGE), 3);
}

}  // namespace
}  // namespace platform::controls
