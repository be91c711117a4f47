#pragma once
// Date, time and number texts of the program. Day numbers count days since 1 January 2004 and
// are turned into dates by the engine.
#include "app/core/EngineBinding.h"

#include <cstdint>
#include <string>

namespace pelorvant {

// Hour, minute, day, month (1 to 12) and four-digit year: the value of date and time fields.
struct DateTimeParts {
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t day = 1;
    std::int32_t month = 1;
    std::int32_t year = 2004;
};

// Day, month and year of a day number; all 0 when the engine refuses the day.
struct CalendarDate {
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;
};
CalendarDate dayNumberToDate(const EngineApi& api, std::int16_t dayNumber);

std::u16string dayNumberToYearText(const EngineApi& api, std::int16_t dayNumber);       // "2026"
std::u16string dayNumberToDayMonthText(const EngineApi& api, std::int16_t dayNumber);   // "10. 12."
std::u16string dayNumberToDateText(const EngineApi& api, std::int16_t dayNumber);       // "10.12.2026"
std::u16string formatDateText(std::int32_t day, std::int32_t month, std::int32_t year);  // "10.12.2026"
std::u16string dayRangeText(const EngineApi& api, std::int16_t from, std::int16_t to);  // "1.1.2026-2.1.2026"
// "7:05 10. 12. 2026"
std::u16string formatDateTimeText(const DateTimeParts& time);
// "1:05" for 65.
std::u16string formatMinutesAsTime(std::int32_t minutes);
// "45 min", "2 h 5 min".
std::u16string formatDurationText(std::int32_t minutes);
// Whole seconds, one more when the remainder exceeds 500 ms.
std::int64_t msToRoundedSeconds(std::int64_t ms);
inline std::int32_t minInt(std::int32_t a, std::int32_t b) {
    return a < b ? a : b;
}
// In a table of rows of `columns` integers: column 0 of the first row whose column 2 is at
// least the value; 0 when no row fits (or the table has fewer than three columns).
std::int32_t choiceIndexForValue(const std::int32_t* table, int columns, int rows, std::int32_t value);

}  // namespace pelorvant
