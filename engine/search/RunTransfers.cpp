// Transfers of a search run: from a stop where a trip is left, the departures reached there,
// over walking links and over links to other timetables, boarded by new labels.

#include "engine/search/RunSearcher.h"

#include <algorithm>

#include "engine/search/RunDepartures.h"

namespace trasovnik::searchrun {

std::int32_t Searcher::endArrival(std::size_t tt, const Departure& d) const {
    return relative(d.tripDay, arrivalTau(tt, d.trip, trips(tt).stopCount(d.trip) - 1));
}

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
    const StopDepartures& deps = index_[tt]->of(stop);
    const std::uint32_t exclude = tt == fromTt ? excludeTrip : kNoTrip;
    // A stop with few departures per group is cheaper to walk through the window once, marking
    // the groups met; one with few groups is cheaper to search group by group.
    const std::size_t windowDepartures =
        deps.all.size() * static_cast<std::size_t>(limit - earliest) / kMinutesPerDay;
    if (deps.groups.size() * 8 >= windowDepartures) {
        if (++scratch_.groupStamp == 0) {
            std::fill(scratch_.groupSeen.begin(), scratch_.groupSeen.end(), 0);
            scratch_.groupStamp = 1;
        }
        if (scratch_.groupSeen.size() < deps.groups.size()) {
            scratch_.groupSeen.resize(deps.groups.size(), 0);
            scratch_.groupSoonest.resize(deps.groups.size(), 0);
        }
        std::vector<std::uint32_t>& seen = scratch_.groupSeen;
        std::vector<std::int32_t>& soonest = scratch_.groupSoonest;
        std::vector<std::int32_t>& overtakeBefore = scratch_.groupOvertakeBefore;
        if (overtakeBefore.size() < deps.groups.size()) {
            overtakeBefore.resize(deps.groups.size(), 0);
        }
        std::size_t groupsMet = 0;
        std::int32_t latestSoonest = 0;   // no departure from then on can overtake
        std::int32_t latestOvertake = 0;  // nor from then on, by the groups' ride spreads
        forEachDeparture(
            tt, deps, earliest, limit, exclude, [&](std::size_t place, const Departure& d) {
                const StopDeparture& p = deps.all[place];
                if (groupsMet == deps.groups.size() &&
                    d.time >= std::min(latestSoonest, latestOvertake)) {
                    return false;
                }
                if (seen[p.group] != scratch_.groupStamp) {
                    seen[p.group] = scratch_.groupStamp;
                    soonest[p.group] = endArrival(tt, d);
                    overtakeBefore[p.group] = d.time + deps.groups[p.group].rideSpread;
                    latestSoonest = std::max(latestSoonest, soonest[p.group]);
                    latestOvertake = std::max(latestOvertake, overtakeBefore[p.group]);
                    ++groupsMet;
                    out.push_back(d);
                } else if (d.time < soonest[p.group] && d.time < overtakeBefore[p.group]) {
                    const std::int32_t end = endArrival(tt, d);
                    if (end < soonest[p.group]) {
                        soonest[p.group] = end;
                        out.push_back(d);
                    }
                }
                return true;
            });
    } else {
        std::vector<std::uint32_t>& orders = boardingOrder_;
        std::vector<Departure>& found = boardingFound_;
        orders.clear();
        found.clear();
        for (const GroupDepartures& g : deps.groups) {
            bool taken = false;
            std::int32_t soonest = 0;
            std::int32_t overtakeBefore = 0;
            forEachDeparture(tt, deps,
                             std::span<const GroupPlace>(deps.byGroup.data() + g.begin,
                                                         deps.byGroup.data() + g.end),
                             earliest, limit, exclude, [&](std::size_t place, const Departure& d) {
                                 if (taken && (d.time >= soonest || d.time >= overtakeBefore)) {
                                     return false;
                                 }
                                 const std::int32_t end = endArrival(tt, d);
                                 if (!taken || end < soonest) {
                                     if (!taken) {
                                         overtakeBefore = d.time + g.rideSpread;
                                     }
                                     taken = true;
                                     soonest = end;
                                     found.push_back(d);
                                     orders.push_back(static_cast<std::uint32_t>(place));
                                 }
                                 return true;
                             });
        }
        std::vector<std::uint32_t>& byTime = boardingSorted_;
        byTime.resize(found.size());
        for (std::uint32_t i = 0; i < byTime.size(); ++i) {
            byTime[i] = i;
        }
        std::sort(byTime.begin(), byTime.end(), [&](std::uint32_t a, std::uint32_t b) {
            return found[a].time != found[b].time ? found[a].time < found[b].time
                                                  : orders[a] < orders[b];
        });
        for (const std::uint32_t i : byTime) {
            out.push_back(found[i]);
        }
    }
}

void Searcher::boardFrom(const Label& l, const PathNode* alight, const TransferTarget& target,
                         std::int32_t arrived, std::size_t fromTt) {
    const std::size_t tt = target.tt;
    const std::uint8_t walk = target.walk;
    const cParametryHledaniRadu& fromParams = params_.record(fromTt);
    for (std::uint32_t i = target.begin; i < target.end; ++i) {
        const Departure d = transferDepartures_[i];
        ++counters_.departuresBoarded;
        ++counters_.labelsMade;
        Label* n = labels_.make();
        *n = l;
        n->node = alight;
        n->flags |= kFlagWaiting;
        n->transfers = cap255(l.transfers + 1);
        n->penalty = cap255(l.penalty + fromParams.transferPenalty);
        const std::int32_t waited = d.time - arrived - walk;
        n->shortfall =
            cap255(std::max<std::int32_t>(l.shortfall, fromParams.safeTransfer - waited));
        n->walking = cap255(l.walking + walk);
        n->sinceArrival = cap255(waited);
        n->walkPending = walk;
        if ((params_.record(tt).tripFlags[d.trip] & kTripScNote) != 0) {
            n->flags |= kFlagSc;
        }
        addToEvent(n, tt, d.trip, d.position, d.tripDay, d.time);
    }
}

void Searcher::transfersFrom(const Label& l, const StopEntry& e, std::int32_t time, bool atVia) {
    ++counters_.changesTried;
    PathNode* alight = nodes_.make();
    *alight =
        PathNode{l.node, time, e.tripDay, e.trip, e.position, e.stop, e.tt, PathNode::kAlight, 0};
    Label base = l;
    if (atVia) {
        base.flags |= kFlagVia;  // leaving a trip at a via stop meets the via condition
    }
    const std::size_t tt = e.tt;
    // Every label of one stop entry reaches the same departures: they are gathered once.
    const TransferKey key{e.tripDay, e.trip, time, e.stop, e.tt};
    if (!transferKeyValid_ || !(transferKey_ == key)) {
        transferKey_ = key;
        transferKeyValid_ = true;
        transferTargets_.clear();
        transferDepartures_.clear();
        ++counters_.gathers;
        auto gather = [&](std::size_t toTt, std::uint16_t stop, std::int32_t earliest,
                          std::uint8_t walk) {
            TransferTarget t{toTt, walk, static_cast<std::uint32_t>(transferDepartures_.size()), 0};
            gatherBoarding(toTt, stop, earliest, tt, e.trip, transferDepartures_);
            t.end = static_cast<std::uint32_t>(transferDepartures_.size());
            counters_.departuresGathered += t.end - t.begin;
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
    }
    for (const TransferTarget& t : transferTargets_) {
        boardFrom(base, alight, t, time, tt);
    }
}

}  // namespace trasovnik::searchrun
