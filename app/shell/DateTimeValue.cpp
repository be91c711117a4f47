#include "app/shell/DateTimeValue.h"

#include <algorithm>
#include <utility>

namespace pelorvant {
namespace {

TimeSource& timeSource() {
    static TimeSource source;
    return source;
}

std::tm toTm(const DateTimeParts& parts) {
    std::tm tm{};
    tm.tm_year = parts.year - 1900;
    tm.tm_mon = parts.month - 1;
    tm.tm_mday = parts.day;
    tm.tm_hour = parts.hour;
    tm.tm_min = parts.minute;
    tm.tm_sec = 0;
    tm.tm_isdst = -1;
    return tm;
}

}  // namespace

DateTimeParts partsFromTime(std::time_t time) {
    std::tm tm{};
    if (::localtime_r(&time, &tm) == nullptr) {
        return DateTimeParts{-1, -1, 0, 0, 0};
    }
    return DateTimeParts{tm.tm_hour, tm.tm_min, tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900};
}

std::time_t timeFromParts(const DateTimeParts& parts) {
    std::tm tm = toTm(parts);
    return std::mktime(&tm);
}

bool isValidParts(const DateTimeParts& parts) {
    if (parts.hour < 0 || parts.hour > 23 || parts.minute < 0 || parts.minute > 59) {
        return false;
    }
    if (parts.month < 1 || parts.month > 12 || parts.day < 1 || parts.year < 1601 ||
        parts.year > 30827) {
        return false;
    }
    // mktime moves an impossible date on (31 April to 1 May): only an unchanged date is valid.
    std::tm tm = toTm(parts);
    if (std::mktime(&tm) == static_cast<std::time_t>(-1)) {
        return false;
    }
    return tm.tm_mday == parts.day && tm.tm_mon == parts.month - 1 &&
           tm.tm_year == parts.year - 1900;
}

int lastDayOfMonth(int month, int year) {
    for (int day = 31; day > 28; --day) {
        if (isValidParts(DateTimeParts{12, 0, day, month, year}))
            return day;
    }
    return month >= 1 && month <= 12 ? 28 : 31;
}

DateTimeParts calendarDateOf(const DateTimeParts& parts) {
    DateTimeParts date = parts;
    date.month = std::clamp(parts.month, 1, 12);
    date.day = std::clamp(parts.day, 1, lastDayOfMonth(date.month, date.year));
    return date;
}

DateTimeParts withPickedDay(const DateTimeParts& parts, int day, int month, int year,
                            const DateTimeParts& now) {
    DateTimeParts picked = parts;
    picked.day = day;
    picked.month = month;
    picked.year = year;
    if (picked.hour < 0 || picked.hour > 23)
        picked.hour = now.hour;
    if (picked.minute < 0 || picked.minute > 59)
        picked.minute = now.minute;
    // A time the clock skips that day (the hour summer time begins) becomes the one after it;
    // the day stays the picked one.
    const std::time_t time = timeFromParts(picked);
    if (time == static_cast<std::time_t>(-1))
        return picked;
    const DateTimeParts refilled = partsFromTime(time);
    if (refilled.day != day || refilled.month != month || refilled.year != year)
        return picked;
    return refilled;
}

std::time_t currentTime() {
    const TimeSource& source = timeSource();
    return source ? source() : std::time(nullptr);
}

TimeSource setTimeSource(TimeSource source) {
    return std::exchange(timeSource(), std::move(source));
}

}  // namespace pelorvant
