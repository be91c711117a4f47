#pragma once
// A synthetic metropolitan timetable for benchmarks: a square city with a grid of bus
// streets, a bus stop with two platforms (one per direction) at every crossing, and a few
// radial metro lines crossing in the centre with frequent service and short walks to the
// nearest bus stops. Buses run on workdays and, less often, at weekends; the metro runs
// daily. A ferry and a funicular beyond the city's edge, linked to nothing, give places that
// no journey from the city reaches.
//
// Two kinds of bus network over the grid:
// - the grid city (the default options): one line along every street and lines that turn
//   once, walking links between the platforms of a crossing and to the neighbouring
//   crossings; a stop is served by few lines;
// - the dense city (denseCityOptions()): hundreds of routes that share corridors of 10 to 30
//   stops and spread out at both ends, so that a stop is served by about 5 to 15 routes, with
//   walking links to every stop within 250 m, as in the bus network of a large city.
// Deterministic: the same options give the same description on every machine.

#include <cstddef>
#include <cstdint>

#include <nlohmann/json.hpp>

namespace bench {

struct MetroCityOptions {
    int side = 41;           // crossings along each side of the grid
    double blockKm = 0.4;    // between neighbouring crossings
    int bentLines = 50;      // bus lines that turn once, beside one line per street
    int metroLines = 4;      // radial metro lines, each crossing the centre
    int metroStations = 25;  // stations of one metro line
    // The dense city: with corridorRoutes > 0 the buses run on that many routes over
    // `corridors` shared corridors instead of the street and bent lines, and every stop links
    // on foot to every stop within walkRadiusKm.
    int corridorRoutes = 0;
    int corridors = 0;
    double walkRadiusKm = 0;
    int busQuarterMinutes = 6;  // a bus's ride from one crossing to the next
    std::uint64_t seed = 0xC17E2027;
};

// The options of the dense city: 1 296 crossings 200 m apart, 340 routes over 72 corridors.
MetroCityOptions denseCityOptions();

// What one generated description holds.
struct MetroCityFigures {
    std::size_t stops = 0;
    std::size_t lines = 0;
    std::size_t trips = 0;
    std::size_t stopEvents = 0;  // stops of all trips
    std::size_t walkLinks = 0;
    // Bus routes (both directions count as one) serving a crossing, over the crossings they
    // serve: the 10th percentile, the median and the 90th percentile; and the crossings no
    // bus serves.
    std::size_t routesAtStopP10 = 0, routesAtStopMedian = 0, routesAtStopP90 = 0;
    std::size_t unservedCrossings = 0;
};

// Builds the description (the input of the timetable compiler) in memory.
nlohmann::json buildMetroCity(const MetroCityOptions& options, MetroCityFigures* figures = nullptr);

}  // namespace bench
