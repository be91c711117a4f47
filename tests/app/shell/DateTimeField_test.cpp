// The date and time field as a user works it: digits on the keypad and the touch screen, the
// "A" button on the virtual clock, the up-down control, taps and the month calendar.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/DateTimeEditing.h"
#include "app/shell/DateTimeValue.h"
#include "app/shell/SpinField.h"

#include "platform/controls/Controls.h"
#include "platform/controls/MonthCalendar.h"
#include "platform/controls/UpDown.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace pelorvant {
namespace {

namespace ui = platform::ui;

// 1 March 2009, 10:00 UTC.
constexpr std::time_t kStart = 1235901600;

// While it lives, the fields' current time runs on the virtual clock from kStart, in UTC.
class VirtualTimeSource {
public:
    explicit VirtualTimeSource(platform::VirtualClock& clock) {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        previous_ = setTimeSource(
            [&clock] { return kStart + static_cast<std::time_t>(clock.now() / 1000); });
    }
    ~VirtualTimeSource() { setTimeSource(previous_); }

private:
    TimeSource previous_;
};

class DateTimeFieldTest : public ::testing::TestWithParam<const char*> {
protected:
    DateTimeFieldTest() : kit(GetParam()) {}
    void SetUp() override {
        ASSERT_TRUE(spin.createSpin(host.window(), Rect::fromSize(10, 40, 220, 28), 77));
        ui::setFocus(spin.handle());
        kit.pump();
    }
    bool touch() const { return std::string(GetParam()).find("keypad") == std::string::npos; }
    void typeDigits(const char* digits) {
        for (const char* d = digits; *d; ++d)
            kit.key(ui::VK_0 + static_cast<std::uint32_t>(*d - '0'));
    }

