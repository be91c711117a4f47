#pragma once
// Day numbers: whole days since 1 January 2004 (day 0, a Thursday), held as signed 16-bit
// values. Every date in a year before 2004 gives kDayBefore2004.

#include <cstdint>

namespace trasovnik {

inline constexpr std::int16_t kDayBefore2004 = -30000;
inline constexpr int kFirstYear = 2004;

struct CalendarDate {
    std::uint8_t day = 1;    // 1-31
    std::uint8_t month = 1;  // 1-12
    std::uint16_t year = kFirstYear;
};

bool isLeapYear(int year);
// Days of `month` (1-12) in `year`; 0 for a month outside 1-12.
int daysInMonth(int month, int year);

// Day number of a date. Years before 2004 give kDayBefore2004; the count is taken as a signed
// 16-bit value, so dates from 18 September 2093 on wrap to negative numbers, exactly as they
// are stored. A month outside 1-12 counts the months that exist (none before January, all
// twelve after December); the day is added as given.
std::int16_t dateToDayNumber(int day, int month, int year);

// Date of a day number. Negative day numbers (wrapped values of dates past 32767 days) are read
// as the unsigned 16-bit count, so every value gives a date between 1 January 2004 and the
// year 2183 and the conversion always ends.
CalendarDate dayNumberToDate(std::int16_t dayNumber);

// Weekday 0-6 of a day number, 0 = Monday: (d + 3) mod 7, never negative.
int weekdayOfDay(int dayNumber);
// The Monday on or before the day.
int mondayOnOrBefore(int dayNumber);

}  // namespace trasovnik
