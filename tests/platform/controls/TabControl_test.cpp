// The tab control with its tabs along the bottom, as the tabbed forms use it.

#include "ControlHost.h"

#include "platform/controls/ControlStyle.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"

#include <gtest/gtest.h>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;
using testing::ControlHost;
using Seen = std::vector<std::string>;

// Synthetic text: 6 pixels a character, 13 high; the strip is 21 high, tabs are padded by 6.
class TabControlTest : public ::testing::Test {
protected:
    TabControlTest() : host({{TCN_SELCHANGE, "SELCHANGE"}, {TCN_SELCHANGING, "SELCHANGING"}}) {
        tabs = host.add(kTabControlClass, u"", TCS_BOTTOM, Rect{0, 0, 240, 250}, 2054);
        for (const char16_t* t : {u"Basic", u"Data", u"Update"}) {
            insert(t, static_cast<int>(sendMessage(tabs, TCM_GETITEMCOUNT)));
        }
        host.onNotify([this](const ui::NotifyHeader& h) -> MsgResult {
            if (h.code == TCN_SELCHANGE) {
                selectionSeen.push_back(static_cast<int>(sendMessage(tabs, TCM_GETCURSEL)));
            }
            return h.code == TCN_SELCHANGING && refuse ? 1 : 0;
        });
    }
    MsgResult insert(std::u16string text, int at) {
        TabItem item;
        item.text = std::move(text);
        return sendMessage(tabs, TCM_INSERTITEM, static_cast<std::uintptr_t>(at),
                           reinterpret_cast<std::intptr_t>(&item));
    }
    Rect itemRect(int i) const {
        Rect r;
        sendMessage(tabs, TCM_GETITEMRECT, static_cast<std::uintptr_t>(i),
                    reinterpret_cast<std::intptr_t>(&r));
        return r;
    }
    MsgResult cur() const { return sendMessage(tabs, TCM_GETCURSEL); }

    testkit::UiTestKit kit;
    ControlHost host;
    WindowHandle tabs = kNullWindow;
    std::vector<int> selectionSeen;
    bool refuse = false;
};

TEST_F(TabControlTest, TabsLieAlongTheBottomSizedByTheirText) {
    EXPECT_EQ(cur(), 0);
    EXPECT_EQ(itemRect(0), (Rect{0, 229, 42, 250}));
    EXPECT_EQ(itemRect(1), (Rect{42, 229, 78, 250}));
    EXPECT_EQ(itemRect(2), (Rect{78, 229, 126, 250}));
    Rect none;
    EXPECT_EQ(sendMessage(tabs, TCM_GETITEMRECT, 3, reinterpret_cast<std::intptr_t>(&none)), 0);
    // The current tab is white, the others have the face colour; pages above stay white.
    const draw::Bitmap& shot = kit.screenshot();
    EXPECT_EQ(shot.pixel(2, 246), kWindowColor);
    EXPECT_EQ(shot.pixel(44, 246), kFaceColor);
    EXPECT_EQ(shot.pixel(200, 240), kFaceColor);
    EXPECT_EQ(shot.pixel(100, 100), kWindowColor);
}

TEST_F(TabControlTest, TapSwitchesTabsAndTheParentSeesTheNewSelection) {
    kit.tap(Point{60, 240});
    kit.tap(Point{60, 240});   // the current tab again: nothing
    kit.tap(Point{200, 240});  // beyond the last tab: nothing
    EXPECT_EQ(host.seen(), (Seen{"notify:2054:SELCHANGING", "notify:2054:SELCHANGE"}));
    EXPECT_EQ(selectionSeen, (std::vector<int>{1}));
    refuse = true;
    kit.tap(Point{90, 240});
    EXPECT_EQ(cur(), 1);
}

TEST_F(TabControlTest, SetCurSelSelectsSilentlyAndKeysStepWithTheFocus) {
    EXPECT_EQ(sendMessage(tabs, TCM_SETCURSEL, 2), 0);
    EXPECT_EQ(sendMessage(tabs, TCM_SETCURSEL, 7), -1);
    EXPECT_EQ(cur(), 2);
    EXPECT_TRUE(host.seen().empty());
    ui::setFocus(tabs);
    kit.key(ui::VK_RIGHT);  // already the last
    kit.key(ui::VK_LEFT);
    kit.key(ui::VK_LEFT);
    kit.key(ui::VK_LEFT);  // already the first
    EXPECT_EQ(selectionSeen, (std::vector<int>{1, 0}));
}

