#include "engine/search/results/Listing.h"

#include "engine/data/EngineException.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {

namespace {
constexpr std::int64_t kMinutesPerDay = 1440;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}
}  // namespace

LocalTime normaliseMinute(std::int64_t minute, std::int32_t day) {
    const std::int64_t days = floorDiv(minute, kMinutesPerDay);
    return LocalTime{static_cast<std::int32_t>(minute - days * kMinutesPerDay),
                     static_cast<std::int32_t>(day + days)};
}

std::vector<ListingRow> listTrip(const cJizdniRadySestavy& set, const cUsekSpojeni& leg) {
    const cJizdniRad& tt = set.timetable(leg.timetable);
    const cSpoje& trips = tt.trips;
    const std::size_t trip = leg.trip;
    const std::size_t stops = trips.stopCount(trip);
    const cVazbyPoznamek notes = tt.noteLinks();

    std::int32_t startDay = leg.departureDay;
    const bool wholeTrip = leg.boardPosition == cUsekSpojeni::kWholeTrip &&
                           leg.alightPosition == cUsekSpojeni::kWholeTrip;
    if (!wholeTrip) {
        if (leg.boardPosition >= stops) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        const std::int64_t boarding = trips.departureTime(trip, leg.boardPosition) +
                                      tt.stops.groupValue(trips.stopAt(trip, leg.boardPosition));
        startDay = static_cast<std::int32_t>(leg.departureDay - floorDiv(boarding, kMinutesPerDay));
    }

    std::vector<ListingRow> rows;
    rows.reserve(stops);
    for (std::size_t i = 0; i < stops; ++i) {
        ListingRow row;
        row.stop = trips.stopAt(trip, i);
        const int shift = tt.stops.groupValue(row.stop);
        for (std::uint16_t n : tt.stopNotes(row.stop)) {
            row.stopNotes.push_back(n);
        }
        for (std::uint16_t n : trips.notesOfPassage(trip, i, notes)) {
            row.passageNotes.push_back(n);
        }
        const LocalTime arrival = normaliseMinute(trips.arrivalTime(trip, i) + shift, startDay);
        const LocalTime departure = normaliseMinute(trips.departureTime(trip, i) + shift, startDay);
        row.arrivalMinute = static_cast<std::int16_t>(arrival.minute);
        row.arrivalDay = static_cast<std::int16_t>(arrival.day);
        row.departureMinute = static_cast<std::int16_t>(departure.minute);
        row.departureDay = static_cast<std::int16_t>(departure.day);
        row.distance = trips.distanceTo(trip, i);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace trasovnik
