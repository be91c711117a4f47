#pragma once
// Whether a label about to be filed on a trip event can be turned away at once, without the
// pruning walk over the labels waiting there.

#include <cstdint>

#include "engine/search/connections/RunConstants.h"
#include "engine/search/connections/RunLabels.h"

namespace trasovnik::searchrun {

// A newcomer `n` is turned away by a waiting label `d` that dominates it outright, that is
// when `d` ranks no worse, has no more transfers, meets the via condition whenever `n` does,
// rides an "SC" trip only when `n` does, and either
//  (a) starts no earlier, with no more penalty, shortfall or walking (no tolerance), and
//      starts in a bus timetable only when `n` does, or
//  (b) ranks better than `n` by more than a fifth, and when it starts in a bus timetable, `n`
//      does too and starts no later than `d`.
// Then the pruning walk over the waiting labels would turn `n` away when it reaches `d`, and
// it releases nothing on the way there. A label `w` that `n` would release ranks above `n`,
// is no better than `n` in every counter (walking with the tolerance) or ranks above it by
// more than a fifth, has at least its transfers, and has no via or "SC" bit that `n` lacks
// and no bus bit unless `n` has it or `w` is half as long again. In case (a) `w` is then no
// better than `d` in every counter with the same tolerance (or ranks above it by more than a
// fifth); in case (b) `w` ranks above `d` by more than a fifth; the transfers, via and flag
// conditions carry over from `n` to `d` in both. So `w` and `d` could not both be waiting:
// whichever came second met the other in its own walk, and either was turned away by the
// other or released it. Filing `n` therefore changes nothing, and it is not filed. Trips that
// may not be ridden within one stop group always take the full walk: there a label that may
// not yet leave the trip does not prune one that may.
inline bool dominatesOutright(const LabelValues& d, const LabelValues& n) {
    if (d.rank > n.rank) {
        return false;
    }
    const std::uint32_t dOnly = d.flags & ~n.flags;  // bits `d` has and `n` lacks
    const std::uint32_t nOnly = n.flags & ~d.flags;
    if (((nOnly & kFlagVia) | (dOnly & kFlagSc)) != 0) {
        return false;
    }
    // Lane by lane, the top bit of each lane stays set where `d`'s counter is at most `n`'s.
    constexpr std::uint64_t kTop = 0x8000800080008000ull;
    const std::uint64_t atMost = ((n.counters | kTop) - d.counters) & kTop;
    constexpr std::uint64_t kTransfersTop = 0x8000ull;
    if ((atMost & kTransfersTop) == 0) {
        return false;  // more transfers
    }
    const bool busAsN = (dOnly & kFlagBus) == 0;  // `d` starts in a bus timetable only if `n` does
    if (atMost == kTop && d.start >= n.start && busAsN) {
        return true;
    }
    return 12 * d.rank < 10 * n.rank &&
           ((d.flags & kFlagBus) == 0 || (busAsN && d.start >= n.start));
}

// Whether the best label waiting on event `e` turns `n` away outright.
inline bool dominatedAtOnce(const TripEntry& e, const LabelValues& n) {
    return e.best != nullptr && !e.guarded && dominatesOutright(e.bestValues, n);
}

}  // namespace trasovnik::searchrun
