#pragma once
// A synthetic metropolitan timetable for benchmarks: a square city with a dense grid of bus
// streets, a bus stop with two platforms (one per direction) at every crossing, walking links
// between the platforms of a crossing and to the neighbouring crossings, bus lines along the
// streets (straight ones across the city and bent ones that turn once), and a few radial
// metro lines crossing in the centre with frequent service and short walks to the nearest
// bus stops. Buses run on workdays and, less often, at weekends; the metro runs daily. A ferry
// and a funicular beyond the city's edge, linked to nothing, give places that no journey from
// the city reaches.
// Deterministic: the same options give the same description on every machine.

#include <cstddef>
#include <cstdint>

#include <nlohmann/json.hpp>

namespace bench {

struct MetroCityOptions {
    int side = 41;           // crossings along each side of the grid (400 m apart)
    int bentLines = 50;      // bus lines that turn once, beside one line per street
    int metroLines = 4;      // radial metro lines, each crossing the centre
    int metroStations = 25;  // stations of one metro line
    std::uint64_t seed = 0xC17E2027;
};

// What one generated description holds.
struct MetroCityFigures {
    std::size_t stops = 0;
    std::size_t lines = 0;
    std::size_t trips = 0;
    std::size_t stopEvents = 0;  // stops of all trips
    std::size_t walkLinks = 0;
};

// Builds the description (the input of the timetable compiler) in memory.
nlohmann::json buildMetroCity(const MetroCityOptions& options, MetroCityFigures* figures = nullptr);

}  // namespace bench
