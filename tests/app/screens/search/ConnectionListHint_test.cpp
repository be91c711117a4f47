// The results list's hint and context menu on the virtual clock: the hint of an item shows
// after the delay for five seconds, fifteen when its trip has notes; a tap, Up from the first
// item and an item without a hint hide it. A held tap opens the row's menu; its commands go to
// the view, "Trasa spoje" opens the row at its active item, and without GPS there is no
// navigation.
#include "app/core/PrivateMessages.h"
#include "app/screens/search/ConnectionList.h"
#include "app/shell/ImageNameRegistry.h"

#include "platform/controls/ControlStyle.h"
#include "platform/controls/ListPainter.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/MenuBar.h"
#include "platform/testkit/RepaintCheck.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
using platform::draw::Point;

struct Seen {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

constexpr int kNotedItem = 1;    // its trip has notes
constexpr int kWalkItem = 2;     // no hint

class ConnectionListHintTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerImageNames();
        ui::CreateParams p;
        p.className = "ResultsViewDouble";
        p.style = ui::WS_VISIBLE;
        const auto size = ui::screenSize();
        p.rect = Rect{0, 0, size.width, size.height};
        auto seen = seen_;
        view = ui::createWindow(p, [seen](platform::WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                                          std::intptr_t lp) -> platform::MsgResult {
            if (m == ui::WM_COMMAND || m == WM_RESULT_OPEN) {
                seen->push_back({m, wp, lp});
                return 0;
            }
            return ui::defWindowProc(h, m, wp, lp);
        });
        ASSERT_TRUE(list.createConnectionList(view, Rect{0, 0, size.width, size.height}));
        list.itemHint = [](const cConnectionRow&, int item) {
            if (item == kWalkItem) return ItemHint{};
            return ItemHint{item == kNotedItem ? u"Z: A\rDo: B\rBus 1, 5 min\rnízkopodlažní" : u"Z: A\rDo: B\rBus 1, 5 min",
                            item == kNotedItem ? kHintTimeWithNotes : kHintTimeWithoutNotes};
        };
        std::vector<cConnectionRow> rows(2);
        for (cConnectionRow& row : rows) {
            row.items.resize(3);
            for (ConnectionRowItem& item : row.items) item.stop = u"Zastávka";
            row.items[kWalkItem].walking = true;
            row.summary = u"5 min";
        }
        list.setRows(std::move(rows), 0);
        ui::setFocus(list.handle());
        kit.pump();
    }

    bool hintShown() const { return ui::isWindowVisible(list.hint.handle()); }
    // The middle of an item of a row, on the screen.
    Point itemPoint(int row, int item) const {
        int y = -list.scrollPos;
        for (int r = 0; r < row; ++r) y += list.rowHeight(r);
        y += list.geometry.gap + item * list.geometry.itemHeight + list.geometry.itemHeight / 2;
        return ui::clientToScreen(list.handle(), Point{40, y});
    }
    // Holds the finger at `at` until the row's menu opens, then taps its item `choice` (from 0);
    // answers how many items the menu had (0: none opened).
    int holdAndChoose(Point at, int choice) {
        int items = 0;
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [this, at, choice, &items, weak = std::weak_ptr<std::function<void()>>(poll)] {
            const auto popups = platform::shell::openMenuPopups();
            if (popups.empty()) {
                kit.clock().advance(1);
                if (auto again = weak.lock()) kit.duringModal(*again);
                return;
            }
            ui::fingerUp(at);
            const Rect r = ui::getWindowRect(popups.front());
            const int rowHeight = platform::controls::listRowHeight(platform::controls::controlFont());
            items = (r.height() - 2) / rowHeight;
            const Point item{r.left + 20, r.top + 1 + rowHeight * choice + rowHeight / 2};
            ui::fingerDown(item);
            ui::fingerUp(item);
        };
        kit.duringModal(*poll);
        kit.press(at);
        kit.pump();
        return items;
    }

    platform::testkit::UiTestKit kit;  // 240 × 320
    std::shared_ptr<std::vector<Seen>> seen_ = std::make_shared<std::vector<Seen>>();
    platform::WindowHandle view = platform::kNullWindow;
    cConnectionList list;
};

