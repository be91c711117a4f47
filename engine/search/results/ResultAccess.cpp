#include "engine/search/results/ResultAccess.h"

#include <optional>
#include <string>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/Listing.h"
#include "engine/search/results/ResultStore.h"
#include "engine/search/results/SearchResult.h"

namespace trasovnik {

namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

struct Found {
    std::uint32_t passage = 0;
    std::uint32_t trip = 0;
    std::uint8_t board = 0;
    std::uint8_t alight = 0;
    std::int32_t day = 0;  // engine day of the departure
};

// The first position after `board` at which the trip is at `stop` and may be left there.
std::optional<std::uint8_t> alightingPosition(const cSpoje& trips, std::size_t trip,
                                              std::size_t board, std::uint16_t stop) {
    const std::size_t stops = trips.stopCount(trip);
    for (std::size_t q = board + 1; q < stops; ++q) {
        if (trips.stopAt(trip, q) == stop && trips.canAlight(trip, q)) {
            return static_cast<std::uint8_t>(q);
        }
    }
    return std::nullopt;
}

std::optional<Found> searchPassages(const cJizdniRad& tt, const cUsekSpojeni& leg,
                                    AlternativeDirection direction) {
    const cPrujezdyZastavek& passages = tt.passages;
    const cSpoje& trips = tt.trips;
    const std::size_t stop = leg.boardStop;
    const std::uint32_t count = passages.passageCount(stop);
    if (count == 0 || leg.departureSlot >= count) {
        return std::nullopt;
    }
    // The leg's departure in the engine's own minutes (local time less the stop's shift).
    const LocalTime own =
        normaliseMinute(static_cast<std::int64_t>(leg.departureMinute) - tt.stops.groupValue(stop),
                        leg.departureDay);
    const bool later = direction == AlternativeDirection::kLater;
    std::int32_t day = own.day;
    std::uint32_t i = leg.departureSlot;
    // Each passage is looked at once per day; two days and a bit bound the walk.
    for (std::uint64_t steps = 0; steps <= 3ull * count; ++steps) {
        if (later) {
            if (i + 1 >= count) {
                i = 0;
                ++day;
            } else {
                ++i;
            }
            if (day > own.day + 1) {
                return std::nullopt;
            }
        } else {
            if (i == 0) {
                i = count - 1;
                --day;
            } else {
                --i;
            }
            if (day < own.day - 1) {
                return std::nullopt;
            }
        }
        const std::uint32_t trip = passages.tripAt(stop, i);
        const std::uint8_t board = passages.positionAt(stop, i);
        if (!trips.canBoard(trip, board) || !trips.departureOnDay(trip, board, day).valid) {
            continue;
        }
        const auto alight = alightingPosition(trips, trip, board, leg.alightStop);
        if (!alight) {
            continue;
        }
        return Found{i, trip, board, *alight, day};
    }
    return std::nullopt;
}

}  // namespace

cVysledekHledani& storedResult(cSestava& set, std::int32_t resultId) {
    cVysledekHledani* result = resultStoreOf(set).find(resultId);
    if (result == nullptr) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return *result;
}

cSpojeni& storedConnection(cSestava& set, std::int32_t resultId, std::int32_t index) {
    cSpojeni* c = storedResult(set, resultId).connection(index);
    if (c == nullptr) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return *c;
}

cVysledekHledani& resultOwningLeg(cSestava& set, const cUsekSpojeni* leg) {
    cVysledkyHledani& store = resultStoreOf(set);
    const std::int32_t next = store.nextId();
    const std::int32_t oldest =
        next > static_cast<std::int32_t>(cVysledkyHledani::kMaxResults)
            ? next - static_cast<std::int32_t>(cVysledkyHledani::kMaxResults)
            : 0;
    for (std::int32_t id = oldest; id < next; ++id) {
        cVysledekHledani* r = store.find(id);
        if (r != nullptr && r->ownsLeg(leg)) {
            return *r;
        }
    }
    raiseEngine(ENGINE_EXC_INDEX);
}

cVysledekSpoj* alternativeOf(cSestava& set, cUsekSpojeni& leg, AlternativeDirection direction) {
    cVysledekHledani& result = resultOwningLeg(set, &leg);
    const bool later = direction == AlternativeDirection::kLater;
    if (cVysledekSpoj* linked = later ? leg.next : leg.previous) {
        return linked;
    }
    if (leg.departureSlot == cUsekSpojeni::kWalkingSlot) {
        return &leg;
    }
    const cJizdniRad& tt = set.combination().timetable(leg.timetable);
    const std::optional<Found> found = searchPassages(tt, leg, direction);
    if (!found) {
        return &leg;
    }

    const cSpoje& trips = tt.trips;
    const std::int64_t departureTime = trips.departureTime(found->trip, found->board);
    const std::int64_t arrivalTime = trips.arrivalTime(found->trip, found->alight);
    // Absolute engine minutes of the departure on its day, then local times of both stops.
    const std::int64_t departureAbs =
        found->day * kMinutesPerDay + (departureTime % kMinutesPerDay);
    const std::int64_t arrivalAbs = departureAbs + (arrivalTime - departureTime);
    const std::int64_t localDeparture = departureAbs + tt.stops.groupValue(leg.boardStop);
    const std::int64_t localArrival = arrivalAbs + tt.stops.groupValue(leg.alightStop);
    const LocalTime dep = normaliseMinute(localDeparture, 0);
    const LocalTime arr = normaliseMinute(localArrival, 0);

    cVysledekSpoj record = leg;
    record.trip = found->trip;
    record.boardPosition = found->board;
    record.alightPosition = found->alight;
    record.departureMinute = static_cast<std::int16_t>(dep.minute);
    record.departureDay = static_cast<std::int16_t>(dep.day);
    record.arrivalMinute = static_cast<std::int16_t>(arr.minute);
    record.arrivalDay = static_cast<std::int16_t>(arr.day);
    record.departureSlot = static_cast<std::uint16_t>(found->passage);
    const std::int32_t from = trips.distanceTo(found->trip, found->board);
    const std::int32_t to = trips.distanceTo(found->trip, found->alight);
    record.distance = (from < 0 || to < 0) ? -1 : to - from;
    record.rideMinutes = static_cast<std::int32_t>(localArrival - localDeparture);
    record.next = nullptr;
    record.previous = nullptr;
    const std::string name = trips.lineNameOfTrip(found->trip, tt.noteLinks());

    cVysledekSpoj* kept = result.keepAlternative(record, name);
    if (later) {
        leg.next = kept;
        kept->previous = &leg;
    } else {
        leg.previous = kept;
        kept->next = &leg;
    }
    return kept;
}

}  // namespace trasovnik
