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

std::int64_t departureOf(const cUsekSpojeni& leg) {
    return static_cast<std::int64_t>(leg.departureDay) * 1440 + leg.departureMinute;
}

std::int64_t arrivalOf(const cUsekSpojeni& leg) {
    return static_cast<std::int64_t>(leg.arrivalDay) * 1440 + leg.arrivalMinute;
}

std::int64_t journeyStart(const std::vector<cUsekSpojeni*>& legs) {
    std::int64_t walks = 0;
    for (const cUsekSpojeni* leg : legs) {
        if (leg->departureSlot != kWalkingLegSlot) return departureOf(*leg) - walks;
        walks += leg->rideMinutes;
    }
    return legs.empty() ? 0 : departureOf(*legs.front());
}

std::int64_t journeyEnd(const std::vector<cUsekSpojeni*>& legs) {
    return legs.empty() ? 0 : arrivalOf(*legs.back());
}

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
    row.readMinutes = connection.totalMinutes;
    row.readStart = journeyStart(row.legs);
    row.readEnd = journeyEnd(row.legs);
    fillSummary(row);
    return row;
}

void ConnectionRowBuilder::fillSummary(cConnectionRow& row) const {
    // The engine counts the duration on the timetables' own clock; a stepped leg moves the
    // start or the end by as much as its times moved.
    row.totalMinutes = row.readMinutes + static_cast<std::int32_t>((journeyEnd(row.legs) - row.readEnd) -
                                                                   (journeyStart(row.legs) - row.readStart));
    std::int32_t distance = 0;
    for (const cUsekSpojeni* leg : row.legs) {
        if (leg->departureSlot == kWalkingLegSlot) continue;  // a walk adds no ridden distance
        distance = leg->distance < 0 || distance < 0 ? -1 : distance + leg->distance;
    }
    row.distance = distance;
    row.summary = formatDurationText(row.totalMinutes) + distanceText(row.distance);
}

bool ConnectionRowBuilder::replaceLeg(cConnectionRow& row, cUsekSpojeni* oldLeg, cUsekSpojeni* newLeg) {
    std::vector<cUsekSpojeni*> legs = row.legs;
    for (cUsekSpojeni*& leg : legs) {
        if (leg == oldLeg) leg = newLeg;
    }
    if (!connects(legs)) return false;
    row.legs = std::move(legs);
    const int active = row.activeItem;
    fillItems(row);
    fillSummary(row);
    row.activeItem = active < static_cast<int>(row.items.size()) ? active : -1;
    return status == ENGINE_OK;
}

std::int32_t ConnectionRowBuilder::minimumTransfer(std::int32_t timetable) {
    std::int32_t minutes = 0;
    const std::int32_t s = api_.api_GetMinimalniPocetMinutNaPrestup(set_, timetable, &minutes);
    if (s != ENGINE_OK) status = s;
    return minutes;
}

bool ConnectionRowBuilder::connects(const std::vector<cUsekSpojeni*>& legs) {
    bool afterTrip = false;
    std::int64_t arrived = 0;
    std::int64_t ready = 0;  // the first minute the next trip can be boarded
    for (const cUsekSpojeni* leg : legs) {
        if (leg->departureSlot == kWalkingLegSlot) {
            // A walk before the first trip starts as early as it must.
            if (afterTrip) ready = arrived += leg->rideMinutes;
            continue;
        }
        if (afterTrip && departureOf(*leg) < ready) return false;
        const bool walksOn = leg->walkMinutes != kNoWalk &&
                             (leg->walkStop != leg->alightStop || leg->walkTimetable != leg->timetable);
        arrived = arrivalOf(*leg);
        ready = arrived + (walksOn ? leg->walkMinutes : minimumTransfer(leg->timetable));
        if (status != ENGINE_OK) return false;
        afterTrip = true;
    }
    return true;
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
