#include "app/screens/search/ConnectionRow.h"

#include "app/core/DateTexts.h"
#include "app/core/TextConversion.h"

#include "platform/resources/StringTable.h"

#include <cstdio>
#include <cstdlib>

namespace pelorvant {

namespace {

constexpr std::uint32_t kTextWalkShort = 346;  // "přesun %d min."

std::u16string walkText(int minutes) {
    std::u16string pattern = platform::resources::loadResString(kTextWalkShort);
    const std::size_t at = pattern.find(u"%d");
    const std::string n = std::to_string(minutes);
    if (at != std::u16string::npos) pattern.replace(at, 2, std::u16string(n.begin(), n.end()));
    return pattern;
}

}  // namespace

std::u16string legLineName(const cUsekSpojeni& leg) {
    if (leg.lineName == nullptr || leg.lineNameLength <= 0) return {};
    return fromNarrowString(leg.lineName, leg.lineNameLength);
}

std::u16string distanceText(std::int32_t metres) {
    if (metres < 0) return {};
    const std::int32_t km = metres / 1000 + (metres % 1000 > 500 ? 1 : 0);
    const std::string text = ", " + std::to_string(km) + " km";
    return std::u16string(text.begin(), text.end());
}

cUsekSpojeni* tripLegOfItem(const cConnectionRow& row, int item) {
    if (item < 0 || item >= static_cast<int>(row.items.size())) return nullptr;
    const auto at = static_cast<std::size_t>(item);
    const ConnectionRowItem& it = row.items[at];
    if (it.walking) return nullptr;
    if (at + 1 == row.items.size()) {
        // The last stop: the trip that arrives there, unless a walk leads to it.
        if (at == 0 || row.items[at - 1].walking) return nullptr;
        return row.items[at - 1].leg;
    }
    return it.leg != nullptr && it.leg->departureSlot != kWalkingLegSlot ? it.leg : nullptr;
}

std::u16string legNotesText(const EngineApi& api, std::int32_t set, const cUsekSpojeni& leg) {
    std::int32_t* raw = nullptr;
    std::int32_t count = 0;
    const std::int32_t status = api.api_GetPoznamkySpoje(set, leg.timetable, static_cast<std::int32_t>(leg.trip), &raw, &count);
    EngineOwned<std::int32_t> notes(raw);
    std::u16string text;
    if (status != ENGINE_OK || notes == nullptr) return text;
    const EngineTexts texts(api);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::u16string note = texts.getPoznamkuText(set, leg.timetable, notes.get()[i]);
        if (note.empty()) continue;
        if (!text.empty()) text += u", ";
        text += note;
    }
    return text;
}

ConnectionRowBuilder::ConnectionRowBuilder(const EngineApi& api, std::int32_t set, std::int16_t searchDay)
    : api_(api), texts_(api), set_(set), searchDay_(searchDay) {}

std::vector<cConnectionRow> ConnectionRowBuilder::readResult(std::int32_t resultId) {
    std::vector<cConnectionRow> rows;
    std::int32_t count = 0;
    status = api_.api_getVysledekHledani_PocetSpojeni(set_, resultId, &count);
    if (status != ENGINE_OK) return {};
    for (std::int32_t i = 0; i < count; ++i) {
        cSpojeni* connection = nullptr;
        status = api_.api_getVysledekHledani_Spojeni(set_, resultId, i, &connection);
        if (status != ENGINE_OK || connection == nullptr) return {};
        rows.push_back(buildRow(*connection));
        if (status != ENGINE_OK) return {};
    }
    return rows;
}

cConnectionRow ConnectionRowBuilder::buildRow(const cSpojeni& connection) {
    cConnectionRow row;
    for (std::int32_t j = 0; j < connection.legCount; ++j) row.legs.push_back(connection.legs + j);
    fillItems(row);
    row.summary = formatDurationText(connection.totalMinutes) + distanceText(connection.distance);
    return row;
}

