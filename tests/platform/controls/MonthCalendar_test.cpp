// The month calendar: day picking by taps and keys, month arrows, set selection and colours.

#include "ControlHost.h"

#include "platform/controls/CalendarMath.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/MonthCalendar.h"
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

TEST(CalendarMath, DaysWeekdaysAndLeapYears) {
    struct Case {
        int y, m, d;
        long days;
        int weekday;
    };
    const Case cases[] = {{1970, 1, 1, 0, 4},       {1969, 12, 31, -1, 3},
                          {2000, 2, 29, 11016, 2},  {2000, 3, 1, 11017, 3},
                          {2026, 12, 10, 20797, 4}, {1601, 1, 1, -134774, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(detail::daysFromCivil(c.y, c.m, c.d), c.days) << c.y << "-" << c.m;
        EXPECT_EQ(detail::weekday(c.y, c.m, c.d), c.weekday) << c.y << "-" << c.m;
        int y = 0, m = 0, d = 0;
        detail::civilFromDays(c.days, y, m, d);
        EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{c.y, c.m, c.d}));
    }
    EXPECT_EQ(detail::daysInMonth(1900, 2), 28);
    EXPECT_EQ(detail::daysInMonth(2000, 2), 29);
    EXPECT_EQ(detail::daysInMonth(2023, 2), 28);
    EXPECT_EQ(detail::daysInMonth(2024, 2), 29);
    EXPECT_EQ(detail::daysInMonth(2024, 13), 0);
}

// Synthetic text: cells are 20 × 17, the title 21 high. The calendar at (0, 40) with a border
// has a 238 pixel wide client area at screen (1, 41); the grid is centred at x 49, its days
// start 40 pixels down.
class MonthCalendarTest : public ::testing::Test {
protected:
    MonthCalendarTest() : host({{MCN_SELCHANGE, "SELCHANGE"}, {MCN_SELECT, "SELECT"}}) {
        calendar = host.add(kMonthCalendarClass, u"", ui::WS_BORDER, Rect{0, 40, 240, 240}, 2046);
        host.onNotify([this](const ui::NotifyHeader& h) -> MsgResult {
            const auto& n = reinterpret_cast<const CalendarNotify&>(h);
            picked.push_back(n.selStart);
            return 0;
        });
        set(CalendarDate{2026, 12, 0, 10});
    }
    bool set(CalendarDate d) {
        return sendMessage(calendar, MCM_SETCURSEL, 0, reinterpret_cast<std::intptr_t>(&d)) != 0;
    }
    CalendarDate cur() const {
        CalendarDate d;
        sendMessage(calendar, MCM_GETCURSEL, 0, reinterpret_cast<std::intptr_t>(&d));
        return d;
    }
    static Point cell(int row, int col) {
        return Point{1 + 49 + col * 20 + 10, 41 + 40 + row * 17 + 8};
    }

    testkit::UiTestKit kit;
    ControlHost host;
    WindowHandle calendar = kNullWindow;
    std::vector<CalendarDate> picked;
};

TEST_F(MonthCalendarTest, NamesAreNumberedUntilTheOwnerGivesThem) {
    CalendarNames shown;
    ASSERT_EQ(sendMessage(calendar, MCM_GETNAMES, 0, reinterpret_cast<std::intptr_t>(&shown)), 1);
    EXPECT_EQ(shown.months[11], u"12");
    EXPECT_EQ(shown.weekdays[0], u"1");
    CalendarNames given = shown;
    given.months[11] = u"december";
    given.weekdays[0] = u"Po";
    EXPECT_EQ(sendMessage(calendar, MCM_SETNAMES, 0, reinterpret_cast<std::intptr_t>(&given)), 1);
    EXPECT_EQ(sendMessage(calendar, MCM_SETNAMES, 0, 0), 0);
    sendMessage(calendar, MCM_GETNAMES, 0, reinterpret_cast<std::intptr_t>(&shown));
    EXPECT_EQ(shown.months[11], u"december");
    EXPECT_EQ(shown.weekdays[0], u"Po");
}

