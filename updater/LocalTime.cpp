#include "updater/LocalTime.h"

#include "engine/data/DayNumber.h"

#include <ctime>

namespace obnovnik {

LocalTime systemLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min,
                     parts.tm_sec};
}

std::int32_t dayNumberOf(const LocalTime& time) {
    return trasovnik::dateToDayNumber(time.day, time.month, time.year);
}

std::int64_t secondsSince2004(const LocalTime& time) {
    return ((static_cast<std::int64_t>(dayNumberOf(time)) * 24 + time.hour) * 60 + time.minute) * 60 + time.second;
}

}  // namespace obnovnik
