#pragma once
// A departure met by a search run: of a From stop while seeding, of a stop reached by a
// transfer while boarding.

#include <cstdint>

namespace trasovnik::searchrun {

struct Departure {
    std::int32_t time;  // relative to the run's start
    std::uint32_t trip;
    std::int32_t tripDay;
    std::uint8_t position;
};

}  // namespace trasovnik::searchrun