TEST_F(MonthCalendarTest, TapOnADayPicksItWithChangeThenSelect) {
    EXPECT_TRUE(host.seen().empty());  // setting the selection tells nobody
    // December 2026 starts on a Tuesday: the first row begins with Monday 30 November.
    kit.tap(cell(3, 3));
    EXPECT_EQ(cur(), (CalendarDate{2026, 12, 4, 24}));
    EXPECT_EQ(host.seen(), (Seen{"notify:2046:SELCHANGE", "notify:2046:SELECT"}));
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[1], (CalendarDate{2026, 12, 4, 24}));
    EXPECT_EQ(ui::getFocus(), calendar);
    EXPECT_EQ(kit.screenshot().pixel(cell(3, 3).x - 8, cell(3, 3).y - 6), kSelectionColor);
    host.seen().clear();
    kit.tap(cell(3, 3));  // the selected day again: only the pick
    EXPECT_EQ(host.seen(), (Seen{"notify:2046:SELECT"}));
}

TEST_F(MonthCalendarTest, TrailingDayOfTheNeighbouringMonthShowsThatMonth) {
    kit.tap(cell(0, 0));
    EXPECT_EQ(cur(), (CalendarDate{2026, 11, 1, 30}));
    // November 2026 starts on a Sunday: its first row begins on Monday 26 October.
    kit.tap(cell(0, 0));
    EXPECT_EQ(cur(), (CalendarDate{2026, 10, 1, 26}));
}

TEST_F(MonthCalendarTest, ArrowsShowNeighbouringMonthsKeepingTheDayWhereItExists) {
    set(CalendarDate{2024, 1, 0, 31});
    const Point next{1 + 49 + 6 * 20 + 10, 41 + 10};
    const Point previous{1 + 49 + 10, 41 + 10};
    kit.tap(next);
    EXPECT_EQ(cur(), (CalendarDate{2024, 2, 4, 29}));
    kit.advance(600);  // not a double tap
    kit.tap(previous);
    kit.advance(600);
    kit.tap(previous);
    EXPECT_EQ(cur(), (CalendarDate{2023, 12, 5, 29}));
    EXPECT_EQ(host.seen(),
              (Seen{"notify:2046:SELCHANGE", "notify:2046:SELCHANGE", "notify:2046:SELCHANGE"}));
}

TEST_F(MonthCalendarTest, KeysMoveByDaysAndWeeksAcrossMonthsAndYears) {
    struct Case {
        CalendarDate from;
        std::uint32_t key;
        CalendarDate to;
    };
    const Case cases[] = {{{2026, 12, 0, 31}, ui::VK_RIGHT, {2027, 1, 5, 1}},
                          {{2024, 3, 0, 1}, ui::VK_LEFT, {2024, 2, 4, 29}},
                          {{2024, 3, 0, 1}, ui::VK_UP, {2024, 2, 5, 23}},
                          {{2026, 12, 0, 28}, ui::VK_DOWN, {2027, 1, 1, 4}}};
    ui::setFocus(calendar);
    for (const Case& c : cases) {
        set(c.from);
        host.seen().clear();
        kit.key(c.key);
        EXPECT_EQ(cur(), c.to) << c.key;
        EXPECT_EQ(host.seen(), (Seen{"notify:2046:SELCHANGE"}));
    }
}

TEST_F(MonthCalendarTest, SetCurSelRefusesDaysThatDoNotExist) {
    EXPECT_FALSE(set(CalendarDate{2025, 2, 0, 29}));
    EXPECT_FALSE(set(CalendarDate{2025, 13, 0, 1}));
    EXPECT_FALSE(set(CalendarDate{2025, 4, 0, 0}));
    EXPECT_EQ(cur(), (CalendarDate{2026, 12, 4, 10}));
    EXPECT_TRUE(set(CalendarDate{2024, 2, 0, 29}));
    EXPECT_EQ(cur(), (CalendarDate{2024, 2, 4, 29}));
}

TEST_F(MonthCalendarTest, MinimumSizeAndTitleColour) {
    Rect r;
    ASSERT_EQ(sendMessage(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<std::intptr_t>(&r)), 1);
    EXPECT_EQ(r, (Rect{0, 0, 144, 144}));
    const draw::Color blueTitle = 0xD69631;
    const draw::Color red = draw::rgb(200, 0, 0);
    EXPECT_EQ(static_cast<draw::Color>(sendMessage(calendar, MCM_SETCOLOR, MCSC_TITLEBK, red)),
              blueTitle);
    EXPECT_EQ(kit.screenshot().pixel(1 + 49 + 30, 41 + 3), red);
    EXPECT_EQ(sendMessage(calendar, MCM_SETCOLOR, 99, red), -1);
}

}  // namespace
}  // namespace platform::controls