    platform::testkit::UiTestKit kit;
    VirtualTimeSource time{kit.clock()};
    testing::ViewHost host;
    cSpinField spin{3, true};
};

TEST_P(DateTimeFieldTest, FocusGoesToTheFieldAtTheHour) {
    EXPECT_EQ(ui::getFocus(), spin.field.handle());
    EXPECT_EQ(spin.field.position, 0);
    EXPECT_EQ(spin.field.parts.hour, 10);
    EXPECT_EQ(spin.field.parts.year, 2009);
}

TEST_P(DateTimeFieldTest, TypingTheHourTwoNine) {
    typeDigits("29");
    if (touch()) {
        EXPECT_EQ(spin.field.parts.hour, 9);  // a new hour starts with 9
        EXPECT_TRUE(spin.IsValid());
    } else {
        EXPECT_EQ(spin.field.parts.hour, 29);
        EXPECT_FALSE(spin.IsValid());
        EXPECT_EQ(spin.field.position, 2);
    }
}

TEST_P(DateTimeFieldTest, ArrowsOnTheField) {
    kit.key(ui::VK_UP);
    if (touch()) {
        EXPECT_EQ(spin.field.parts.hour, 11);  // stepped
        kit.key(ui::VK_RIGHT);
        kit.key(ui::VK_RIGHT);
        EXPECT_EQ(spin.field.position, 4);
        kit.key(ui::VK_DOWN);
        EXPECT_EQ(spin.field.parts.day, 31);  // 1 March stepped down wraps to the last of March
    } else {
        // Up asks the view for the previous control.
        ASSERT_FALSE(host.seen().empty());
        EXPECT_EQ(host.seen().back().message, WM_MOVE_FOCUS);
        EXPECT_EQ(host.seen().back().wParam, 1u);
        EXPECT_EQ(host.seen().back().lParam, 3);
        kit.key(ui::VK_RIGHT);
        kit.key(ui::VK_RIGHT);
        EXPECT_EQ(spin.field.position, 2);
    }
}

TEST_P(DateTimeFieldTest, TheAButtonGivesNowOnTheVirtualClock) {
    if (!touch()) {
        EXPECT_EQ(spin.nowButton, platform::kNullWindow);
        return;
    }
    typeDigits("5");
    kit.clock().advance(90 * 60 * 1000);
    kit.tap(spin.nowButton);
    EXPECT_EQ(spin.field.parts.hour, 11);
    EXPECT_EQ(spin.field.parts.minute, 30);
    EXPECT_EQ(ui::getFocus(), spin.field.handle());
    EXPECT_EQ(spin.GetTime(), kStart + 90 * 60);
}

TEST_P(DateTimeFieldTest, UpDownControlStepsTheCurrentField) {
    if (!touch()) {
        EXPECT_EQ(spin.upDown, platform::kNullWindow);
        return;
    }
    platform::controls::UpDownNotify notify;
    notify.header = {spin.upDown, kSpinUpDownId, platform::controls::UDN_DELTAPOS};
    notify.delta = 1;
    platform::sendMessage(spin.handle(), ui::WM_NOTIFY, kSpinUpDownId,
                          reinterpret_cast<std::intptr_t>(&notify));
    EXPECT_EQ(spin.field.parts.hour, 9);
    EXPECT_EQ(spin.arrowZone, 3);
    notify.delta = -1;
    platform::sendMessage(spin.handle(), ui::WM_NOTIFY, kSpinUpDownId,
                          reinterpret_cast<std::intptr_t>(&notify));
    EXPECT_EQ(spin.field.parts.hour, 10);
    EXPECT_EQ(spin.arrowZone, 2);
}

TEST_P(DateTimeFieldTest, TapChoosesTheField) {
    const Rect r = ui::getWindowRect(spin.field.handle());
    const int zero = spin.field.font->measure(u"0").width;
    kit.tap({r.left + 3 * zero, r.top + r.height() / 2});  // on the minutes
    EXPECT_EQ(spin.field.position, 2);
    kit.tap({r.left + 12 * zero, r.top + r.height() / 2});  // beyond the month: the year
    EXPECT_EQ(spin.field.position, 8);
}

TEST_P(DateTimeFieldTest, CalendarAnswersWithThePackedDate) {
    kit.key(ui::VK_RETURN);
    ASSERT_TRUE(spin.field.calendar.isOpen());
    const platform::WindowHandle calendar = spin.field.calendar.calendar.handle();
    EXPECT_EQ(ui::getFocus(), calendar);
    platform::controls::CalendarDate shown;
    platform::sendMessage(calendar, platform::controls::MCM_GETCURSEL, 0,
                          reinterpret_cast<std::intptr_t>(&shown));
    EXPECT_EQ(shown.day, 1);
    EXPECT_EQ(shown.month, 3);
    kit.key(ui::VK_LEFT);  // the calendar moves to 28 February
    kit.key(ui::VK_RETURN);
    kit.pump();
    EXPECT_FALSE(spin.field.calendar.isOpen());
    EXPECT_EQ(spin.field.parts.day, 28);
    EXPECT_EQ(spin.field.parts.month, 2);
    EXPECT_EQ(spin.field.parts.hour, 10);  // the time stays
    EXPECT_EQ(ui::getFocus(), spin.field.handle());
}

// The calendar names the months and weekdays in the running language: the built-in Czech
// texts, or those of the table a language library brought.
TEST_P(DateTimeFieldTest, CalendarNamesMonthsAndWeekdaysInTheRunningLanguage) {
    const auto namesShown = [this] {
        ui::setFocus(spin.handle());
        kit.pump();
        kit.key(ui::VK_RETURN);
        platform::controls::CalendarNames names;
        platform::sendMessage(spin.field.calendar.calendar.handle(), platform::controls::MCM_GETNAMES, 0,
                              reinterpret_cast<std::intptr_t>(&names));
        kit.key(ui::VK_ESCAPE);
        kit.pump();
        return names;
    };
    const platform::controls::CalendarNames czech = namesShown();
    EXPECT_EQ(czech.months[11], u"prosinec");
    EXPECT_EQ(czech.weekdays[3], u"\u010Ct");

    static const platform::resources::data::StringEntry kSlovak[] = {{12211, u"december"}, {12223, u"\u0160t"}};
    platform::resources::useStringTable(kSlovak, 2);
    const platform::controls::CalendarNames slovak = namesShown();
    platform::resources::useStringTable(nullptr, 0);
    EXPECT_EQ(slovak.months[11], u"december");
    EXPECT_EQ(slovak.weekdays[3], u"\u0160t");
    EXPECT_EQ(slovak.months[0], u"???");  // an id the table lacks reads as missing, not as Czech
}

// A picked day is the day shown, with a time the search can use, whatever was typed before:
// an impossible hour or minute takes the current one, a valid one stays.
TEST_P(DateTimeFieldTest, APickedDayRepairsAnImpossibleTime) {
    struct Case {
        int hour, minute;
        int wantHour, wantMinute;
    };
    const Case cases[] = {{29, 30, 10, 30}, {8, 75, 8, 0}, {-1, -1, 10, 0}, {7, 15, 7, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute));
        spin.field.parts = DateTimeParts{c.hour, c.minute, 1, 3, 2009};
        platform::sendMessage(spin.field.handle(), WM_DATE_PICKED, packPickedDate(10, 12, 2026), 0);
        const DateTimeParts& p = spin.field.parts;
        EXPECT_EQ(p.day, 10);
        EXPECT_EQ(p.month, 12);
        EXPECT_EQ(p.year, 2026);
        EXPECT_EQ(p.hour, c.wantHour);
        EXPECT_EQ(p.minute, c.wantMinute);
        EXPECT_TRUE(spin.IsValid());
    }
}

