#include "app/screens/progress/ProgressTexts.h"

#include "app/core/DateTexts.h"
#include "app/core/LabelPlainText.h"
#include "app/core/TextConversion.h"

#include "platform/resources/StringTable.h"

#include <ctime>
#include <string>

namespace pelorvant {

using platform::resources::loadResString;

namespace {

std::u16string sizeMark(int height) { return u"<*" + numberText(height) + u"*>"; }

// A value of the right column: bold, on its own line after the first row.
std::u16string value(int fontHeight, bool firstRow, std::u16string_view text) {
    // Names of timetables and stops show as written.
    return (firstRow ? u"" : u"\r") + sizeMark(fontHeight) + u"<*b*>" + plainLabelText(text) + u"<*b*>";
}

}  // namespace

std::u16string progressTitleMarkup(int fontHeight, std::u16string_view text) {
    return u"<*b*>" + sizeMark(static_cast<int>(fontHeight * 1.3)) + std::u16string(text);
}

LoadingDetails loadingDetails(const EngineApi& api, const TimetableHeaderInfo& header, int fontHeight) {
    LoadingDetails rows;
    rows.left = {sizeMark(fontHeight) + loadResString(143), sizeMark(fontHeight) + loadResString(270),
                 sizeMark(fontHeight) + loadResString(271)};
    rows.right = {value(fontHeight, true, header.title),
                  // Spaced, so that a narrow column breaks between the two dates, not inside one.
                  value(fontHeight, false,
                        dayNumberToDateText(api, header.firstValidFrom) + u" - " +
                            dayNumberToDateText(api, header.firstValidTo)),
                  value(fontHeight, false, dayNumberToDateText(api, header.firstValidFrom))};
    return rows;
}

SearchDetails searchDetails(const cSearchJob& job, int fontHeight) {
    const std::time_t when = static_cast<std::time_t>(job.when);
    std::tm parts{};
    localtime_r(&when, &parts);
    const DateTimeParts time{parts.tm_hour, parts.tm_min, parts.tm_mday, parts.tm_mon + 1, parts.tm_year + 1900};
    SearchDetails rows;
    rows.left = {sizeMark(fontHeight) + loadResString(146), sizeMark(fontHeight) + loadResString(272),
                 sizeMark(fontHeight) + loadResString(273)};
    rows.right = {value(fontHeight, true, job.fromName.empty() ? loadResString(425) : job.fromName),
                  value(fontHeight, false, job.toName), value(fontHeight, false, formatDateTimeText(time))};
    return rows;
}

std::u16string fillName(std::u16string_view text, std::u16string_view name) {
    std::u16string out(text);
    if (const auto at = out.find(u"%s"); at != std::u16string::npos) out.replace(at, 2, name);
    return out;
}

std::uint32_t loadStatusText(std::int32_t status) {
    switch (status) {
        case ENGINE_LOAD_OUT_OF_MEMORY:
            return 352;
        case ENGINE_LOAD_DAMAGED:
            return 353;
        case ENGINE_LOAD_TOO_NEW:
            return 354;
        case ENGINE_LOAD_TOO_OLD:
            return 355;
        case ENGINE_LOAD_OTHER_SOURCE:
            return 356;
        default:
            return 0;
    }
}

std::uint32_t searchStatusText(std::int32_t status) {
    switch (status) {
        case ENGINE_SEARCH_OUT_OF_MEMORY: return 357;
        case ENGINE_SEARCH_RESULT_GONE: return 358;
        case ENGINE_SEARCH_NO_VALID_TIMETABLE: return 359;
        case ENGINE_SEARCH_PLACES_OVERLAP: return 361;
        case ENGINE_SEARCH_NOTHING_FOUND: return 362;
        case ENGINE_SEARCH_NO_CANDIDATES: return 426;
        default: return 0;
    }
}

}  // namespace pelorvant
