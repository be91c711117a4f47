// Labels of a search run in the minute buckets: filing a label on a trip's departure with the
// pruning against the labels already there, riding a trip to its next stop where it may be left,
// and what a label does at a stop it reaches.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>

#include "engine/search/connections/Ranking.h"

namespace trasovnik::searchrun {

std::int32_t Searcher::labelRank(const Label& l, std::size_t tt, std::int32_t time) const {
    std::int32_t shortfall = l.shortfall;
    if ((l.flags & kFlagWaiting) == 0) {
        shortfall = std::max<std::int32_t>(
            shortfall, params_.record(tt).safeTransfer - static_cast<std::int32_t>(l.sinceArrival));
    }
    return rankOf(time - l.start, l.transfers, l.penalty, shortfall, l.walking);
}

void Searcher::releaseList(Label* l) {
    while (l != nullptr) {
        Label* next = l->next;
        labels_.release(l);
        l = next;
    }
}

TripEntry* Searcher::eventAt(std::size_t tt, std::uint32_t trip, std::uint8_t position,
                             std::int32_t tripDay, std::int32_t time) {
    if (time < 0 || time >= endRel_) {
        return nullptr;
    }
    const std::uint64_t key = (static_cast<std::uint64_t>(tt) << 56) ^
                              (static_cast<std::uint64_t>(trip) << 24) ^
                              (static_cast<std::uint64_t>(position) << 16) ^
                              static_cast<std::uint64_t>(static_cast<std::uint16_t>(tripDay));
    TripEntry*& found = events_.find(key);
    if (found == nullptr) {
        TripEntry* e = tripEntries_.make();
        e->key = key;
        e->tripDay = tripDay;
        e->trip = trip;
        e->tt = static_cast<std::uint8_t>(tt);
        e->position = position;
        e->guarded = trips(tt).trip(trip).noRideWithinGroup();
        e->sc = (params_.record(tt).tripFlags[trip] & kTripScNote) != 0;
        Bucket& b = buckets_[static_cast<std::size_t>(time)];
        e->next = b.trips;
        b.trips = e;
        found = e;
    }
    return found;
}

LabelValues Searcher::valuesOf(const Label& l, std::size_t tt, std::int32_t time) const {
    return LabelValues::of(l, labelRank(l, tt, time));
}

void Searcher::addToEvent(Label* l, std::size_t tt, std::uint32_t trip, std::uint8_t position,
                          std::int32_t tripDay, std::int32_t time) {
    TripEntry* e = eventAt(tt, trip, position, tripDay, time);
    if (e == nullptr) {
        labels_.release(l);
        return;
    }
    const LabelValues v = valuesOf(*l, tt, time);
    if (dominatedAtOnce(*e, v)) {
        ++counters_.labelsDroppedAtOnce;
        labels_.release(l);
        return;
    }
    file(*e, l, v, time);
}

void Searcher::board(TripEntry& e, const Label& n, std::int32_t time) {
    const LabelValues v = valuesOf(n, e.tt, time);
    if (dominatedAtOnce(e, v)) {
        ++counters_.labelsDroppedAtOnce;
        return;
    }
    ++counters_.labelsMade;
    Label* l = labels_.make(n);
    file(e, l, v, time);
}

void Searcher::file(TripEntry& e, Label* l, const LabelValues& v, std::int32_t time) {
    if (e.guarded) {
        fileOn<true>(e, l, v, time);
    } else {
        fileOn<false>(e, l, v, time);
    }
}

template <bool kGuarded>
void Searcher::fileOn(TripEntry& e, Label* l, const LabelValues& v, std::int32_t time) {
    // Pruning against the labels already waiting on this departure. The counters are
    // compared four at a time, a 16-bit lane each: the top bit of a lane of
    // ((a | kTop) - b) & kTop is set where b's counter is at most a's.
    constexpr std::uint64_t kTop = 0x8000800080008000ull;
    constexpr std::uint64_t kTransfersTop = 0x8000ull;
    constexpr std::uint64_t kWalkTolerance = std::uint64_t{4} << 48;
    const std::int32_t r = v.rank;
    const std::int32_t nStart = v.start;
    const std::int32_t no = time - nStart;
    const std::uint64_t nCounters = v.counters;
    const std::uint64_t nTolerant = nCounters + kWalkTolerance;
    const std::uint32_t nFlags = l->flags;
    const bool nBus = (nFlags & kFlagBus) != 0;
    // On a trip that may not be ridden within one stop group, a label that may not yet leave
    // the trip never prunes one that may.
    const bool newLocked = kGuarded && lockedOnTrip(*l, e.tt, e.trip, e.position);
    bool bestReleased = false;
    std::uint64_t compared = 0;
    Label** link = &e.labels;
    while (*link != nullptr) {
        Label* w = *link;
        ++compared;
        const std::int32_t wr = w->rank;
        const std::int32_t wStart = w->start;
        const std::uint32_t wFlags = w->flags;
        const std::uint64_t wCounters = w->packed;
        const bool wBus = (wFlags & kFlagBus) != 0;
        const bool wLocked = kGuarded && lockedOnTrip(*w, e.tt, e.trip, e.position);
        if (r >= wr) {
            // No worse in every counter (walking with 4 minutes of tolerance) and starting no
            // earlier, or a fifth better in rank; no more transfers; the via condition met
            // whenever the newcomer meets it; "SC" and bus only where the newcomer has them
            // (or it is half as long again).
            const std::uint64_t atMost = ((nTolerant | kTop) - wCounters) & kTop;
            const bool counters = (atMost == kTop && wStart >= nStart) ||
                                  (wr * 12 < r * 10 && (atMost & kTransfersTop) != 0);
            if (counters && ((nFlags & ~wFlags) & kFlagVia) == 0 &&
                ((wFlags & ~nFlags) & kFlagSc) == 0 &&
                (nBus || !wBus || 15 * (time - wStart) < 10 * no) && (newLocked || !wLocked)) {
                counters_.waitingCompared += compared;
                ++counters_.labelsDropped;
                labels_.release(l);
                if (bestReleased) {
                    chooseBest(e);
                }
                return;
            }
            link = &w->next;
        } else {
            // No better in every counter (or a fifth worse in rank), at least as many
            // transfers, and no via, "SC" or bus bit that breaks the newcomer's claim.
            const std::uint64_t atLeast =
                (((wCounters + kWalkTolerance) | kTop) - nCounters) & kTop;
            const bool counters = (atLeast == kTop && wStart <= nStart) ||
                                  (wr * 5 > r * 6 && (atLeast & kTransfersTop) != 0);
            if (counters && ((wFlags & ~nFlags) & kFlagVia) == 0 &&
                ((nFlags & ~wFlags) & kFlagSc) == 0 &&
                (wBus || !nBus || 15 * no < 10 * (time - wStart)) && (!newLocked || wLocked)) {
                *link = w->next;
                ++counters_.labelsReplaced;
                bestReleased = bestReleased || w == e.best;
                labels_.release(w);
            } else {
                link = &w->next;
            }
        }
    }
    counters_.waitingCompared += compared;
    l->next = nullptr;
    l->rank = r;
    l->packed = nCounters;
    *link = l;
    if (bestReleased) {
        chooseBest(e);
    } else if (e.best == nullptr || r < e.bestValues.rank) {
        e.best = l;
        e.bestValues = v;
    }
}

void Searcher::chooseBest(TripEntry& e) {
    e.best = nullptr;
    for (Label* w = e.labels; w != nullptr; w = w->next) {
        if (e.best == nullptr || w->rank < e.bestValues.rank) {
            e.best = w;
            e.bestValues = LabelValues{w->start, w->rank, w->packed, w->flags & kValueFlags};
        }
    }
}

void Searcher::processStopEntry(StopEntry* e, std::int32_t time) {
    ++counters_.stopEntries;
    const std::size_t tt = e->tt;
    const std::uint32_t f = stopFlagsOf(tt, e->stop);
    const bool atVia = (f & kStopVia) != 0;
    const bool viaRide = atVia && params_.record(tt).transferRequiredAtVia == 0;
    const std::size_t n = trips(tt).stopCount(e->trip);
    const bool further = static_cast<std::size_t>(e->position) + 1 < n;
    std::int32_t departTime = 0;
    if (further) {
        departTime = relative(e->tripDay, departureTau(tt, e->trip, e->position));
    }
    std::vector<Label*>& arrived = entryLabels_;
    arrived.clear();
    for (Label* l = e->labels; l != nullptr; l = l->next) {
        arrived.push_back(l);
    }
    e->labels = nullptr;
    // Each label is offered at a To stop; those that may change here change together, so that
    // the departures are gathered and their events found once for all of them; then each goes
    // on with its trip. What a label does at one event never depends on what another does at
    // a different one, so only the order within each event and the order in which events are
    // made (the order of a minute's events) must stay as if every label did all three in turn.
    std::vector<Label*>& changing = changingLabels_;
    changing.clear();
    for (Label* l : arrived) {
        if (viaRide) {
            l->flags |= kFlagVia;
        }
        const bool leave = mayLeave(*l, *e);
        if ((f & kStopTo) != 0 && leave) {
            offer(*l, *e, time);
        }
        if (l->transfers < work_.maxTransfers && leave) {
            changing.push_back(l);
        }
    }
    auto goOn = [&](Label* l) {
        if (further) {
            l->sinceArrival = cap255(l->sinceArrival + (departTime - time));
            addToEvent(l, tt, e->trip, e->position, e->tripDay, departTime);
        } else {
            labels_.release(l);
        }
    };
    std::size_t goneOn = 0;
    if (!changing.empty()) {
        // The first label makes the trip's next event before a later label's changes make the
        // events of their departures.
        if (changing.front() != arrived.front()) {
            goOn(arrived.front());
            goneOn = 1;
        }
        changesFrom(changing, *e, time, atVia);
    }
    for (; goneOn < arrived.size(); ++goneOn) {
        goOn(arrived[goneOn]);
    }
}

void Searcher::processTripEntry(TripEntry* e, std::int32_t time) {
    ++counters_.tripEntries;
    const std::size_t tt = e->tt;
    const std::uint32_t t = e->trip;
    const std::size_t n = trips(tt).stopCount(t);
    const bool viaRideAllowed = params_.record(tt).transferRequiredAtVia == 0;
    bool passedVia = false;
    std::size_t q2 = e->position + 1;
    for (; q2 < n && !mayAlight(tt, t, q2); ++q2) {
        if (viaRideAllowed && (stopFlagsOf(tt, stopOf(tt, t, q2)) & kStopVia) != 0) {
            passedVia = true;
        }
    }
    Label* list = e->labels;
    e->labels = nullptr;
    if (q2 >= n) {
        releaseList(list);
        return;
    }
    const std::int32_t arrival = relative(e->tripDay, arrivalTau(tt, t, q2));
    if (arrival >= endRel_ || arrival < time) {
        releaseList(list);
        return;
    }
    const std::uint16_t stop = stopOf(tt, t, q2);
    const std::int32_t safe = params_.record(tt).safeTransfer;
    Label* kept = nullptr;
    Label** tail = &kept;
    while (list != nullptr) {
        Label* l = list;
        list = list->next;
        if ((l->flags & kFlagWaiting) != 0) {
            PathNode* board = nodes_.make();
            *board = PathNode{l->node,
                              time,
                              e->tripDay,
                              t,
                              e->position,
                              stopOf(tt, t, e->position),
                              static_cast<std::uint8_t>(tt),
                              PathNode::kBoard,
                              l->walkPending};
            l->node = board;
            l->flags &= ~kFlagWaiting;
            l->walkPending = 0;
        }
        if (passedVia) {
            l->flags |= kFlagVia;
        }
        l->sinceArrival = cap255(l->sinceArrival + (arrival - time));
        const std::int32_t o = arrival - l->start;
        const std::int32_t sf = std::max<std::int32_t>(l->shortfall, safe - l->sinceArrival);
        const Journey j{l->start,
                        o,
                        l->transfers,
                        l->penalty,
                        sf,
                        l->walking,
                        rankOf(o, l->transfers, l->penalty, sf, l->walking),
                        (l->flags & kFlagSc) != 0,
                        (l->flags & kFlagBus) != 0};
        if (!accepted(j)) {
            ++counters_.labelsRuledOut;
            labels_.release(l);
            continue;
        }
        l->next = nullptr;
        *tail = l;
        tail = &l->next;
    }
    if (kept == nullptr) {
        return;
    }
    StopEntry* s = stopEntries_.make();
    s->labels = kept;
    s->tripDay = e->tripDay;
    s->trip = t;
    s->stop = stop;
    s->tt = static_cast<std::uint8_t>(tt);
    s->position = static_cast<std::uint8_t>(q2);
    Bucket& b = buckets_[static_cast<std::size_t>(arrival)];
    s->next = b.stops;
    b.stops = s;
}

}  // namespace trasovnik::searchrun