TEST_F(TabControlTest, InsertingAndDeletingKeepTheCurrentTab) {
    sendMessage(tabs, TCM_SETCURSEL, 1);  // "Data"
    EXPECT_EQ(insert(u"First", 0), 0);
    EXPECT_EQ(cur(), 2);
    EXPECT_EQ(insert(u"Last", 99), 4);
    sendMessage(tabs, TCM_DELETEITEM, 0);
    EXPECT_EQ(cur(), 1);
    TabItem got;
    sendMessage(tabs, TCM_GETITEM, 1, reinterpret_cast<std::intptr_t>(&got));
    EXPECT_EQ(got.text, u"Data");
    sendMessage(tabs, TCM_DELETEITEM, 1);  // the current one: none is current
    EXPECT_EQ(cur(), -1);
    sendMessage(tabs, TCM_DELETEALLITEMS);
    EXPECT_EQ(sendMessage(tabs, TCM_GETITEMCOUNT), 0);
    EXPECT_EQ(insert(u"Again", 0), 0);
    EXPECT_EQ(cur(), 0);
    EXPECT_TRUE(host.seen().empty());
}

// Tabs wider together than the control: the chosen tab scrolls whole into sight and the tab
// before it stays partly in sight, to be tapped back.
// Tabs wider together than the control share the row with two arrows at its right end (21 px
// each): the tabs show in the 198 px before them and scroll so that the chosen one is whole.
TEST_F(TabControlTest, AStripWiderThanTheControlScrollsToTheChosenTab) {
    EXPECT_EQ(insert(u"Saturday and holidays", 3), 3);  // 138 wide, from 126 to 264
    EXPECT_EQ(itemRect(3), (Rect{126, 229, 264, 250}));  // cut off until chosen
    kit.tap(Point{205, 240});  // the left arrow, where the tab would lie without it: no choice
    EXPECT_EQ(cur(), 0);
    kit.tap(Point{150, 240});
    EXPECT_EQ(cur(), 3);
    EXPECT_EQ(itemRect(3), (Rect{60, 229, 198, 250}));
    EXPECT_EQ(itemRect(2), (Rect{12, 229, 60, 250}));
    EXPECT_EQ(itemRect(0), (Rect{-66, 229, -24, 250}));
    // Stepping by key and selecting silently scroll alike; a strip that fits again is not scrolled.
    sendMessage(tabs, TCM_SETCURSEL, 0);
    EXPECT_EQ(itemRect(0), (Rect{0, 229, 42, 250}));
    sendMessage(tabs, TCM_SETCURSEL, 2);
    ui::setFocus(tabs);
    kit.key(ui::VK_RIGHT);
    EXPECT_EQ(itemRect(3).right, 198);
    sendMessage(tabs, TCM_DELETEITEM, 0);
    sendMessage(tabs, TCM_DELETEITEM, 0);
    EXPECT_EQ(itemRect(0), (Rect{0, 229, 48, 250}));
    EXPECT_EQ(itemRect(1), (Rect{48, 229, 186, 250}));
}

// The arrows move the row a tab at a time without choosing one, up to either end, and the row
// stays where they left it however often it is drawn: every tab can be reached by a finger.
TEST_F(TabControlTest, TheArrowsBringEveryTabWithinReachOfAFinger) {
    insert(u"Saturday and holidays", 3);
    const Point left{205, 240};
    const Point right{230, 240};
    kit.tap(right);
    EXPECT_EQ(itemRect(1).left, 0);
    kit.tap(right);
    EXPECT_EQ(itemRect(3).right, 198);  // the end: 66 px scrolled, not to the next tab's 78
    kit.tap(right);
    EXPECT_EQ(itemRect(3).right, 198);
    EXPECT_EQ(cur(), 0);
    for (int i = 0; i < 3; ++i) {
        ui::invalidateRect(tabs);
        kit.pump();
        EXPECT_EQ(itemRect(3), (Rect{60, 229, 198, 250})) << i;
    }
    kit.tap(Point{150, 240});  // the last tab, brought into reach
    EXPECT_EQ(cur(), 3);
    kit.tap(left);
    EXPECT_EQ(itemRect(1).left, 0);
    kit.tap(left);
    kit.tap(left);
    EXPECT_EQ(itemRect(0).left, 0);
    EXPECT_EQ(cur(), 3);
    kit.tap(Point{5, 240});
    EXPECT_EQ(cur(), 0);
}

// A tab wider than the control shows its start, beside a glimpse of the tab before it, and
// stays there however often the strip is drawn.
TEST_F(TabControlTest, ATabWiderThanTheControlShowsItsStartAtEveryPaint) {
    // 234 wide: with a glimpse of the tabs on both sides it does not fit.
    insert(u"Parameters of the whole timetable set", 2);
    sendMessage(tabs, TCM_SETCURSEL, 2);
    kit.pump();
    const Rect chosen = itemRect(2);
    EXPECT_EQ(chosen, (Rect{24, 229, 258, 250}));
    EXPECT_EQ(itemRect(1).right, 24);
    for (int i = 0; i < 3; ++i) {
        ui::invalidateRect(tabs);
        kit.pump();
        EXPECT_EQ(itemRect(2), chosen) << i;
    }
}

}  // namespace
}  // namespace platform::controls
