// The report list's rows, checked rows and focus hand-over, and switching scroll bars by style.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/ReportList.h"
#include "app/shell/ScrollBarStyle.h"

#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;

class ReportListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(list.createReport(host.window(), Rect{0, 0, 200, 200}, 7,
                                      controls::LVS_NOCOLUMNHEADER));
        controls::ListColumn column;
        column.text = u"rad";
        column.width = 180;
        platform::sendMessage(list.handle(), controls::LVM_INSERTCOLUMN, 0,
                              reinterpret_cast<std::intptr_t>(&column));
        platform::sendMessage(list.handle(), controls::LVM_SETEXTENDEDLISTVIEWSTYLE,
                              controls::LVS_EX_CHECKBOXES, controls::LVS_EX_CHECKBOXES);
        list.AddItem(0, u"Praha");
        list.AddItem(1, u"Brno");
        list.AddItem(1, u"Kolín");
        list.anchor.focusOrder = 3;
    }
    void check(int row) {
        controls::ListItem item;
        item.state = controls::kStateChecked;
        item.stateMask = controls::LVIS_STATEIMAGEMASK;
        platform::sendMessage(list.handle(), controls::LVM_SETITEMSTATE,
                              static_cast<std::uintptr_t>(row),
                              reinterpret_cast<std::intptr_t>(&item));
    }
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cReportList list{42};
};

TEST_F(ReportListTest, RowsKeepTheirTextsInOrder) {
    EXPECT_EQ(list.rowTexts, (std::vector<std::u16string>{u"Praha", u"Kolín", u"Brno"}));
    list.DeleteAllItems();
    EXPECT_TRUE(list.rowTexts.empty());
    EXPECT_EQ(platform::sendMessage(list.handle(), controls::LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ReportListTest, CheckedRowsOrTheSelectionMark) {
    list.SelectItem(1);
    EXPECT_EQ(list.GetCheckedItems(false), (std::vector<int>{1}));
    EXPECT_TRUE(list.GetCheckedItems(true).empty());
    check(2);
    check(0);
    EXPECT_EQ(list.GetCheckedItems(false), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.GetCheckedItems(true), (std::vector<int>{0, 2}));
}

TEST_F(ReportListTest, UpAtTheFirstRowAndDownAtTheLastHandTheFocusOn) {
    ui::setFocus(list.handle());
    list.SelectItem(0);
    kit.key(ui::VK_UP);
    list.SelectItem(1);
    kit.key(ui::VK_DOWN);  // row 1 to 2: stays in the list
    EXPECT_EQ(platform::sendMessage(list.handle(), controls::LVM_GETSELECTIONMARK, 0, 0), 2);
    kit.key(ui::VK_DOWN);  // at the last row
    ASSERT_EQ(host.seen().size(), 2u);
    EXPECT_EQ(host.seen()[0].message, WM_MOVE_FOCUS);
    EXPECT_EQ(host.seen()[0].wParam, 1u);
    EXPECT_EQ(host.seen()[0].lParam, 3);
    EXPECT_EQ(host.seen()[1].wParam, 0u);
}

TEST(ScrollBarStyle, KindsSetOrClearTheScrollBars) {
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    struct Case {
        int kind;
        std::uint32_t bits;
    };
    const Case cases[] = {{kScrollBarHorizontal, ui::WS_HSCROLL},
                          {kScrollBarVertical, ui::WS_VSCROLL},
                          {kScrollBarBoth, ui::WS_HSCROLL | ui::WS_VSCROLL}};
    for (const Case& c : cases) {
        EXPECT_TRUE(setScrollBarStyle(host.window(), c.kind, true));
        EXPECT_EQ(ui::getStyle(host.window()) & (ui::WS_HSCROLL | ui::WS_VSCROLL), c.bits);
        EXPECT_TRUE(setScrollBarStyle(host.window(), c.kind, false));
        EXPECT_EQ(ui::getStyle(host.window()) & (ui::WS_HSCROLL | ui::WS_VSCROLL), 0u);
    }
    EXPECT_FALSE(setScrollBarStyle(host.window(), 2, true));
    EXPECT_EQ(lastShellError(), kErrorInvalidParameter);
    EXPECT_EQ(ui::getStyle(host.window()) & (ui::WS_HSCROLL | ui::WS_VSCROLL), 0u);
}

}  // namespace
}  // namespace pelorvant