// An impossible date opens the calendar on the nearest real day of its month.
TEST_P(DateTimeFieldTest, CalendarOpensOnARealDayAfterAnImpossibleDate) {
    struct Case {
        int day, month, year;
        int wantDay, wantMonth;
    };
    const Case cases[] = {{31, 2, 2026, 28, 2}, {30, 2, 2028, 29, 2},   {31, 4, 2026, 30, 4},
                          {0, 5, 2026, 1, 5},   {15, 13, 2026, 15, 12}, {39, 0, 2026, 31, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.day) + "." + std::to_string(c.month));
        spin.field.parts = DateTimeParts{10, 0, c.day, c.month, c.year};
        ui::setFocus(spin.handle());
        kit.key(ui::VK_RETURN);
        ASSERT_TRUE(spin.field.calendar.isOpen());
        platform::controls::CalendarDate shown;
        platform::sendMessage(spin.field.calendar.calendar.handle(),
                              platform::controls::MCM_GETCURSEL, 0,
                              reinterpret_cast<std::intptr_t>(&shown));
        EXPECT_EQ(shown.day, c.wantDay);
        EXPECT_EQ(shown.month, c.wantMonth);
        EXPECT_EQ(shown.year, c.year);
        kit.key(ui::VK_ESCAPE);
        kit.pump();
    }
}

// The calendar goes when the focus moves elsewhere: it never stays over another field.
TEST_P(DateTimeFieldTest, CalendarClosesWhenTheFocusMovesAway) {
    cSpinField other{4, true};
    ASSERT_TRUE(other.createSpin(host.window(), Rect::fromSize(10, 80, 220, 28), 78));
    ui::setFocus(spin.handle());
    kit.key(ui::VK_RETURN);
    ASSERT_TRUE(spin.field.calendar.isOpen());
    ui::setFocus(other.handle());
    kit.pump();
    EXPECT_FALSE(spin.field.calendar.isOpen());
    EXPECT_EQ(spin.field.parts.day, 1);  // no day was picked
}

TEST_P(DateTimeFieldTest, EscapeClosesTheCalendarWithoutAnswer) {
    kit.key(ui::VK_RETURN);
    ASSERT_TRUE(spin.field.calendar.isOpen());
    kit.key(ui::VK_RIGHT);
    kit.key(ui::VK_ESCAPE);
    kit.pump();
    EXPECT_FALSE(spin.field.calendar.isOpen());
    EXPECT_EQ(spin.field.parts.day, 1);
}

TEST_P(DateTimeFieldTest, DateOnlyFieldStartsAtTheDay) {
    cSpinField dateOnly{3, false};
    ASSERT_TRUE(dateOnly.createSpin(host.window(), Rect::fromSize(10, 80, 220, 28), 78));
    ui::setFocus(dateOnly.handle());
    EXPECT_EQ(dateOnly.field.position, 4);
    kit.key(ui::VK_LEFT);
    EXPECT_EQ(dateOnly.field.position, 4);
}

// However narrow the spin is laid out, the whole value fits inside the field, and the field
// lies clear of the up-down control and the calendar's mark.
TEST_P(DateTimeFieldTest, TheWholeValueFitsTheField) {
    for (const int width : {220, 180, 150}) {
        SCOPED_TRACE(width);
        ui::moveWindow(spin.handle(), 10, 40, width, 28);
        kit.pump();
        const Rect field = ui::getClientRect(spin.field.handle());
        EXPECT_LE(spin.field.valueWidth(), field.width());
        EXPECT_LE(spin.field.font->metrics().height, field.height());
        const Rect placed = ui::getWindowRect(spin.field.handle());
        const Rect outer = ui::getWindowRect(spin.handle());
        const int markWidth = 28 / 2;  // at least the triangle's part of the row
        EXPECT_LE(placed.right, outer.right - (touch() ? 28 : 0) - markWidth / 2);
        if (touch()) {
            const platform::WindowHandle upDown = ui::getDlgItem(spin.handle(), kSpinUpDownId);
            EXPECT_GE(placed.left, ui::getWindowRect(upDown).right);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Profiles, DateTimeFieldTest,
                         ::testing::Values("240x320", "240x320-keypad"), [](const auto& info) {
                             return std::string(info.param).find("keypad") == std::string::npos
                                        ? "Touch"
                                        : "Keypad";
                         });

}  // namespace
}  // namespace pelorvant
