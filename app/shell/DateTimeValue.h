#pragma once
// The value of the date and time fields as a time value: broken down from the local time,
// checked and put back together through the C library's calendar, and the current time from
// a replaceable clock (tests put it on the virtual clock).

#include "app/core/DateTexts.h"

#include <ctime>
#include <functional>

namespace pelorvant {

// Hour and minute from the local time, day, month (1 = January) and year; when the value
// cannot be broken down, hour and minute -1 and day, month and year 0.
DateTimeParts partsFromTime(std::time_t time);
// The parts as a local time value with seconds 0 (-1 when the calendar refuses them).
std::time_t timeFromParts(const DateTimeParts& parts);
// Hour 0-23, minute 0-59, and the calendar takes the date and time as they are (31 April or
// 29 February 2009 are refused).
bool isValidParts(const DateTimeParts& parts);
// The last day of the month (28 to 31); 31 for a month outside 1-12.
int lastDayOfMonth(int month, int year);
// The day the calendar opens on for a value that may be impossible (31.02., month 13): the
// month brought within 1-12, then the day within that month.
DateTimeParts calendarDateOf(const DateTimeParts& parts);
// The value once a day was picked in the calendar: always that day, with the value's hour and
// minute where each is valid and the hour or minute of `now` in place of one that is not.
DateTimeParts withPickedDay(const DateTimeParts& parts, int day, int month, int year,
                            const DateTimeParts& now);

// The current time. Replaceable for tests; null restores the system clock. Returns the
// previous clock.
std::time_t currentTime();
using TimeSource = std::function<std::time_t()>;
TimeSource setTimeSource(TimeSource source);

}  // namespace pelorvant
