#include "engine/search/connections/TripIdentity.h"

#include <utility>

#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {

bool TripIdentity::same(std::size_t ttA, std::uint32_t tripA, std::size_t ttB,
                        std::uint32_t tripB) {
    if (ttA == ttB) {
        return tripA == tripB;
    }
    // The relation is symmetric: one cache entry serves both orders.
    if (ttA > ttB) {
        std::swap(ttA, ttB);
        std::swap(tripA, tripB);
    }
    const std::uint64_t key = (static_cast<std::uint64_t>(ttA) << 56) |
                              (static_cast<std::uint64_t>(tripA & 0xFFFFFF) << 32) |
                              (static_cast<std::uint64_t>(ttB) << 24) |
                              static_cast<std::uint64_t>(tripB & 0xFFFFFF);
    const auto found = known_.find(key);
    if (found != known_.end()) {
        return found->second;
    }
    const bool answer = compare(ttA, tripA, ttB, tripB);
    known_.emplace(key, answer);
    return answer;
}

bool TripIdentity::compare(std::size_t ttA, std::uint32_t tripA, std::size_t ttB,
                           std::uint32_t tripB) const {
    const cJizdniRad& a = set_.timetable(ttA);
    const cJizdniRad& b = set_.timetable(ttB);
    const cSpoje& sa = a.trips;
    const cSpoje& sb = b.trips;
    if ((sa.trip(tripA).packed & cSpoj::kMinuteMask) !=
        (sb.trip(tripB).packed & cSpoj::kMinuteMask)) {
        return false;
    }
    const std::size_t n = sa.stopCount(tripA);
    if (n != sb.stopCount(tripB)) {
        return false;
    }
    if (sa.lineNameOfTrip(tripA, a.noteLinks()) != sb.lineNameOfTrip(tripB, b.noteLinks())) {
        return false;
    }
    for (std::size_t p = 0; p < n; ++p) {
        if (a.stops.name(a.names, sa.stopAt(tripA, p)) !=
            b.stops.name(b.names, sb.stopAt(tripB, p))) {
            return false;
        }
    }
    return true;
}

}  // namespace trasovnik
