#include "engine/search/StopDepartureIndex.h"

#include <algorithm>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {

StopDepartureIndex::StopDepartureIndex(const cJizdniRad& file, bool mirrored)
    : file_(&file), mirrored_(mirrored), stops_(file.stops.stopCount()) {}

const StopDepartures& StopDepartureIndex::of(std::uint16_t stop) {
    if (stop >= stops_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    std::unique_ptr<StopDepartures>& slot = stops_[stop];
    if (slot) {
        return *slot;
    }
    auto built = std::make_unique<StopDepartures>();
    const cSpoje& trips = file_->trips;
    const cPrujezdyZastavek& passages = file_->passages;
    const std::uint32_t count = passages.passageCount(stop);
    built->all.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t t = passages.tripAt(stop, i);
        const std::size_t n = trips.stopCount(t);
        const std::size_t real = passages.positionAt(stop, i);
        if (real >= n) {
            continue;
        }
        // In mirrored time a trip departs where it really arrives, and runs backwards.
        const std::size_t q = mirrored_ ? n - 1 - real : real;
        if (q + 1 >= n) {
            continue;  // nothing to ride to
        }
        const bool boardable = mirrored_ ? trips.canAlight(t, real) : trips.canBoard(t, real);
        if (!boardable) {
            continue;
        }
        const int tau =
            mirrored_ ? 1439 - trips.arrivalTime(t, real) : trips.departureTime(t, real);
        // Real times past midnight of the trip's start day are the next day's; mirrored ones
        // run below 0 the same way.
        int daysBack = 0;
        int minute = tau;
        while (minute >= 1440) {
            minute -= 1440;
            ++daysBack;
        }
        while (minute < 0) {
            minute += 1440;
            --daysBack;
        }
        if (daysBack < -128 || daysBack > 127) {
            continue;  // cannot happen for times the file can hold
        }
        built->all.push_back(StopDeparture{static_cast<std::uint16_t>(minute),
                                           static_cast<std::int8_t>(daysBack),
                                           static_cast<std::uint8_t>(q), t});
    }
    // Passage rows usually run by minute already (always in the real direction).
    auto byMinute = [](const StopDeparture& a, const StopDeparture& b) {
        return a.minuteOfDay < b.minuteOfDay;
    };
    if (!std::is_sorted(built->all.begin(), built->all.end(), byMinute)) {
        std::stable_sort(built->all.begin(), built->all.end(), byMinute);
    }
    // Grouped by route, the minute order kept within a route: sorting (route, place) keys is
    // cheaper than a stable sort of the records.
    std::vector<std::uint64_t> keys(built->all.size());
    for (std::size_t i = 0; i < built->all.size(); ++i) {
        keys[i] = (static_cast<std::uint64_t>(trips.trip(built->all[i].trip).route()) << 32) | i;
    }
    std::sort(keys.begin(), keys.end());
    built->byRoute.reserve(keys.size());
    for (const std::uint64_t key : keys) {
        const auto route = static_cast<std::uint32_t>(key >> 32);
        if (built->routes.empty() || built->routes.back().route != route) {
            const auto at = static_cast<std::uint32_t>(built->byRoute.size());
            built->routes.push_back(RouteDepartures{route, at, at});
        }
        built->byRoute.push_back(static_cast<std::uint16_t>(key));
        ++built->routes.back().end;
    }
    built->all.shrink_to_fit();
    slot = std::move(built);
    return *slot;
}

StopDepartureIndex& StopDepartureIndexes::of(const std::shared_ptr<const cJizdniRad>& file,
                                             bool mirrored) {
    if (!file) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    std::erase_if(entries_, [](const Entry& e) { return e.file.expired(); });
    for (Entry& e : entries_) {
        const bool same = !e.file.owner_before(file) && !file.owner_before(e.file);
        if (same && e.mirrored == mirrored) {
            return *e.index;
        }
    }
    entries_.push_back(
        Entry{file, mirrored, std::make_unique<StopDepartureIndex>(*file, mirrored)});
    return *entries_.back().index;
}

}  // namespace trasovnik