void ConnectionRowBuilder::replaceLeg(cConnectionRow& row, cUsekSpojeni* oldLeg, cUsekSpojeni* newLeg) {
    for (cUsekSpojeni*& leg : row.legs) {
        if (leg == oldLeg) leg = newLeg;
    }
    const int active = row.activeItem;
    fillItems(row);
    row.activeItem = active < static_cast<int>(row.items.size()) ? active : -1;
}

platform::draw::Color ConnectionRowBuilder::lineColour(const cUsekSpojeni& leg) {
    std::int32_t colour = 0;
    const std::int32_t s = api_.api_GetBarvuLinky(set_, leg.timetable, static_cast<std::int32_t>(leg.trip), &colour);
    if (s != ENGINE_OK) status = s;
    return static_cast<platform::draw::Color>(colour);
}

void ConnectionRowBuilder::fillItems(cConnectionRow& row) {
    row.items.assign(1, ConnectionRowItem{});
    for (cUsekSpojeni* leg : row.legs) {
        if (status != ENGINE_OK) return;
        if (leg->departureSlot != kWalkingLegSlot) {
            ConnectionRowItem& dep = row.items.back();
            dep.departureTime = formatMinutesAsTime(leg->departureMinute);
            dep.stop = texts_.getZastavkaSPoznamkami(set_, leg->timetable, leg->boardStop);
            dep.stopIndex = leg->boardStop;
            dep.timetable = leg->timetable;
            dep.lineName = legLineName(*leg);
            dep.lineColour = lineColour(*leg);
            dep.departureDay = leg->departureDay;
            dep.departureDiffers = leg->departureDay != searchDay_;
            dep.notes = legNotesText(api_, set_, *leg);
            dep.walking = false;
            dep.leg = leg;
            ConnectionRowItem arr;
            arr.arrivalTime = formatMinutesAsTime(leg->arrivalMinute);
            arr.arrivalDay = leg->arrivalDay;
            arr.arrivalDiffers = leg->arrivalDay != searchDay_;
            arr.stopIndex = leg->alightStop;
            arr.timetable = leg->timetable;
            arr.stop = texts_.getZastavkaSPoznamkami(set_, leg->timetable, leg->alightStop);
            row.items.push_back(std::move(arr));
            // A walk to the next leg's stop (or to the destination) after this one.
            if (leg->walkMinutes != kNoWalk &&
                (leg->walkStop != leg->alightStop || leg->walkTimetable != leg->timetable)) {
                const std::u16string target = texts_.getZastavkaSPoznamkami(set_, leg->walkTimetable, leg->walkStop);
                if (target != row.items.back().stop || leg->walkMinutes > 2) {
                    ConnectionRowItem& from = row.items.back();
                    from.walkText = walkText(leg->walkMinutes);
                    from.walkMinutes = leg->walkMinutes;
                    from.walking = true;
                    ConnectionRowItem to;
                    to.stop = target;
                    to.stopIndex = leg->walkStop;
                    to.timetable = leg->walkTimetable;
                    row.items.push_back(std::move(to));
                }
            }
            continue;
        }
        // A walking leg between two stops.
        const std::u16string fromName = texts_.getZastavkaSPoznamkami(set_, leg->timetable, leg->boardStop);
        const std::u16string toName = texts_.getZastavkaSPoznamkami(set_, leg->timetable, leg->alightStop);
        if (leg->boardStop == leg->alightStop || (fromName == toName && leg->rideMinutes <= 2)) continue;
        ConnectionRowItem& from = row.items.back();
        if (from.stop.empty()) {
            from.stop = fromName;
            from.stopIndex = leg->boardStop;
            from.timetable = leg->timetable;
        }
        from.walkText = walkText(leg->rideMinutes);
        from.walkMinutes = leg->rideMinutes;
        from.walking = true;
        from.leg = leg;
        ConnectionRowItem to;
        to.stop = toName;
        to.stopIndex = leg->alightStop;
        to.timetable = leg->timetable;
        row.items.push_back(std::move(to));
    }
}

}  // namespace pelorvant
