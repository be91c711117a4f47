#include "engine/search/connections/TripPatterns.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "engine/data/TimetableFile.h"
#include "engine/search/connections/RouteVariant.h"

namespace trasovnik {

TripPatterns::TripPatterns(const cJizdniRad& file) {
    const cSpoje& trips = file.trips;
    const std::size_t stopCount = file.stops.stopCount();
    std::map<std::vector<std::uint16_t>, std::uint32_t> known;
    // The trips of a route variant call at the same stops: only the first trip of each
    // variant has a sequence to look at.
    std::unordered_set<std::uint64_t> variantsSeen;
    std::vector<std::uint16_t> sequence;
    begin_.push_back(0);
    for (std::uint32_t t = 0; t < trips.tripCount(); ++t) {
        if (!variantsSeen.insert(routeVariantOf(trips.trip(t))).second) {
            continue;
        }
        sequence.clear();
        for (std::size_t q = 0; q < trips.stopCount(t); ++q) {
            sequence.push_back(trips.stopAt(t, q));
        }
        if (sequence.size() < 2 || known.contains(sequence)) {
            continue;
        }
        known.emplace(sequence, static_cast<std::uint32_t>(begin_.size() - 1));
        stops_.insert(stops_.end(), sequence.begin(), sequence.end());
        begin_.push_back(static_cast<std::uint32_t>(stops_.size()));
    }
    // Calls by stop: counted, then placed.
    callBegin_.assign(stopCount + 1, 0);
    for (const std::uint16_t s : stops_) {
        if (s < stopCount) {
            ++callBegin_[s + 1];
        }
    }
    for (std::size_t s = 0; s < stopCount; ++s) {
        callBegin_[s + 1] += callBegin_[s];
    }
    calls_.resize(callBegin_[stopCount]);
    std::vector<std::uint32_t> next(callBegin_.begin(), callBegin_.end() - 1);
    for (std::size_t p = 0; p + 1 < begin_.size(); ++p) {
        for (std::uint32_t i = begin_[p]; i < begin_[p + 1]; ++i) {
            const std::uint16_t s = stops_[i];
            if (s < stopCount) {
                calls_[next[s]++] = PatternCall{static_cast<std::uint32_t>(p), i - begin_[p]};
            }
        }
    }
}

}  // namespace trasovnik
