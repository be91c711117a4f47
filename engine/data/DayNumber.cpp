#include "engine/data/DayNumber.h"

namespace trasovnik {

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year) {
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : kMonthDays[month - 1];
}

std::int16_t dateToDayNumber(int day, int month, int year) {
    if (year < kFirstYear) {
        return kDayBefore2004;
    }
    // Whole 400-year cycles (146097 days each) first, so that an absurd year costs no time.
    // The result is kept modulo 2^16 throughout, as the 16-bit value it becomes.
    std::uint32_t days = 0;
    const int cycles = (year - kFirstYear) / 400;
    days += static_cast<std::uint32_t>(cycles % 65536) * (146097u % 65536u);
    for (int y = kFirstYear + cycles * 400; y < year; ++y) {
        days += isLeapYear(y) ? 366u : 365u;
    }
    for (int m = 1; m < month && m <= 12; ++m) {
        days += static_cast<std::uint32_t>(daysInMonth(m, year));
    }
    days += static_cast<std::uint32_t>(day) - 1u;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(days & 0xFFFFu));
}

CalendarDate dayNumberToDate(std::int16_t dayNumber) {
    // The 16-bit pattern read unsigned: 0 to 65535 days after 1 January 2004.
    int r = static_cast<int>(static_cast<std::uint16_t>(dayNumber)) + 1;
    int year = kFirstYear;
    int month = 1;
    while (r > daysInMonth(month, year)) {
        r -= daysInMonth(month, year);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    CalendarDate out;
    out.day = static_cast<std::uint8_t>(r);
    out.month = static_cast<std::uint8_t>(month);
    out.year = static_cast<std::uint16_t>(year);
    return out;
}

int weekdayOfDay(int dayNumber) {
    const int w = (dayNumber % 7 + 3) % 7;
    return w < 0 ? w + 7 : w;
}

int mondayOnOrBefore(int dayNumber) {
    return dayNumber - weekdayOfDay(dayNumber);
}

}  // namespace trasovnik
