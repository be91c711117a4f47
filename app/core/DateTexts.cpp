#include "app/core/DateTexts.h"

#include "app/core/TextConversion.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

namespace {

// The units of a duration.
constexpr std::uint32_t kTextHours = 12329;
constexpr std::uint32_t kTextMinutes = 12330;

}  // namespace

CalendarDate dayNumberToDate(const EngineApi& api, std::int16_t dayNumber) {
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::int16_t year = 0;
    if (api.api_ShortDenToDatum(dayNumber, &day, &month, &year) != ENGINE_OK) return {};
    return {day, month, year};
}

std::u16string dayNumberToYearText(const EngineApi& api, std::int16_t dayNumber) {
    return numberText(dayNumberToDate(api, dayNumber).year);
}

std::u16string dayNumberToDayMonthText(const EngineApi& api, std::int16_t dayNumber) {
    const CalendarDate d = dayNumberToDate(api, dayNumber);
    return numberText(d.day) + u". " + numberText(d.month) + u".";
}

std::u16string dayNumberToDateText(const EngineApi& api, std::int16_t dayNumber) {
    const CalendarDate d = dayNumberToDate(api, dayNumber);
    return formatDateText(d.day, d.month, d.year);
}

std::u16string formatDateText(std::int32_t day, std::int32_t month, std::int32_t year) {
    return numberText(day) + u"." + numberText(month) + u"." + numberText(year);
}

std::u16string dayRangeText(const EngineApi& api, std::int16_t from, std::int16_t to) {
    return dayNumberToDateText(api, from) + u"-" + dayNumberToDateText(api, to);
}

std::u16string formatDateTimeText(const DateTimeParts& time) {
    return numberText(time.hour) + u":" + (time.minute < 10 ? u"0" : u"") + numberText(time.minute) + u" " +
           numberText(time.day) + u". " + numberText(time.month) + u". " + numberText(time.year);
}

std::u16string formatMinutesAsTime(std::int32_t minutes) {
    const std::int32_t m = minutes % 60;
    return numberText(minutes / 60) + u":" + (m < 10 ? u"0" : u"") + numberText(m);
}

std::u16string formatDurationText(std::int32_t minutes) {
    std::u16string text;
    if (minutes >= 60) text = numberText(minutes / 60) + u" " + platform::resources::loadResString(kTextHours) + u" ";
    return text + numberText(minutes % 60) + u" " + platform::resources::loadResString(kTextMinutes);
}

std::int64_t msToRoundedSeconds(std::int64_t ms) {
    return ms / 1000 + (ms % 1000 > 500 ? 1 : 0);
}

std::int32_t choiceIndexForValue(const std::int32_t* table, int columns, int rows, std::int32_t value) {
    if (table == nullptr || columns < 3) return 0;
    for (int row = 0; row < rows; ++row) {
        if (table[row * columns + 2] >= value) return table[row * columns];
    }
    return 0;
}

}  // namespace pelorvant
