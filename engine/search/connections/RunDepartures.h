#pragma once
// Walking a stop's departures over days of a search run's window: the one place that turns
// the streams of a stop's departure index into departures of trips that run on a given day.

#include <algorithm>

#include "engine/search/connections/RunSearcher.h"

namespace trasovnik::searchrun {

inline std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return -floorDiv(-a, b);
}

template <class Visit>
void Searcher::forEachDayOf(const StopDepartureIndex& index, const StopDepartureIndex::Call& c,
                            std::int32_t from, std::int32_t limit, Visit&& visit) const {
    // A trip of the call's stream that starts on day D departs at D × 1440 + minute - base.
    const std::int64_t first = ceilDiv(base_ + from - index.lastMinute(c), kMinutesPerDay);
    const std::int64_t last = floorDiv(base_ + limit - 1 - index.firstMinute(c), kMinutesPerDay);
    for (std::int64_t d = first; d <= last; ++d) {
        if (!visit(static_cast<std::int32_t>(d))) {
            return;
        }
    }
}

inline std::int64_t Searcher::dayStart(const StopDepartureIndex& index,
                                       const StopDepartureIndex::Call& c,
                                       std::int32_t tripDay) const {
    return static_cast<std::int64_t>(tripDay) * kMinutesPerDay + index.firstMinute(c) - base_;
}

template <class Visit>
void Searcher::forEachOnDay(std::size_t tt, const StopDepartureIndex& index,
                            const StopDepartureIndex::Call& c, std::int32_t tripDay,
                            std::int32_t from, std::int32_t limit, std::uint32_t excludeTrip,
                            Visit&& visit) const {
    const auto& tripFlags = params_.record(tt).tripFlags;
    const std::vector<std::int16_t>& keys = index.keys();
    const std::vector<std::uint32_t>& tripList = index.trips();
    // Departure minute relative to the run's start = dayBase + key.
    const std::int64_t dayBase =
        static_cast<std::int64_t>(tripDay) * kMinutesPerDay + c.offset - base_;
    const std::int64_t lowest = from - dayBase;
    const auto begin = keys.begin() + c.begin;
    const auto end = keys.begin() + c.end;
    auto it = lowest <= *begin
                  ? begin
                  : std::lower_bound(begin, end, lowest,
                                     [](std::int16_t k, std::int64_t v) { return k < v; });
    for (; it != end; ++it) {
        const std::int64_t time = dayBase + *it;
        if (time >= limit) {
            return;
        }
        const auto place = static_cast<std::uint32_t>(it - keys.begin());
        const std::uint32_t trip = tripList[place];
        if (trip == excludeTrip || trip >= tripFlags.size() ||
            (tripFlags[trip] & kTripUsable) == 0 || !runs(tt, trip, tripDay)) {
            continue;
        }
        if (!visit(place, Departure{static_cast<std::int32_t>(time), trip, tripDay, c.position})) {
            return;
        }
    }
}

}  // namespace trasovnik::searchrun