TEST_F(ConnectionListHintTest, TheHintShowsAfterTheDelayForFiveSecondsOrFifteenWithNotes) {
    const struct {
        int downs;
        int shownFor;
    } cases[] = {{0, kHintTimeWithoutNotes}, {1, kHintTimeWithNotes}};
    for (const auto& c : cases) {
        list.SelectItem(0);
        list.clearActiveItem();
        list.activateItem(0);
        for (int i = 0; i < c.downs; ++i) kit.key(ui::VK_DOWN);
        kit.advance(kHintShowDelay - 1);
        EXPECT_FALSE(hintShown()) << c.downs;
        kit.advance(1);
        EXPECT_TRUE(hintShown()) << c.downs;
        EXPECT_EQ(ui::getDlgCtrlId(list.hint.handle()), kConnectionHintId);
        EXPECT_NE(ui::getStyle(list.hint.handle()) & ui::WS_BORDER, 0u);
        kit.advance(static_cast<std::uint64_t>(c.shownFor) - 1);
        EXPECT_TRUE(hintShown()) << c.downs;
        kit.advance(1);
        EXPECT_FALSE(hintShown()) << c.downs;
        EXPECT_EQ(ui::getFocus(), list.handle());
    }
}

TEST_F(ConnectionListHintTest, ATapOnAnItemWithoutAHintHidesTheShownOne) {
    kit.tap(itemPoint(0, 0));
    kit.advance(kHintShowDelay);
    ASSERT_TRUE(hintShown());
    kit.tap(itemPoint(0, kWalkItem));
    EXPECT_EQ(list.rows[0].activeItem, kWalkItem);
    EXPECT_FALSE(hintShown());
    kit.advance(kHintTimeWithNotes);
    EXPECT_FALSE(hintShown());
}

TEST_F(ConnectionListHintTest, ATapHidesTheHintAtOnce) {
    kit.tap(itemPoint(0, 0));
    kit.advance(kHintShowDelay);
    ASSERT_TRUE(hintShown());
    kit.tap(itemPoint(0, kNotedItem));  // hidden, then the new item's hint after the delay
    EXPECT_FALSE(hintShown());
    EXPECT_EQ(list.rows[0].activeItem, kNotedItem);
    kit.advance(kHintShowDelay);
    EXPECT_TRUE(hintShown());
    EXPECT_NE(list.hint.hintText.find(u"nízkopodlažní"), std::u16string::npos);
}

TEST_F(ConnectionListHintTest, EnterOpensTheSelectedRowAtOnce) {
    list.SelectItem(1);
    kit.key(ui::VK_RETURN);
    ASSERT_EQ(seen_->size(), 1u);
    EXPECT_EQ((*seen_)[0].message, WM_RESULT_OPEN);
    EXPECT_EQ((*seen_)[0].wParam, 1u);
    EXPECT_EQ((*seen_)[0].lParam, 0);
    EXPECT_EQ(list.rows[1].activeItem, -1) << "no item is made active on the way";
    // With an active item, that item's trip opens.
    list.activateItem(1);
    kit.key(ui::VK_RETURN);
    ASSERT_EQ(seen_->size(), 2u);
    EXPECT_EQ((*seen_)[1].lParam, 1);
}

TEST_F(ConnectionListHintTest, UpFromTheFirstItemHidesTheHintAndKeepsTheFirstRow) {
    list.activateItem(0);
    kit.advance(kHintShowDelay);
    ASSERT_TRUE(hintShown());
    kit.key(ui::VK_UP);
    EXPECT_FALSE(hintShown());
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.rows[0].activeItem, -1);
    kit.advance(kHintTimeWithNotes);
    EXPECT_FALSE(hintShown());
}

// Dark pixels (the text) inside the hint on the screen.
int darkPixelsInHint(platform::testkit::UiTestKit& kit, platform::WindowHandle hint) {
    const auto& screen = kit.screenshot();
    const Rect r = ui::getWindowRect(hint);
    int dark = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y) {
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            const auto c = screen.pixel(x, y);
            if (platform::draw::redOf(c) < 100 && platform::draw::greenOf(c) < 100 &&
                platform::draw::blueOf(c) < 100) {
                ++dark;
            }
        }
    }
    return dark;
}

