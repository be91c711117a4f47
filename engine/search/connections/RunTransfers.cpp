// Transfers of a search run: from a stop where a trip is left, the departures reached there,
// over walking links and over links to other timetables, boarded by new labels.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>

#include "engine/search/connections/Ranking.h"
#include "engine/search/connections/RunDepartures.h"

namespace trasovnik::searchrun {

void Searcher::gatherBoarding(std::size_t tt, std::uint16_t stop, std::int32_t earliest,
                              std::size_t fromTt, std::uint32_t excludeTrip,
                              std::vector<Departure>& out) {
    // However long the wait, a departure within the run's window may be the only way on.
    const std::int32_t limit = endRel_;
    if (earliest >= limit) {
        return;
    }
    // Per group of the stop (trips over the same stops in the same direction), its first
    // departure from `earliest` on that runs and may be used, and each later one that reaches
    // the trip's last stop sooner than those taken (it overtakes them), in the order of the
    // stop's departures (the journeys' pruning may depend on that order).
    const StopDepartureIndex& index = *index_[tt];
    const std::uint32_t exclude = tt == fromTt ? excludeTrip : kNoTrip;
    std::vector<TiedDeparture>& found = boardingFound_;
    found.clear();
    for (const StopDepartureIndex::Group& g : index.groupsAt(stop)) {
        // The group's first departure: the earliest of its calls' first ones, day by day.
        bool taken = false;
        Departure first{};
        const StopDepartureIndex::Call* firstCall = nullptr;
        std::uint32_t firstPlace = 0;
        for (const StopDepartureIndex::Call& c : index.callsOf(g)) {
            forEachDayOf(index, c, earliest, limit, [&](std::int32_t day) {
                // Days come in order: once a day's earliest departure is after the first one
                // found, no later day of the call can give an earlier one.
                if (taken && dayStart(index, c, day) > first.time) {
                    return false;
                }
                forEachOnDay(
                    tt, index, c, day, earliest, limit, exclude,
                    [&](std::uint32_t place, const Departure& d) {
                        if (!taken || d.time < first.time ||
                            (d.time == first.time &&
                             index.tieOf(c, place) < index.tieOf(*firstCall, firstPlace))) {
                            first = d;
                            firstCall = &c;
                            firstPlace = place;
                            taken = true;
                        }
                        return false;
                    });
                return true;
            });
        }
        if (!taken) {
            continue;
        }
        const TiedDeparture head{first, index.tieOf(*firstCall, firstPlace), firstCall->ride};
        found.push_back(head);
        if (g.rideSpread == 0) {
            continue;  // no later departure of the group can overtake the first
        }
        // From this minute on no departure can overtake the first.
        const std::int32_t overtakeBefore = first.time + g.rideSpread;
        std::vector<TiedDeparture>& later = boardingLater_;
        later.clear();
        const std::int32_t until = std::min(limit, overtakeBefore);
        for (const StopDepartureIndex::Call& c : index.callsOf(g)) {
            forEachDayOf(index, c, first.time, until, [&](std::int32_t day) {
                forEachOnDay(tt, index, c, day, first.time, until, exclude,
                             [&](std::uint32_t place, const Departure& d) {
                                 later.push_back(TiedDeparture{d, index.tieOf(c, place), c.ride});
                                 return true;
                             });
                return true;
            });
        }
        std::sort(later.begin(), later.end());
        std::int32_t soonest = first.time + head.ride;
        for (const TiedDeparture& t : later) {
            if (!(head < t)) {
                continue;  // the first itself
            }
            if (t.d.time >= soonest) {
                break;
            }
            if (t.d.time + t.ride < soonest) {
                soonest = t.d.time + t.ride;
                found.push_back(t);
            }
        }
    }
    if (found.size() > 1) {
        std::sort(found.begin(), found.end());
    }
    for (const TiedDeparture& t : found) {
        out.push_back(t.d);
    }
}

void Searcher::allDepartures(std::size_t tt, std::uint16_t stop, std::int32_t from,
                             std::int32_t limit, std::vector<TiedDeparture>& out) const {
    const StopDepartureIndex& index = *index_[tt];
    for (const StopDepartureIndex::Group& g : index.groupsAt(stop)) {
        for (const StopDepartureIndex::Call& c : index.callsOf(g)) {
            forEachDayOf(index, c, from, limit, [&](std::int32_t day) {
                forEachOnDay(tt, index, c, day, from, limit, kNoTrip,
                             [&](std::uint32_t place, const Departure& d) {
                                 out.push_back(TiedDeparture{d, index.tieOf(c, place), c.ride});
                                 return true;
                             });
                return true;
            });
        }
    }
    std::sort(out.begin(), out.end());
}

std::span<const Departure> Searcher::boardingAt(std::size_t tt, std::uint16_t stop,
                                                std::int32_t earliest) {
    const std::uint64_t key = (static_cast<std::uint64_t>(tt) << 48) |
                              (static_cast<std::uint64_t>(stop) << 32) |
                              static_cast<std::uint32_t>(earliest);
    GatheredRange& range = gathered_.find(key);
    if (!range.known) {
        range.known = true;
        range.begin = static_cast<std::uint32_t>(gatheredDepartures_.size());
        gatherBoarding(tt, stop, earliest, tt, kNoTrip, gatheredDepartures_);
        range.end = static_cast<std::uint32_t>(gatheredDepartures_.size());
        gatheredEvents_.resize(gatheredDepartures_.size(), nullptr);
        ++counters_.gathers;
        counters_.departuresGathered += range.end - range.begin;
    }
    return {gatheredDepartures_.data() + range.begin, gatheredDepartures_.data() + range.end};
}

void Searcher::changesFrom(const std::vector<Label*>& changing, const StopEntry& e,
                           std::int32_t time, bool atVia) {
    counters_.changesTried += changing.size();
    const std::size_t tt = e.tt;
    // The labels as they leave the trip here; leaving a trip at a via stop meets the via
    // condition.
    std::vector<Label>& bases = changeBases_;
    bases.clear();
    for (const Label* l : changing) {
        PathNode* alight = nodes_.make();
        *alight = PathNode{l->node, time, e.tripDay,         e.trip, e.position,
                           e.stop,  e.tt, PathNode::kAlight, 0};
        Label base = *l;
        base.node = alight;
        base.flags |= kFlagWaiting | (atVia ? kFlagVia : 0);
        bases.push_back(base);
    }
    // Every label of one stop entry reaches the same departures: they are gathered once.
    const TransferKey key{e.tripDay, e.trip, time, e.stop, e.tt};
    if (!transferKeyValid_ || !(transferKey_ == key)) {
        transferKey_ = key;
        transferKeyValid_ = true;
        transferTargets_.clear();
        transferDepartures_.clear();
        // The stop entries that meet the same departures come within minutes of one another:
        // what was gathered long ago is forgotten rather than kept for the whole run.
        if (gatheredDepartures_.size() > kGatheredLimit) {
            gathered_.clear();
            gatheredDepartures_.clear();
            gatheredEvents_.clear();
        }
        auto gather = [&](std::size_t toTt, std::uint16_t stop, std::int32_t earliest,
                          std::uint8_t walk) {
            TransferTarget t{
                toTt, stop, walk, static_cast<std::uint32_t>(transferDepartures_.size()), 0, false};
            const std::span<const Departure> all = boardingAt(toTt, stop, earliest);
            // Without the trip just left among them, they are the departures reached with it
            // left out too: leaving out a departure that is not taken changes neither which
            // departure comes first in a group nor which ones overtake it.
            const bool excluded =
                toTt == tt && std::any_of(all.begin(), all.end(),
                                          [&](const Departure& d) { return d.trip == e.trip; });
            if (excluded) {
                gatherBoarding(toTt, stop, earliest, tt, e.trip, transferDepartures_);
                t.end = static_cast<std::uint32_t>(transferDepartures_.size());
            } else {
                t.gathered = true;
                t.begin = static_cast<std::uint32_t>(all.data() - gatheredDepartures_.data());
                t.end = t.begin + static_cast<std::uint32_t>(all.size());
            }
            if (t.end > t.begin) {
                transferTargets_.push_back(t);
            }
        };
        const cParametryHledaniRadu& p = params_.record(tt);
        gather(tt, e.stop, time + p.minimumTransfer, 0);
        for (const cPesiPrechod& w : combination_.timetable(tt).stops.walkingLinks(e.stop)) {
            gather(tt, w.stop, time + w.minutes, w.minutes);
        }
        for (const cOdkazDoRadu& link : combination_.crossLinks(tt).linksOf(e.stop)) {
            const std::size_t other = link.timetable;
            const int safe = std::max(p.safeTransfer, params_.record(other).safeTransfer);
            const int wait = std::max<int>(safe, link.value);
            gather(other, link.stop, time + wait, link.value);
        }
        // A stop reached twice (by two links) would meet its departures twice: then each
        // label takes all of them in turn, as the events' orders require.
        transferTargetsRepeat_ = false;
        for (std::size_t i = 0; i < transferTargets_.size() && !transferTargetsRepeat_; ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (transferTargets_[i].tt == transferTargets_[j].tt &&
                    transferTargets_[i].stop == transferTargets_[j].stop) {
                    transferTargetsRepeat_ = true;
                    break;
                }
            }
        }
    }
    boardChanges(bases, tt, time);
}

}  // namespace trasovnik::searchrun
