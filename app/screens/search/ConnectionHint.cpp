#include "app/screens/search/ConnectionHint.h"

#include "app/core/DateTexts.h"
#include "app/core/EngineTexts.h"
#include "app/core/LabelPlainText.h"
#include "app/core/TextConversion.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

namespace {

constexpr std::uint32_t kTextFrom = 168;  // "Z:"
constexpr std::uint32_t kTextTo = 170;    // "Do:"

// The stop's name with its marks, the day when it is not the day searched for, and the
// trip's notes at that stop on a line of their own.
std::u16string stopLine(const EngineApi& api, std::int32_t set, const cUsekSpojeni& leg, std::uint16_t stop,
                        std::uint8_t position, std::int16_t day, std::int16_t searchDay) {
    const std::u16string suffix = day != searchDay ? u" " + dayNumberToDayMonthText(api, day) : std::u16string();
    return EngineTexts(api).getRadekZastavky(set, leg.timetable, stop, static_cast<int>(leg.trip), position, suffix);
}

}  // namespace

ItemHint connectionItemHint(const EngineApi& api, std::int32_t set, std::int16_t searchDay,
                            const cConnectionRow& row, int item, int fontHeight) {
    ItemHint hint;
    if (item < 0 || item >= static_cast<int>(row.items.size())) return hint;
    if (row.items[static_cast<std::size_t>(item)].stopIndex == kNoStop) return hint;
    const cUsekSpojeni* leg = tripLegOfItem(row, item);
    if (leg == nullptr) return hint;
    const std::u16string notes = legNotesText(api, set, *leg);
    hint.text = u"<*" + numberText(static_cast<int>(fontHeight * 0.9)) + u"*>" +
                platform::resources::loadResString(kTextFrom) + u" " +
                stopLine(api, set, *leg, leg->boardStop, leg->boardPosition, leg->departureDay, searchDay) + u"\r" +
                platform::resources::loadResString(kTextTo) + u" " +
                stopLine(api, set, *leg, leg->alightStop, leg->alightPosition, leg->arrivalDay, searchDay) + u"\r" +
                plainLabelText(legLineName(*leg)) + u", " + formatDurationText(leg->rideMinutes) +
                distanceText(leg->distance);
    if (!notes.empty()) {
        hint.text += u"\r" + plainLabelText(notes);
        hint.displayTime = kHintTimeWithNotes;
    }
    return hint;
}

}  // namespace pelorvant
