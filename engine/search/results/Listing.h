#pragma once
// The listing of a leg's whole trip, one row per stop of the trip (not only the ridden part),
// with the stops' local times: each minute has its stop's time shift added and is brought
// into 0..1439, carrying whole days.

#include <cstdint>
#include <vector>

#include "engine/search/results/ResultRecords.h"

namespace trasovnik {

class cJizdniRadySestavy;

struct ListingRow {
    std::uint16_t stop = 0;
    std::vector<std::int32_t> stopNotes;
    std::vector<std::int32_t> passageNotes;
    std::int16_t arrivalMinute = 0;
    std::int16_t arrivalDay = 0;
    std::int16_t departureMinute = 0;
    std::int16_t departureDay = 0;
    std::int32_t distance = 0;  // from the trip's first stop; -1 when unknown
};

// A minute (any value) on a day, brought into 0..1439 with the day carried.
struct LocalTime {
    std::int32_t minute = 0;
    std::int32_t day = 0;
};
LocalTime normaliseMinute(std::int64_t minute, std::int32_t day);

// The rows of the trip of `leg` in timetable leg.timetable of the set. The day of the trip's
// start is found from the leg: its departure day less the whole days of its boarding time, so
// that a leg boarded after midnight on a trip that started the evening before lists the
// earlier stops on that evening. A leg that names the whole trip (both positions 255) gives
// its departure day as the start day. A trip or timetable outside its table is
// ENGINE_EXC_INDEX.
std::vector<ListingRow> listTrip(const cJizdniRadySestavy& set, const cUsekSpojeni& leg);

}  // namespace trasovnik
