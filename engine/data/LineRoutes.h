#pragma once
// Line routes of a city timetable (trip groups): per line its names, its trips in trip order
// and its routes. A route gathers the trips of a line that run the same stop sequence in the
// same direction (same route record, first offset, stop count and reversed flag); the
// stop-timetable search works on them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trasovnik {

class cSpoje;

struct cTrasaLinky {
    std::uint32_t routeRecord = 0;
    std::uint8_t firstOffset = 0;
    std::uint8_t stopCount = 0;
    bool reversed = false;
    std::uint16_t firstStop = 0;       // stop at the first position of the route's first trip
    std::uint16_t lastStop = 0;        // and at its last position
    std::vector<std::uint32_t> trips;  // in trip order
    std::uint32_t tripCount() const { return static_cast<std::uint32_t>(trips.size()); }
};

struct cLinkaTras {
    std::string name;                  // the line's own name (of its first trip's route record)
    std::string kindName;              // the name of the line's kind
    std::vector<std::uint32_t> trips;  // in trip order
    std::vector<cTrasaLinky> routes;
    std::uint32_t largestRoute = 0;  // the largest trip count of its routes
};

// Where a trip lies in the route tables.
struct RouteIndices {
    std::uint32_t line = 0;
    std::uint32_t route = 0;
};

class cTrasyLinek {
public:
    // Builds the tables from the loaded trips (and their line tables).
    void build(const cSpoje& trips);

    std::size_t lineCount() const { return lines_.size(); }
    // ENGINE_EXC_INDEX when out of range.
    const cLinkaTras& line(std::size_t l) const;
    // The route of a line with this stop run and direction, or none.
    std::optional<std::uint32_t> findRoute(std::size_t line, std::uint8_t firstOffset,
                                           std::uint8_t stopCount, bool reversed,
                                           std::uint32_t routeRecord) const;
    // The line and route of a trip; ENGINE_EXC_INDEX when out of range.
    RouteIndices mapIndices(std::size_t trip) const;

private:
    std::vector<cLinkaTras> lines_;
    std::vector<RouteIndices> ofTrip_;
};

}  // namespace trasovnik
