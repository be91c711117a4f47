// Boarding at a transfer: the labels that leave a trip at a stop take the departures the
// transfer reaches there, each filed on its departure's event unless the best label waiting
// there turns it away at once. Most are turned away, so what does not depend on the departure
// is worked out once for the stop, and what does not depend on the label once per departure.

#include <algorithm>

#include "engine/search/connections/RunBoarder.h"
#include "engine/search/connections/RunSearcher.h"

namespace trasovnik::searchrun {

inline void Searcher::boardTarget(const TransferTarget& t, const Boarder* row, std::size_t count,
                                  const Boarder& all, std::int32_t time, std::int32_t safe,
                                  BoardingTally& tally) {
    const std::int32_t walk = t.walk;
    // The walk to the target is the same on each of its departures.
    std::vector<Boarder>& walkedRow = walkedBoarders_;
    walkedRow.clear();
    for (std::size_t k = 0; k < count; ++k) {
        walkedRow.push_back(row[k].walked(walk));
    }
    const Boarder walkedAll = all.walked(walk);
    const Boarder* const rowBegin = walkedRow.data();
    const Boarder* const rowEnd = rowBegin + count;
    // The minutes a departure at minute m lacks of the safe transfer: safe - (m - time - walk).
    const std::int32_t lackBase = safe + time + walk;
    std::uint64_t droppedAtOnce = 0, made = 0, events = 0;
    // Boarding makes events and files labels; it neither gathers nor forgets departures, so
    // the arrays stay where they are throughout.
    const std::size_t toTt = t.tt;
    const std::uint32_t end = t.end;
    const Departure* const departures =
        t.gathered ? gatheredDepartures_.data() : transferDepartures_.data();
    TripEntry** const knownEvents = t.gathered ? gatheredEvents_.data() : nullptr;
    for (std::uint32_t i = t.begin; i < end; ++i) {
        const Departure& d = departures[i];
        TripEntry* ev = nullptr;
        if (knownEvents != nullptr) {
            // The event found for a gathered departure stays until its minute is processed;
            // at the current minute it may already have been.
            TripEntry*& known = knownEvents[i];
            if (known == nullptr || d.time <= time) {
                known = eventAt(toTt, d.trip, d.position, d.tripDay, d.time);
            }
            ev = known;
        } else {
            ev = eventAt(toTt, d.trip, d.position, d.tripDay, d.time);
        }
        if (ev == nullptr) {
            continue;
        }
        ++events;
        const std::int32_t minute = d.time;
        const std::uint32_t lack = cap255(lackBase - minute);
        const std::uint32_t sc = ev->sc ? kFlagSc : 0;
        // Its best label turns away outright the boarders it dominates outright; a trip
        // that may not be ridden within one stop group always takes the full walk.
        const bool guarded = ev->guarded;
        const LabelValues* best = ev->best != nullptr && !guarded ? &ev->bestValues : nullptr;
        if (best != nullptr && count > 1 &&
            turnsAway(*best, valuesOn(walkedAll, minute, lack), walkedAll, sc)) {
            droppedAtOnce += count;
            continue;
        }
        for (const Boarder* b = rowBegin; b != rowEnd; ++b) {
            const BoardedValues v = valuesOn(*b, minute, lack);
            if (best != nullptr && turnsAway(*best, v, *b, sc)) {
                ++droppedAtOnce;
                continue;
            }
            ++made;
            boardLabel(*b, v, d, *ev, minute - time - walk, walk, sc);
            best = ev->best != nullptr && !guarded ? &ev->bestValues : nullptr;
        }
    }
    tally.boarded += events * count;
    tally.droppedAtOnce += droppedAtOnce;
    tally.made += made;
}

void Searcher::boardLabel(const Boarder& b, const BoardedValues& v, const Departure& d,
                          TripEntry& ev, std::int32_t waited, std::int32_t walk, std::uint32_t sc) {
    Label* n = labels_.make(*b.base);
    n->transfers = b.transfers;
    n->penalty = b.penalty;
    n->shortfall = v.shortfall;
    n->walking = v.walking;
    n->sinceArrival = cap255(waited);
    n->walkPending = static_cast<std::uint8_t>(walk);
    n->flags |= sc;
    file(ev, n, LabelValues{b.start, v.rank, v.counters, b.flags | sc}, d.time);
}

void Searcher::boardChanges(const std::vector<Label>& bases, std::size_t tt, std::int32_t time) {
    const cParametryHledaniRadu& fromParams = params_.record(tt);
    const std::int32_t safe = fromParams.safeTransfer;
    // What every change of a label adds, whatever departure it boards.
    std::vector<Boarder>& boarders = boarders_;
    boarders.clear();
    for (const Label& l : bases) {
        boarders.push_back(Boarder::of(l, l.start, cap255(l.transfers + 1),
                                       cap255(l.penalty + fromParams.transferPenalty), l.shortfall,
                                       l.walking, l.flags & kValueFlags));
    }
    // A label at least as good as every one of them in each value: when the best label
    // waiting on an event dominates it outright, it dominates each of them outright (the
    // values of a change only grow with those of the label that changes, and so does the
    // rank), and none of them is filed there.
    Boarder all = boarders.front();
    for (const Boarder& b : boarders) {
        all.start = std::max(all.start, b.start);
        all.transfers = std::min(all.transfers, b.transfers);
        all.penalty = std::min(all.penalty, b.penalty);
        all.shortfall = std::min(all.shortfall, b.shortfall);
        all.walking = std::min(all.walking, b.walking);
        // Via met where any of them meets it, "SC" and bus only where all have them.
        all.flags =
            ((all.flags | b.flags) & kFlagVia) | (all.flags & b.flags & (kFlagSc | kFlagBus));
    }
    all = Boarder::of(*all.base, all.start, all.transfers, all.penalty, all.shortfall, all.walking,
                      all.flags);
    const std::size_t count = boarders.size();
    BoardingTally tally;
    if (transferTargetsRepeat_ && count > 1) {
        // A stop among the targets twice: each label takes all the departures in turn.
        for (std::size_t k = 0; k < count; ++k) {
            for (const TransferTarget& t : transferTargets_) {
                boardTarget(t, boarders.data() + k, 1, all, time, safe, tally);
            }
        }
    } else {
        for (const TransferTarget& t : transferTargets_) {
            boardTarget(t, boarders.data(), count, all, time, safe, tally);
        }
    }
    counters_.departuresBoarded += tally.boarded;
    counters_.labelsDroppedAtOnce += tally.droppedAtOnce;
    counters_.labelsMade += tally.made;
}

}  // namespace trasovnik::searchrun
