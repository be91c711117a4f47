#include "engine/data/Trips.h"

#include <algorithm>
#include <limits>

#include "engine/data/CheckedReads.h"
#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/NameBlock.h"
#include "engine/data/Notes.h"
#include "engine/data/Stops.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

constexpr std::uint16_t kStepMask = 0x3FFF;

// Floor division and modulo by a day, for times before the start day (negative plain values).
int dayOffsetOf(int minutes) {
    return minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
}
int minuteOfDay(int minutes) {
    return minutes - dayOffsetOf(minutes) * 1440;
}

}  // namespace

void cSpoje::read(TimetableFileReader& reader, const cNazvy& names, const cPoznamky& notes,
                  const cZastavky& stops, LoadObserver& observer) {
    const std::size_t attachmentCount = notes.attachments().size();
    stopGroups_.clear();
    stopGroups_.reserve(stops.stopCount());
    for (std::size_t s = 0; s < stops.stopCount(); ++s) {
        stopGroups_.push_back(stops.groupValue(s));
    }

    reader.skipSection();

    reader.skipSection();
    lines_.read(reader, names);
    readRoutes(reader);
    reader.skipSection();
    observer.progress(43);

    reader.skipSection();
    calendars_.read(reader, names);
    readValidity(reader, attachmentCount);
    reader.skipSection();
    observer.progress(46);

    reader.skipSection();
    patterns_.read(reader);
    reader.skipSection();
    observer.progress(50);

    readStopItems(reader, stops.stopCount(), attachmentCount);
    closeRouteRuns();

    std::uint32_t overflowCount = readCount(reader, 8);
    overflow_.clear();
    overflow_.reserve(overflowCount);
    for (std::uint32_t i = 0; i < overflowCount; ++i) {
        std::uint32_t item = reader.readU32();
        std::uint32_t value = reader.readU32();
        overflow_.emplace_back(item, value);
    }

    observer.progress(55);
    // Per trip: 2 + 1 + 4 + 2 + 2 + 2 + 1 + 1 + 1 bytes.
    std::uint32_t tripCount = readCount(reader, 16);
    trips_.clear();
    trips_.reserve(tripCount);
    for (std::uint32_t i = 0; i < tripCount; ++i) {
        readTrip(reader);
        if (observer.cancelled()) {
            return;
        }
    }
    reader.skipSection();
}

void cSpoje::readRoutes(TimetableFileReader& reader) {
    std::uint32_t count = readCount(reader, 9);
    routes_.clear();
    routes_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        cTrasaSpoje r;
        r.itemOffset = reader.readU32() & 0xFFFFFF;
        r.lineNameIndex = reader.readU16() & 0x7FFF;
        r.distanceUnit = reader.readU8() != 0 ? cTrasaSpoje::kDistanceInThousands : 0;
        r.line = reader.readU16();
        requireIndex(r.line < lines_.lineCount());
        requireIndex(r.lineNameIndex < lines_.lineNameCount());
        routes_.push_back(r);
    }
}

void cSpoje::readValidity(TimetableFileReader& reader, std::size_t attachmentCount) {
    std::uint32_t count = readCount(reader, 6);
    validity_.clear();
    validity_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        cPlatnostSpoje v;
        v.notes = reader.readU16();
        v.value = reader.readU16();
        v.calendar = reader.readU16();
        requireIndex(v.notes < attachmentCount);
        requireIndex(v.calendar < calendars_.count());
        validity_.push_back(v);
    }
}

