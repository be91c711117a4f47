#pragma once
// Walking a stop's departures over days of a search run's window: the one place that turns a
// stop's departures by minute of day into departures of trips that run on a given day.

#include "engine/search/RunSearcher.h"

namespace trasovnik::searchrun {

template <class Visit>
void Searcher::forEachDeparture(std::size_t tt, const StopDeparture* begin,
                                const StopDeparture* end, std::int32_t from, std::int32_t limit,
                                std::uint32_t excludeTrip, Visit&& visit) const {
    const auto& tripFlags = params_.record(tt).tripFlags;
    auto byMinute = [](const StopDeparture& p, std::int64_t v) { return p.minuteOfDay < v; };
    const std::int64_t lastDay = floorDiv(base_ + limit - 1, kMinutesPerDay);
    for (std::int64_t d = floorDiv(base_ + from, kMinutesPerDay); d <= lastDay; ++d) {
        const std::int64_t dayBase = d * kMinutesPerDay - base_;
        const std::int64_t lo = std::max<std::int64_t>(from - dayBase, 0);
        for (const StopDeparture* it = std::lower_bound(begin, end, lo, byMinute); it != end;
             ++it) {
            const std::int64_t time = dayBase + it->minuteOfDay;
            if (time >= limit) {
                break;
            }
            if (it->trip == excludeTrip || it->trip >= tripFlags.size() ||
                (tripFlags[it->trip] & kTripUsable) == 0) {
                continue;
            }
            const auto tripDay = static_cast<std::int32_t>(d - it->daysBack);
            if (!runs(tt, it->trip, tripDay)) {
                continue;
            }
            if (!visit(*it, Departure{static_cast<std::int32_t>(time), it->trip, tripDay,
                                      it->position})) {
                return;
            }
        }
    }
}

}  // namespace trasovnik::searchrun
