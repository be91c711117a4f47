#include "engine/data/DayNumber.h"

#include <gtest/gtest.h>

namespace trasovnik {
namespace {

struct DateCase {
    int day, month, year;
    int dayNumber;  // as stored: the signed 16-bit value
};

const DateCase kDates[] = {
    {1, 1, 2004, 0},
    {31, 1, 2004, 30},
    {29, 2, 2004, 59},
    {1, 3, 2004, 60},
    {31, 12, 2004, 365},  // 2004 is a leap year
    {1, 1, 2005, 366},
    {1, 3, 2005, 425},  // February 2005 has 28 days
    {5, 1, 2004, 4},
    {17, 9, 2093, 32767},
    {18, 9, 2093, -32768},  // past 32767 the count wraps
    {28, 2, 2100, 35122 - 65536},
    {1, 3, 2100, 35123 - 65536},  // 2100 is not a leap year
    {6, 6, 2183, -1},             // the last date a 16-bit count can name
};

TEST(DayNumber, DateToDayNumber) {
    for (const auto& c : kDates) {
        EXPECT_EQ(dateToDayNumber(c.day, c.month, c.year), c.dayNumber)
            << c.day << "." << c.month << "." << c.year;
    }
}

TEST(DayNumber, DayNumberToDate) {
    for (const auto& c : kDates) {
        const CalendarDate d = dayNumberToDate(static_cast<std::int16_t>(c.dayNumber));
        EXPECT_EQ(d.day, c.day) << c.dayNumber;
        EXPECT_EQ(d.month, c.month) << c.dayNumber;
        EXPECT_EQ(d.year, c.year) << c.dayNumber;
    }
}

TEST(DayNumber, EveryDayOf2003GivesTheMarker) {
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= daysInMonth(m, 2003); ++d) {
            ASSERT_EQ(dateToDayNumber(d, m, 2003), kDayBefore2004) << d << "." << m;
        }
    }
    EXPECT_EQ(dateToDayNumber(1, 1, 1), kDayBefore2004);
    EXPECT_EQ(dateToDayNumber(15, 6, -5), kDayBefore2004);
}

TEST(DayNumber, EverySixteenBitValueRoundTrips) {
    for (int v = -32768; v <= 32767; ++v) {
        const auto n = static_cast<std::int16_t>(v);
        const CalendarDate d = dayNumberToDate(n);
        ASSERT_GE(d.day, 1);
        ASSERT_LE(d.day, daysInMonth(d.month, d.year));
        ASSERT_EQ(dateToDayNumber(d.day, d.month, d.year), n) << v;
    }
    // The pre-2004 marker also gives a real date instead of running away.
    const CalendarDate marker = dayNumberToDate(kDayBefore2004);
    EXPECT_EQ(marker.year, 2101);
    EXPECT_EQ(marker.month, 4);
    EXPECT_EQ(marker.day, 18);
}

TEST(DayNumber, AbsurdYearsEndQuickly) {
    // Whole 400-year cycles shift the 16-bit count by 146097 mod 65536 days.
    const int shift = 146097 % 65536;
    const auto base = static_cast<std::uint16_t>(dateToDayNumber(3, 5, 2010));
    const auto later = static_cast<std::uint16_t>(dateToDayNumber(3, 5, 2010 + 400 * 5000));
    EXPECT_EQ(static_cast<std::uint16_t>(base + shift * 5000), later);
    dateToDayNumber(31, 12, 2147483647);
}

TEST(DayNumber, LeapYears) {
    const std::pair<int, bool> cases[] = {{2004, true},  {2000, true},  {1900, false},
                                          {2100, false}, {2400, true},  {2023, false},
                                          {2024, true},  {2101, false}, {0, true}};
    for (auto [year, leap] : cases) {
        EXPECT_EQ(isLeapYear(year), leap) << year;
    }
    EXPECT_EQ(daysInMonth(2, 2004), 29);
    EXPECT_EQ(daysInMonth(2, 2100), 28);
    EXPECT_EQ(daysInMonth(0, 2004), 0);
    EXPECT_EQ(daysInMonth(13, 2004), 0);
}

TEST(DayNumber, Weekdays) {
    const std::pair<int, int> cases[] = {
        {0, 3},      // Thursday 1 January 2004
        {3, 6},      // Sunday 4 January
        {4, 0},      // Monday 5 January
        {10, 6},     // Sunday 11 January
        {-1, 2},     // Wednesday 31 December 2003
        {-4, 6},     // Sunday 28 December 2003
        {32767, 3},  // Thursday 17 September 2093
    };
    for (auto [day, weekday] : cases) {
        EXPECT_EQ(weekdayOfDay(day), weekday) << day;
    }
    const std::pair<int, int> mondays[] = {{4, 4}, {10, 4}, {11, 11}, {3, -3}, {0, -3}};
    for (auto [day, monday] : mondays) {
        EXPECT_EQ(mondayOnOrBefore(day), monday) << day;
        EXPECT_EQ(weekdayOfDay(mondayOnOrBefore(day)), 0);
    }
}

}  // namespace
}  // namespace trasovnik
