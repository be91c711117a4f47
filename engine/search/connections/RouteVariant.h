#pragma once
// The route variant of a trip: its route record, its direction and the part of the record it
// rides. The stops a trip calls at are the record's stop items over that part in that
// direction, so every trip of one variant calls at the same stops in the same order, with the
// same boarding and alighting rights.

#include <cstdint>

#include "engine/data/Trips.h"

namespace trasovnik {

inline std::uint64_t routeVariantOf(const cSpoj& s) {
    return (static_cast<std::uint64_t>(s.route()) << 24) |
           (static_cast<std::uint64_t>(s.reversed() ? 1 : 0) << 16) |
           (static_cast<std::uint64_t>(s.firstOffset) << 8) | s.stopCount;
}

}  // namespace trasovnik
