#pragma once
// Walking a stop's departures over days of a search run's window: the one place that turns a
// stop's departures by minute of day into departures of trips that run on a given day.

#include "engine/search/RunSearcher.h"

namespace trasovnik::searchrun {

// Walks the departures [0, count) of a list in minute order from minute `lo` on;
// `minute(i)` is the minute of the i-th one, `at(i)` its place in StopDepartures::all.
template <class Minute, class At, class Visit>
void walkDepartures(std::size_t count, Minute minute, At at, std::int64_t lo, Visit&& visit) {
    std::size_t first = 0, n = count;
    while (n > 0) {  // the first departure at minute `lo` or later
        const std::size_t half = n / 2;
        if (minute(first + half) < lo) {
            first += half + 1;
            n -= half + 1;
        } else {
            n = half;
        }
    }
    for (std::size_t i = first; i < count; ++i) {
        if (!visit(at(i))) {
            return;
        }
    }
}

template <class Visit>
void Searcher::forEachDeparture(std::size_t tt, const StopDepartures& deps,
                                std::span<const GroupPlace> places, std::int32_t from,
                                std::int32_t limit, std::uint32_t excludeTrip,
                                Visit&& visit) const {
    const auto& tripFlags = params_.record(tt).tripFlags;
    const std::int64_t lastDay = floorDiv(base_ + limit - 1, kMinutesPerDay);
    const bool everyPlace = places.data() == nullptr;
    const std::size_t count = everyPlace ? deps.all.size() : places.size();
    auto at = [&](std::size_t i) -> std::size_t { return everyPlace ? i : places[i].place; };
    auto minute = [&](std::size_t i) -> std::int64_t {
        return everyPlace ? deps.all[i].minuteOfDay : places[i].minuteOfDay;
    };
    for (std::int64_t d = floorDiv(base_ + from, kMinutesPerDay); d <= lastDay; ++d) {
        const std::int64_t dayBase = d * kMinutesPerDay - base_;
        const std::int64_t lo = std::max<std::int64_t>(from - dayBase, 0);
        bool more = true;
        walkDepartures(count, minute, at, lo, [&](std::size_t place) {
            const StopDeparture& p = deps.all[place];
            const std::int64_t time = dayBase + p.minuteOfDay;
            if (time >= limit) {
                return false;
            }
            if (p.trip == excludeTrip || p.trip >= tripFlags.size() ||
                (tripFlags[p.trip] & kTripUsable) == 0) {
                return true;
            }
            const auto tripDay = static_cast<std::int32_t>(d - p.daysBack);
            if (!runs(tt, p.trip, tripDay)) {
                return true;
            }
            more = visit(place,
                         Departure{static_cast<std::int32_t>(time), p.trip, tripDay, p.position});
            return more;
        });
        if (!more) {
            return;
        }
    }
}

template <class Visit>
void Searcher::forEachDeparture(std::size_t tt, const StopDepartures& deps, std::int32_t from,
                                std::int32_t limit, std::uint32_t excludeTrip,
                                Visit&& visit) const {
    forEachDeparture(tt, deps, std::span<const GroupPlace>(), from, limit, excludeTrip,
                     std::forward<Visit>(visit));
}

}  // namespace trasovnik::searchrun
