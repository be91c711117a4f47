#include "engine/search/connections/StopDepartureIndex.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/connections/RouteVariant.h"

namespace trasovnik {

namespace {

constexpr int kMinutesPerDay = 1440;

int minuteOfDay(int minutes) {
    if (minutes >= 0 && minutes < kMinutesPerDay) {
        return minutes;
    }
    const int m = minutes % kMinutesPerDay;
    return m < 0 ? m + kMinutesPerDay : m;
}

}  // namespace

bool StopDepartureIndex::passagesInCompilerOrder(const cJizdniRad& file) {
    const cPrujezdyZastavek& passages = file.passages;
    const cSpoje& trips = file.trips;
    bool ordered = true;
    for (std::size_t stop = 0; stop < passages.stopCount() && ordered; ++stop) {
        int lastMinute = -1;
        std::uint32_t lastTrip = 0;
        std::uint8_t lastPosition = 0;
        passages.visitRow(stop, [&](std::uint32_t t, std::uint8_t position) {
            const int minute = minuteOfDay(trips.departureTime(t, position));
            if (minute != lastMinute) {
                ordered = minute > lastMinute;
            } else if (t != lastTrip) {
                ordered = t > lastTrip;
            } else {
                ordered = position >= lastPosition;
            }
            lastMinute = minute;
            lastTrip = t;
            lastPosition = position;
            return ordered;
        });
    }
    return ordered;
}

StopDepartureIndex::StopDepartureIndex(const cJizdniRad& file, bool mirrored)
    : StopDepartureIndex(file, mirrored, passagesInCompilerOrder(file)) {}

StopDepartureIndex::StopDepartureIndex(const cJizdniRad& file, bool mirrored, bool compilerOrder)
    : file_(&file), mirrored_(mirrored) {
    const cSpoje& trips = file.trips;
    const cVzoryCasu& patterns = trips.patterns();
    const std::size_t tripCount = trips.tripCount();
    // The streams: trips by route variant and time patterns, then in departure order.
    // Sorted on keys read once per trip rather than at every comparison.
    struct SortKey {
        std::uint64_t variant;
        std::uint32_t patterns;  // arrival pattern << 16 | departure pattern
        std::int32_t start;
        std::uint32_t trip;
        bool operator<(const SortKey& o) const {
            return std::tie(variant, patterns, start, trip) <
                   std::tie(o.variant, o.patterns, o.start, o.trip);
        }
    };
    std::vector<SortKey> keyed(tripCount);
    for (std::size_t t = 0; t < tripCount; ++t) {
        const cSpoj& s = trips.trip(t);
        const int start = s.startMinute();
        keyed[t] = SortKey{routeVariantOf(s),
                           static_cast<std::uint32_t>(s.arrivalPattern) << 16 | s.departurePattern,
                           mirrored ? -start : start, static_cast<std::uint32_t>(t)};
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::uint32_t> order(tripCount);
    for (std::size_t i = 0; i < tripCount; ++i) {
        order[i] = keyed[i].trip;
    }
    keyed = {};
    trips_.reserve(tripCount);
    keys_.reserve(tripCount);
    for (const std::uint32_t t : order) {
        const int start = trips.trip(t).startMinute();
        trips_.push_back(t);
        keys_.push_back(static_cast<std::int16_t>(mirrored ? -start : start));
    }

    // The calls, found route variant by route variant with the stop they call at.
    std::vector<std::pair<std::uint64_t, Call>> atStops;  // (stop << 32 | variant number, call)
    std::uint32_t variant = 0;
    std::vector<std::size_t> streamBegins;
    for (std::size_t v = 0; v < order.size(); ++variant) {
        const cSpoj& first = trips.trip(order[v]);
        std::size_t variantEnd = v;
        while (variantEnd < order.size() &&
               routeVariantOf(trips.trip(order[variantEnd])) == routeVariantOf(first)) {
            ++variantEnd;
        }
        // The variant's streams: runs of trips with the same time patterns, found once for
        // all its stops.
        streamBegins.clear();
        for (std::size_t s = v; s < variantEnd; ++s) {
            const cSpoj& t = trips.trip(order[s]);
            if (s == v || t.arrivalPattern != trips.trip(order[s - 1]).arrivalPattern ||
                t.departurePattern != trips.trip(order[s - 1]).departurePattern) {
                streamBegins.push_back(s);
            }
        }
        streamBegins.push_back(variantEnd);
        const std::uint32_t t0 = order[v];
        const std::size_t n = first.stopCount;
        for (std::size_t real = 0; real < n; ++real) {
            // In mirrored time a trip departs where it really arrives, and runs backwards.
            const std::size_t q = mirrored ? n - 1 - real : real;
            if (q + 1 >= n) {
                continue;  // nothing to ride to
            }
            // Boarding rights belong to the route record's stop items, which every trip of the
            // variant shares.
            const bool boardable = mirrored ? trips.canAlight(t0, real) : trips.canBoard(t0, real);
            if (!boardable) {
                continue;
            }
            const std::uint16_t stop = trips.stopAt(t0, real);
            for (std::size_t k = 0; k + 1 < streamBegins.size(); ++k) {
                const std::size_t s = streamBegins[k];
                const std::size_t streamEnd = streamBegins[k + 1];
                const cSpoj& lead = trips.trip(order[s]);
                const int departure = patterns.departureAt(lead.departurePattern, real);
                const int arrival = patterns.arrivalAt(lead.arrivalPattern, real);
                Call c{};
                c.begin = static_cast<std::uint32_t>(s);
                c.end = static_cast<std::uint32_t>(streamEnd);
                c.offset = mirrored ? 1439 - arrival : departure;
                c.ride = mirrored ? arrival - patterns.departureAt(lead.departurePattern, 0)
                                  : patterns.arrivalAt(lead.arrivalPattern, n - 1) - departure;
                c.realOffset = departure;
                c.position = static_cast<std::uint8_t>(q);
                c.realPosition = static_cast<std::uint8_t>(real);
                atStops.emplace_back((static_cast<std::uint64_t>(stop) << 32) | variant, c);
            }
        }
        v = variantEnd;
    }
    std::stable_sort(atStops.begin(), atStops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const std::size_t stopCount = file.stops.stopCount();
    groupBegin_.assign(stopCount + 1, 0);
    calls_.reserve(atStops.size());
    std::size_t at = 0;
    for (std::size_t stop = 0; stop < stopCount; ++stop) {
        groupBegin_[stop] = static_cast<std::uint32_t>(groups_.size());
        while (at < atStops.size() && (atStops[at].first >> 32) == stop) {
            const std::uint64_t key = atStops[at].first;
            Group g{static_cast<std::uint32_t>(calls_.size()), 0, 0};
            std::int32_t fastest = atStops[at].second.ride, slowest = fastest;
            for (; at < atStops.size() && atStops[at].first == key; ++at) {
                calls_.push_back(atStops[at].second);
                fastest = std::min(fastest, atStops[at].second.ride);
                slowest = std::max(slowest, atStops[at].second.ride);
            }
            g.end = static_cast<std::uint32_t>(calls_.size());
            g.rideSpread = slowest - fastest;
            groups_.push_back(g);
        }
    }
    groupBegin_[stopCount] = static_cast<std::uint32_t>(groups_.size());

    if (!compilerOrder) {
        firstEvent_.resize(tripCount);
        std::uint32_t events = 0;
        for (std::size_t t = 0; t < tripCount; ++t) {
            firstEvent_[t] = events;
            events += static_cast<std::uint32_t>(trips.stopCount(t));
        }
        slots_.assign(events, 0);
        const cPrujezdyZastavek& passages = file.passages;
        for (std::size_t stop = 0; stop < passages.stopCount(); ++stop) {
            for (std::uint32_t i = 0; i < passages.passageCount(stop); ++i) {
                slots_[firstEvent_[passages.tripAt(stop, i)] + passages.positionAt(stop, i)] =
                    static_cast<std::uint16_t>(i);
            }
        }
    }
}

std::span<const StopDepartureIndex::Group> StopDepartureIndex::groupsAt(std::uint16_t stop) const {
    if (static_cast<std::size_t>(stop) + 1 >= groupBegin_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return {groups_.data() + groupBegin_[stop], groups_.data() + groupBegin_[stop + 1]};
}

std::uint64_t StopDepartureIndex::tieOf(const Call& c, std::uint32_t place) const {
    const std::uint32_t trip = trips_[place];
    if (!slots_.empty()) {
        return slots_[firstEvent_[trip] + c.realPosition];
    }
    const int start = mirrored_ ? -keys_[place] : keys_[place];
    return (static_cast<std::uint64_t>(minuteOfDay(start + c.realOffset)) << 40) |
           (static_cast<std::uint64_t>(trip) << 8) | c.realPosition;
}

std::size_t StopDepartureIndex::bytes() const {
    return trips_.capacity() * sizeof(std::uint32_t) + keys_.capacity() * sizeof(std::int16_t) +
           calls_.capacity() * sizeof(Call) + groups_.capacity() * sizeof(Group) +
           groupBegin_.capacity() * sizeof(std::uint32_t) +
           firstEvent_.capacity() * sizeof(std::uint32_t) +
           slots_.capacity() * sizeof(std::uint16_t);
}

}  // namespace trasovnik
