#pragma once
// A connection found by a search run, with the values that the acceptance test, the ranking
// and the selection compare.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/search/connections/RunPathStore.h"

namespace trasovnik::searchrun {

// One trip a candidate rides, on the day it started.
struct RiddenTrip {
    std::size_t tt;
    std::uint32_t trip;
    std::int32_t tripDay;
};

struct Candidate {
    const PathNode* node = nullptr;  // Board node of the last leg
    std::uint16_t alightPosition = 0;
    std::int32_t toIndex = 0;
    std::int32_t fromIndex = -1;  // only for a journey on foot alone (no node)
    std::int32_t rank = 0;
    std::int32_t cls = 0;
    std::int32_t o = 0;
    std::int32_t start = 0;
    std::int32_t arrival = 0;
    std::int32_t g = 0, h = 0, l = 0, m = 0;
    bool sc = false;
    bool bus = false;
    bool alive = true;
    std::uint64_t firstSlot = 0, lastSlot = 0;
    std::int32_t firstStops = 0;
    std::vector<RiddenTrip> trips;  // last leg first
};

// The journey values that the acceptance test and the selection compare.
struct Journey {
    std::int32_t start, o, g, h, l, m, rank;
    bool sc, bus;
};

// Whether the journey's note and bus flags let `p` give way to `q`.
inline bool flagConditions(const Journey& p, const Candidate& q) {
    return (p.sc || !q.sc) && (p.bus || !q.bus || 15 * q.o < 10 * p.o);
}

}  // namespace trasovnik::searchrun
