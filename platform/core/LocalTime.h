#pragma once
// The local date and time. They follow the tick clock: while a VirtualClock is installed they
// move with it, from the local time the test set (VirtualClock::setLocalTime) or, until it sets
// one, from the system's local time when the clock was installed.

#include "platform/core/PlatformApi.h"

namespace platform {

struct SystemTime {
    int year = 1970;
    int month = 1;      // 1 to 12
    int dayOfWeek = 4;  // 0 Sunday to 6 Saturday
    int day = 1;        // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

PLATFORM_API SystemTime getLocalTime();

}  // namespace platform
