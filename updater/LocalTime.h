#pragma once
// The updater's view of the clock: the local date and time, the day number of the date and the
// seconds since 1 January 2004 00:00 local time that the stamp counts.
#include <cstdint>
#include <functional>

namespace obnovnik {

struct LocalTime {
    int year = 2004;
    int month = 1;  // 1-12
    int day = 1;    // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local time now, from the system clock and time zone.
LocalTime systemLocalTime();

// A source of the local time; tests give a fixed one.
using LocalClock = std::function<LocalTime()>;

// Day number of the date (days since 1 January 2004).
std::int32_t dayNumberOf(const LocalTime& time);
// ((day number × 24 + hour) × 60 + minute) × 60 + second, in 64 bits: the count times ten no
// longer fits 32 bits since 2010.
std::int64_t secondsSince2004(const LocalTime& time);

}  // namespace obnovnik
