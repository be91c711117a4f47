#pragma once
// The program's copy of one timetable header, as the engine's catalogue reports it.
#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

struct TimetableHeaderInfo {
    std::u16string fileName;
    std::u16string title;       // compared by findHeaderByName; names the GPS warning's section
    std::u16string seriesName;  // the title with its number as "??"; names the parameter section
    std::u16string firstText;
    std::u16string secondText;  // the short name used in set names
    std::u16string thirdText;
    std::int16_t identifier = 0;
    std::int16_t firstValidFrom = 0;  // the version day compared with offered updates
    std::int16_t firstValidTo = 0;
    std::int16_t secondValidFrom = 0;
    std::int16_t secondValidTo = 0;
    std::vector<std::int16_t> itemIds;  // downloadable items this timetable provides
    std::int32_t seriesNumber = -1;
    std::int32_t sortKey = 0;
    std::int32_t categoryKindCount = 0;  // filled after a set with this timetable is loaded
    bool hasTrainPosition = false;       // flag A
    bool cityFlag = false;
    bool hasCoordinates = false;
    bool coordinatesExact = false;

    const std::u16string& shortName() const { return secondText; }
};

// One SMS-ticket offer of a set, the four texts as the engine gives them.
struct SmsTicketEntry {
    std::u16string firstText;
    std::u16string priceText;
    std::u16string secondText;
    std::u16string thirdText;
};

}  // namespace pelorvant
