#pragma once
// A synthetic national timetable for benchmarks: thousands of invented towns spread over the
// area of the Czech Republic and Slovakia, city lines in the larger towns, regional buses
// between neighbouring towns and trains between the larger ones, with weekday, weekend and
// daily services. The generator is deterministic: the same options give the same description
// on every machine (it uses its own random numbers, not the standard distributions).

#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace bench {

struct NationalNetworkOptions {
    int towns = 6000;
    int stops = 30000;
    int lines = 2000;
    // Trips of all lines together; the file format holds at most 262144 (16-bit trip indexes
    // with two extension bits in the passages).
    int trips = 200000;
    std::uint64_t seed = 0x5EED2027;
};

// What one generated description holds.
struct NationalNetworkFigures {
    std::size_t towns = 0;
    std::size_t stops = 0;
    std::size_t lines = 0;
    std::size_t trips = 0;
    std::size_t stopEvents = 0;  // stops of all trips
    std::size_t walkLinks = 0;
    std::size_t maxPassagesAtStop = 0;
};

// Builds the description (the input of the timetable compiler) in memory.
nlohmann::json buildNationalNetwork(const NationalNetworkOptions& options,
                                    NationalNetworkFigures* figures = nullptr);

struct CompiledNetwork {
    std::string path;  // the timetable file
    std::size_t fileBytes = 0;
    std::size_t contentBytes = 0;  // the unpacked content stream
    double generateSeconds = 0;
    double compileSeconds = 0;
    NationalNetworkFigures figures;
};

// Generates the network, compiles it and writes the file "national.jz" into `directory`.
// Throws what the compiler throws for a faulty description, std::runtime_error when the
// file cannot be written.
CompiledNetwork compileNationalNetwork(const NationalNetworkOptions& options,
                                       const std::string& directory);

}  // namespace bench
