#include "engine/search/StopDepartureIndex.h"

#include <algorithm>
#include <utility>

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
    // The group key of each departure in `all`: route record, direction and stop range.
    std::vector<std::uint64_t> groupKeys;
    groupKeys.reserve(count);
    // Minutes of each departure's ride to its trip's last stop, in the search's direction.
    std::vector<std::int32_t> rides;
    rides.reserve(count);
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
        const cSpoj& record = trips.trip(t);
        built->all.push_back(StopDeparture{static_cast<std::uint16_t>(minute),
                                           static_cast<std::int8_t>(daysBack),
                                           static_cast<std::uint8_t>(q), t, 0});
        groupKeys.push_back((static_cast<std::uint64_t>(record.route()) << 24) |
                            (static_cast<std::uint64_t>(record.reversed() ? 1 : 0) << 16) |
                            (static_cast<std::uint64_t>(record.firstOffset) << 8) |
                            record.stopCount);
        const int lastArrival =
            mirrored_ ? 1439 - trips.departureTime(t, 0) : trips.arrivalTime(t, n - 1);
        rides.push_back(lastArrival - tau);
    }
    // Passage rows usually run by minute already (always in the real direction).
    std::vector<std::uint32_t> byMinute(built->all.size());
    for (std::uint32_t i = 0; i < byMinute.size(); ++i) {
        byMinute[i] = i;
    }
    auto earlier = [&](std::uint32_t a, std::uint32_t b) {
        return built->all[a].minuteOfDay < built->all[b].minuteOfDay;
    };
    if (!std::is_sorted(byMinute.begin(), byMinute.end(), earlier)) {
        std::stable_sort(byMinute.begin(), byMinute.end(), earlier);
    }
    std::vector<StopDeparture> sorted(built->all.size());
    std::vector<std::uint64_t> sortedKeys(built->all.size());
    std::vector<std::int32_t> sortedRides(built->all.size());
    for (std::uint32_t i = 0; i < byMinute.size(); ++i) {
        sorted[i] = built->all[byMinute[i]];
        sortedKeys[i] = groupKeys[byMinute[i]];
        sortedRides[i] = rides[byMinute[i]];
    }
    built->all = std::move(sorted);
    // Grouped by key, the minute order kept within a group.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(built->all.size());
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
        keys[i] = {sortedKeys[i], i};
    }
    std::sort(keys.begin(), keys.end());
    built->byGroup.reserve(keys.size());
    std::int32_t fastest = 0, slowest = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::int32_t ride = sortedRides[keys[k].second];
        if (k == 0 || keys[k].first != keys[k - 1].first) {
            const auto at = static_cast<std::uint32_t>(built->byGroup.size());
            built->groups.push_back(GroupDepartures{at, at, 0});
            fastest = slowest = ride;
        }
        fastest = std::min(fastest, ride);
        slowest = std::max(slowest, ride);
        built->groups.back().rideSpread = slowest - fastest;
        StopDeparture& d = built->all[keys[k].second];
        d.group = static_cast<std::uint16_t>(built->groups.size() - 1);
        built->byGroup.push_back(
            GroupPlace{d.minuteOfDay, static_cast<std::uint16_t>(keys[k].second)});
        ++built->groups.back().end;
    }
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
