#include "bench/ProfileScan.h"

#include <algorithm>

#include "engine/data/TimetableFile.h"

namespace bench {

std::vector<Hop> hopsOfDay(const trasovnik::cJizdniRad& jr, int day) {
    std::vector<Hop> hops;
    const trasovnik::cSpoje& trips = jr.trips;
    for (std::uint32_t t = 0; t < trips.tripCount(); ++t) {
        for (int back = 0; back <= 1; ++back) {
            if (!trips.runsOnStartDay(t, day - back)) {
                continue;
            }
            for (std::size_t q = 0; q + 1 < trips.stopCount(t); ++q) {
                hops.push_back({trips.departureTime(t, q) - back * 1440,
                                trips.arrivalTime(t, q + 1) - back * 1440,
                                t * 2 + static_cast<std::uint32_t>(back), trips.stopAt(t, q),
                                trips.stopAt(t, q + 1), trips.canBoard(t, q),
                                trips.canAlight(t, q + 1)});
            }
        }
    }
    std::sort(hops.begin(), hops.end(), [](const Hop& a, const Hop& b) { return a.dep < b.dep; });
    return hops;
}

ProfileScan::ProfileScan(std::size_t stopCount, std::size_t tripSlots)
    : profile_(stopCount), tripArrival_(tripSlots, kNever), role_(stopCount, 0) {}

// Scans the hops backwards keeping, per stop, the Pareto set of (departure, arrival) pairs.
int ProfileScan::earliestArrival(const std::vector<Hop>& hops, const ProfileQuery& q) {
    for (auto& p : profile_) {
        p.clear();
    }
    std::fill(tripArrival_.begin(), tripArrival_.end(), kNever);
    for (std::uint16_t s : q.from) {
        role_[s] |= 1;
    }
    for (std::uint16_t s : q.to) {
        role_[s] |= 2;
    }
    const auto end = std::upper_bound(hops.begin(), hops.end(), q.t0 + q.horizon,
                                      [](int v, const Hop& h) { return v < h.dep; });
    const auto begin = std::lower_bound(hops.begin(), hops.end(), q.t0,
                                        [](const Hop& h, int v) { return h.dep < v; });
    int best = kNever;
    for (auto it = end; it != begin;) {
        --it;
        const Hop& h = *it;
        int arrival = kNever;
        if (h.alight) {
            if ((role_[h.to] & 2) != 0) {
                arrival = h.arr;
            } else {
                // Change at the stop: the first profile entry departing late enough.
                const auto& p = profile_[h.to];
                for (auto e = p.rbegin(); e != p.rend(); ++e) {
                    if (e->dep >= h.arr + q.minTransfer) {
                        arrival = e->arr;
                        break;
                    }
                }
            }
        }
        int& onTrip = tripArrival_[h.trip];
        onTrip = std::min(onTrip, arrival);
        if (!h.board || onTrip >= kNever) {
            continue;
        }
        auto& p = profile_[h.from];
        if (p.empty() || onTrip < p.back().arr) {
            p.push_back({h.dep, onTrip});
        }
        if ((role_[h.from] & 1) != 0 && h.dep <= q.t0 + q.window) {
            best = std::min(best, onTrip);
        }
    }
    for (std::uint16_t s : q.from) {
        role_[s] = 0;
    }
    for (std::uint16_t s : q.to) {
        role_[s] = 0;
    }
    return best;
}

}  // namespace bench
