#pragma once
// What the stop-timetable screens show, copied out of the engine's result so that the result
// can be released at once: the route stops, the day groups with their hour rows and validity
// texts, and the distinct note texts of all groups. The engine's counts, indexes and texts are
// not trusted: negative counts read as none, huge ones are cut, a note index that names no
// note of its group reads as no note, and every text is read with the length the engine gave.
#include "app/core/EngineBinding.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

// The most departures read from one hour row and the longest text read: far above what a
// real timetable holds, low enough that a broken count cannot exhaust memory.
inline constexpr std::int32_t kStMaxDeparturesPerHour = 3600;
inline constexpr std::int32_t kStMaxTextLength = 65536;
inline constexpr std::int32_t kStMaxGroups = 64;
inline constexpr std::int32_t kStMaxRouteStops = 4096;

struct StDeparture {
    std::int32_t trip = 0;
    std::int32_t minute = 0;    // 0 to 59
    std::int32_t position = 0;  // the stop's position in the trip
    std::int32_t note = -1;     // position in StopTimetableCopy::notes, or -1
};

struct StDayGroup {
    std::array<std::vector<StDeparture>, 24> hours;
    std::u16string validity;  // as the engine wrote it, placeholders still in
};

struct StRouteStop {
    std::int32_t stop = 0;
    std::int32_t occurrence = 0;
    std::int32_t minutes = -1;  // from the from stop; -1 before it
    std::int32_t distance = -1;
};

struct StopTimetableCopy {
    std::vector<StRouteStop> routeStops;
    std::vector<StDayGroup> groups;
    std::vector<std::u16string> notes;  // in order of first appearance; texts compared exactly

    // The first route stop with minutes 0 (the from row); -1 when there is none.
    int fromRow() const;
};

// Copies a successful result with the counts that the search returned.
StopTimetableCopy copyStopTimetable(const EngineApi& api, const cStVysledek* result, std::int32_t groupCount,
                                    std::int32_t routeStopCount);

}  // namespace pelorvant