TEST_F(ConnectionListHintTest, EveryShowingOfTheHintShowsItsText) {
    for (int showing = 1; showing <= 3; ++showing) {
        kit.tap(itemPoint(0, showing % 2));
        kit.advance(kHintShowDelay);
        ASSERT_TRUE(hintShown()) << showing;
        EXPECT_GT(darkPixelsInHint(kit, list.hint.handle()), 50) << showing;
        EXPECT_EQ(platform::testkit::wholeRepaintDifference(), "") << showing;
        kit.tap(itemPoint(1, 0));  // hides it; the next tap brings another
        EXPECT_FALSE(hintShown()) << showing;
    }
}

TEST_F(ConnectionListHintTest, AFlickThatScrollsTheListPopsNoHint) {
    std::vector<cConnectionRow> rows(12);
    for (cConnectionRow& row : rows) {
        row.items.resize(3);
        for (ConnectionRowItem& item : row.items)
            item.stop = u"Zastávka";
    }
    list.setRows(std::move(rows), 0);
    kit.pump();
    // The finger goes down on an item and flicks up at once: the first move ends the wait for a
    // held tap, the list follows the finger and goes on moving after it lifts.
    const Point from = itemPoint(2, 0);
    kit.duringModal([&] {
        for (int i = 1; i <= 10; ++i) {
            kit.clock().advance(10);
            ui::fingerMove(Point{from.x, from.y - 12 * i});
        }
        ui::fingerUp(Point{from.x, from.y - 120});
    });
    kit.press(from);
    kit.pump();
    EXPECT_GT(list.scrollPos, 0);
    kit.advance(3 * kHintShowDelay);
    EXPECT_FALSE(hintShown());
    // A tap that stays where it went down still brings the hint.
    int shownRow = 0;
    for (int top = 0; top < list.scrollPos; top += list.rowHeight(shownRow++)) {
    }
    kit.tap(itemPoint(shownRow, 0));
    kit.advance(kHintShowDelay);
    EXPECT_TRUE(hintShown());
}

TEST_F(ConnectionListHintTest, TheRowMenuHandsItsCommandsOn) {
    const struct {
        int choice;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    } cases[] = {
        {0, ui::WM_COMMAND, ui::makeWParam(kRowMenuNotes, kRowMenuCode), 0},
        {1, WM_RESULT_OPEN, 1, 1},  // row 1, its item 1 active
        {2, ui::WM_COMMAND, ui::makeWParam(kRowMenuCalendar, kRowMenuCode), 0},
        {3, ui::WM_COMMAND, ui::makeWParam(kRowMenuNavigate, kRowMenuCode), 0},
    };
    for (const auto& c : cases) {
        seen_->clear();
        kit.advance(kHintShowDelay);
        ASSERT_EQ(holdAndChoose(itemPoint(1, 1), c.choice), 4) << c.choice;
        EXPECT_FALSE(hintShown()) << c.choice;  // hidden before the menu opened
        ASSERT_EQ(seen_->size(), 1u) << c.choice;
        EXPECT_EQ(seen_->front().message, c.message) << c.choice;
        EXPECT_EQ(seen_->front().wParam, c.wParam) << c.choice;
        EXPECT_EQ(seen_->front().lParam, c.lParam) << c.choice;
    }
}

TEST_F(ConnectionListHintTest, WithoutGpsTheMenuOffersNoNavigation) {
    list.offersNavigation = false;
    ASSERT_EQ(holdAndChoose(itemPoint(0, 0), 2), 3);
    ASSERT_EQ(seen_->size(), 1u);
    EXPECT_EQ(seen_->front().wParam, ui::makeWParam(kRowMenuCalendar, kRowMenuCode));
    EXPECT_EQ(platform::shell::openMenuPopups().size(), 0u);
}

}  // namespace
}  // namespace pelorvant