void cSpoje::readStopItems(TimetableFileReader& reader, std::size_t stopCount,
                           std::size_t attachmentCount) {
    items_.clear();
    itemNotes_.clear();
    passageNoteTable_.clear();
    bool withNotes = reader.readU8() != 0;
    if (withNotes) {
        std::uint32_t tableCount = readCount(reader, 4);
        passageNoteTable_.reserve(tableCount);
        for (std::uint32_t i = 0; i < tableCount; ++i) {
            std::uint32_t attachment = reader.readU32();
            requireIndex(attachment < attachmentCount);
            passageNoteTable_.push_back(attachment);
        }
    }
    std::uint32_t count = readCount(reader, withNotes ? 5 : 4);
    items_.reserve(count);
    if (withNotes) {
        itemNotes_.reserve(count);
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint16_t stop = reader.readU16();
        std::uint16_t value = reader.readU16();
        requireIndex(stop < stopCount);
        items_.push_back(std::uint32_t{stop} << 16 | value);
        if (withNotes) {
            std::uint8_t note = reader.readU8();
            requireIndex(note <= passageNoteTable_.size());
            itemNotes_.push_back(note);
        }
    }
}

// A route's run ends where the next route's run begins (routes may share a run), or at the
// end of the stop items.
void cSpoje::closeRouteRuns() {
    std::vector<std::uint32_t> starts;
    starts.reserve(routes_.size());
    for (const cTrasaSpoje& r : routes_) {
        requireIndex(r.itemOffset <= items_.size());
        starts.push_back(r.itemOffset);
    }
    std::sort(starts.begin(), starts.end());
    for (cTrasaSpoje& r : routes_) {
        auto next = std::upper_bound(starts.begin(), starts.end(), r.itemOffset);
        r.itemEnd = next == starts.end() ? static_cast<std::uint32_t>(items_.size()) : *next;
    }
}

void cSpoje::readTrip(TimetableFileReader& reader) {
    std::uint16_t start = reader.readU16() & cSpoj::kMinuteMask;
    std::uint8_t reversed = reader.readU8();
    std::uint32_t route = reader.readU32() & cSpoj::kRouteMask;
    cSpoj s;
    s.arrivalPattern = reader.readU16();
    s.departurePattern = reader.readU16();
    s.validity = reader.readU16();
    s.firstOffset = reader.readU8();
    s.stopCount = reader.readU8();
    std::uint8_t noRide = reader.readU8();
    s.packed = start | (reversed != 0 ? cSpoj::kReversed : 0) |
               (noRide != 0 ? cSpoj::kNoRideWithinGroup : 0) | route << cSpoj::kRouteShift;

    requireIndex(route < routes_.size());
    requireIndex(s.validity < validity_.size());
    const cTrasaSpoje& r = routes_[route];
    requireIndex(s.stopCount > 0);
    requireIndex(std::size_t{r.itemOffset} + s.firstOffset + s.stopCount <= r.itemEnd);
    requireIndex(patterns_.coversStops(s.arrivalPattern, s.stopCount));
    requireIndex(patterns_.coversStops(s.departurePattern, s.stopCount));
    trips_.push_back(s);
}

int cSpoje::arrivalMinute(std::size_t t, std::size_t position) const {
    return minuteOfDay(arrivalTime(t, position));
}

int cSpoje::departureMinute(std::size_t t, std::size_t position) const {
    return minuteOfDay(departureTime(t, position));
}

bool cSpoje::runsOnStartDay(std::size_t t, int startDay) const {
    return calendars_.isDayValid(calendarOfTrip(t), startDay);
}

TripTime cSpoje::departureOnDay(std::size_t t, std::size_t position, int day) const {
    int minutes = departureTime(t, position);
    return {minutes, runsOnStartDay(t, day - dayOffsetOf(minutes))};
}

TripTime cSpoje::arrivalOnDay(std::size_t t, std::size_t position, int day) const {
    int minutes = arrivalTime(t, position);
    return {minutes, runsOnStartDay(t, day - dayOffsetOf(minutes))};
}

std::size_t cSpoje::mirroredPosition(std::size_t t, std::size_t q) const {
    std::size_t count = trip(t).stopCount;
    requireIndex(q < count);
    return count - 1 - q;
}

int cSpoje::mirroredArrivalMinute(std::size_t t, std::size_t q) const {
    return 1439 - arrivalMinute(t, mirroredPosition(t, q));
}

int cSpoje::mirroredDepartureMinute(std::size_t t, std::size_t q) const {
    return 1439 - departureMinute(t, mirroredPosition(t, q));
}

