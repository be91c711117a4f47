// Seeding of a search run: labels waiting at the From stops for their departures, one slice of
// the window at a time.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>

#include "engine/search/connections/RunDepartures.h"

namespace trasovnik::searchrun {

const std::vector<Departure>& Searcher::departures(std::size_t tt, std::uint16_t stop) {
    return fromDepartures_.of(tt, stop, [&] {
        std::vector<TiedDeparture> tied;
        allDepartures(tt, stop, 0, endRel_, tied);
        std::vector<Departure> list;
        list.reserve(tied.size());
        for (const TiedDeparture& t : tied) {
            list.push_back(t.d);
        }
        return list;
    });
}

bool Searcher::seededAt(std::int32_t fromIndex, std::int32_t time) const {
    const std::int32_t walk = work_.from.at(static_cast<std::size_t>(fromIndex)).walkMinutes;
    return time >= walk && time - walk <= standardWindow_ && time < endRel_;
}

bool Searcher::seedsFrom(std::size_t k) const {
    const cZastavkaZadani& c = work_.from[k];
    const auto tt = static_cast<std::size_t>(c.timetable);
    return (stopFlagsOf(tt, c.stop) & kStopFrom) != 0 && fromIndex_[tt][c.stop] == static_cast<std::int32_t>(k);
}

void Searcher::seed(std::int32_t b) {
    for (std::size_t k = 0; k < work_.from.size(); ++k) {
        const cZastavkaZadani& c = work_.from[k];
        const auto tt = static_cast<std::size_t>(c.timetable);
        if (!seedsFrom(k)) {
            continue;
        }
        if (origins_.size() <= k) {
            origins_.resize(work_.from.size(), nullptr);
        }
        if (origins_[k] == nullptr) {
            PathNode* o = nodes_.make();
            *o = PathNode{nullptr,
                          0,
                          0,
                          0,
                          static_cast<std::uint16_t>(k),
                          c.stop,
                          static_cast<std::uint8_t>(tt),
                          PathNode::kOrigin,
                          c.walkMinutes};
            origins_[k] = o;
        }
        const cSpoje& s = trips(tt);
        const std::vector<Departure>& deps = departures(tt, c.stop);
        const std::int32_t lo = b + c.walkMinutes;
        // Journeys that leave the From place after the standard window are never part of the
        // result; seeding them would only let them crowd out journeys that are.
        const std::int32_t hi =
            std::min(b + kSlice, standardWindow_ + 1) + static_cast<std::int32_t>(c.walkMinutes);
        auto it = std::lower_bound(deps.begin(), deps.end(), lo,
                                   [](const Departure& d, std::int32_t v) { return d.time < v; });
        bool viaAtOrigin = !hasVia_ || (stopFlagsOf(tt, c.stop) & kStopVia) != 0;
        if (!viaAtOrigin && c.sourceTimetable >= 0 && c.sourceStop >= 0) {
            viaAtOrigin = (stopFlagsOf(static_cast<std::size_t>(c.sourceTimetable),
                                       static_cast<std::size_t>(c.sourceStop)) &
                           kStopVia) != 0;
        }
        const bool bus = combination_.timetable(tt).header.notBusFlag == 0;
        for (; it != deps.end() && it->time < hi; ++it) {
            const Departure d = *it;
            const std::size_t n = s.stopCount(d.trip);
            // A departure that a better-placed From stop of the same trip serves is left to it,
            // but only when that stop's own seeding boards the trip there: the traveller must
            // reach it on foot from the requested minute in time, within the window.
            bool skip = false;
            int others = 0;
            // Forwards only as far as the trip can be left: a journey that leaves it before the
            // other From stop (to change, or at a To stop) does not pass there. Not on a trip
            // that may not be ridden within one stop group: boarding at the other stop may be
            // forbidden for the very ride this departure allows.
            const bool groupGuarded = s.trip(d.trip).noRideWithinGroup();
            for (std::size_t q = d.position + 1;
                 !groupGuarded && q < n && others < kMaxThirdStop && !skip; ++q) {
                const std::int32_t fi = fromIndex_[tt][stopOf(tt, d.trip, q)];
                if (fi >= 0 && fi < static_cast<std::int32_t>(k) && q + 1 < n &&
                    mayBoard(tt, d.trip, q) &&
                    seededAt(fi, relative(d.tripDay, departureTau(tt, d.trip, q)))) {
                    skip = true;
                } else if (mayAlight(tt, d.trip, q)) {
                    break;
                } else if (fi < 0) {
                    ++others;
                }
            }
            others = 0;
            for (std::size_t q = d.position; q-- > 0 && others < kMaxThirdStop && !skip;) {
                const std::int32_t fi = fromIndex_[tt][stopOf(tt, d.trip, q)];
                if (fi < 0) {
                    ++others;
                } else if (fi < static_cast<std::int32_t>(k) && mayBoard(tt, d.trip, q) &&
                           work_.from[static_cast<std::size_t>(fi)].walkMinutes <= c.walkMinutes) {
                    // The traveller could have boarded there instead, walk included. Not where
                    // more walking leads: that journey would walk away from this stop and ride
                    // back through it.
                    skip = nextOrPrevious_ ||
                           seededAt(fi, relative(d.tripDay, departureTau(tt, d.trip, q)));
                }
            }
            if (skip) {
                continue;
            }
            ++counters_.labelsMade;
            Label* l = labels_.make();
            l->node = origins_[k];
            l->start = static_cast<std::int16_t>(d.time - c.walkMinutes);
            l->walking = c.walkMinutes;
            l->sinceArrival = 255;
            l->flags = kFlagWaiting | (viaAtOrigin ? kFlagVia : 0) | (bus ? kFlagBus : 0);
            if ((params_.record(tt).tripFlags[d.trip] & kTripScNote) != 0) {
                l->flags |= kFlagSc;
            }
            addToEvent(l, tt, d.trip, d.position, d.tripDay, d.time);
        }
    }
}

}  // namespace trasovnik::searchrun