TripTime cSpoje::mirroredArrivalFrom(std::size_t t, std::size_t q, int mirroredDay) const {
    int minutes = arrivalTime(t, mirroredPosition(t, q));
    int realDay = kMirrorDay - mirroredDay;
    return {1439 - minutes, runsOnStartDay(t, realDay - dayOffsetOf(minutes))};
}

TripTime cSpoje::mirroredDepartureFrom(std::size_t t, std::size_t q, int mirroredDay) const {
    int minutes = departureTime(t, mirroredPosition(t, q));
    int realDay = kMirrorDay - mirroredDay;
    return {1439 - minutes, runsOnStartDay(t, realDay - dayOffsetOf(minutes))};
}

int cSpoje::isRideAllowed(std::size_t t, std::size_t i, std::size_t j) const {
    const cSpoj& s = trip(t);
    if (!s.noRideWithinGroup()) {
        return 1;
    }
    requireIndex(i < s.stopCount && j < s.stopCount);
    std::size_t from = std::min(i, j), to = std::max(i, j);
    int group = stopGroups_[stopAt(t, i)];
    for (std::size_t p = from; p <= to; ++p) {
        if (stopGroups_[stopAt(t, p)] != group) {
            return 1;
        }
    }
    return 0;
}

std::int64_t cSpoje::distanceStep(std::size_t item) const {
    std::uint16_t step = items_[item] & kStepMask;
    if (step == kNoDistance) {
        return -1;
    }
    if (step != kDistanceInOverflow) {
        return step;
    }
    auto it =
        std::lower_bound(overflow_.begin(), overflow_.end(), item,
                         [](const auto& entry, std::size_t key) { return entry.first < key; });
    if (it == overflow_.end() || it->first != item) {
        return -1;
    }
    return it->second;
}

std::int32_t cSpoje::distanceTo(std::size_t t, std::size_t n) const {
    const cSpoj& s = trip(t);
    requireIndex(n < s.stopCount);
    const cTrasaSpoje& r = routes_[s.route()];
    std::size_t first = std::size_t{r.itemOffset} + s.firstOffset;
    // The steps between positions 0 and n: of the items after the first one passed
    // (forward), or of the items after the one at position n (backward).
    std::size_t from = s.reversed() ? first + s.stopCount - n : first + 1;
    std::int64_t sum = 0;
    for (std::size_t k = from; k < from + n; ++k) {
        std::int64_t step = distanceStep(k);
        if (step < 0) {
            return -1;
        }
        sum += step;
    }
    if (r.distanceUnit == cTrasaSpoje::kDistanceInThousands) {
        sum *= 1000;
    }
    if (sum > std::numeric_limits<std::int32_t>::max()) {
        return -1;
    }
    return static_cast<std::int32_t>(sum);
}

std::string cSpoje::lineNameOfTrip(std::size_t t, const cVazbyPoznamek& notes) const {
    const cTrasaSpoje& r = routeOfTrip(t);
    return lines_.lineName(r.line, r.lineNameIndex, validity(trip(t).validity).notes, notes);
}

std::string cSpoje::dateNoteOfTrip(std::size_t t, const cNazvy& names) const {
    return std::string(calendars_.noteText(calendarOfTrip(t), names));
}

std::vector<std::uint16_t> cSpoje::tripNotes(std::size_t t, const cVazbyPoznamek& notes) const {
    return notes.notesOf(validity(trip(t).validity).notes);
}

std::vector<std::uint16_t> cSpoje::tripKindNotes(std::size_t t,
                                                  const cVazbyPoznamek& notes) const {
    return notes.kindNotesOf(validity(trip(t).validity).notes);
}

std::vector<std::uint16_t> cSpoje::notesOfPassage(std::size_t t, std::size_t position,
                                                  const cVazbyPoznamek& notes) const {
    std::size_t item = itemIndex(t, position);
    if (itemNotes_.empty() || itemNotes_[item] == 0) {
        return {};
    }
    return notes.notesOf(passageNoteTable_[itemNotes_[item] - 1]);
}

}  // namespace trasovnik
