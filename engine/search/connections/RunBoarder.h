#pragma once
// A label about to change at a stop, as it boards the departures of the transfers from there:
// the counters a change gives it whatever departure it boards and the part of its rank that no
// departure changes, and whether the best label waiting on an event turns such a boarder away.

#include <algorithm>
#include <cstdint>

#include "engine/search/connections/RunConstants.h"
#include "engine/search/connections/RunLabels.h"

namespace trasovnik::searchrun {

struct Boarder {
    const Label* base;  // the label as it leaves the trip
    // rankOf(o, g, h, l, m) = 16 m + 64 o + 128 l + 256 g + h min(o, 128) + 1, where o is the
    // departure's minute less the start: 256 g + 1 - 64 start, and 16 m once walked.
    std::int32_t rankPart;
    std::int32_t start;
    std::int32_t penaltyWeight;
    // LabelValues::counters with the shortfall lane empty, and the walking lane too until walked
    std::uint64_t counters;
    std::uint32_t flags;  // kValueFlags of the label
    std::uint8_t transfers, penalty, shortfall, walking;

    static Boarder of(const Label& base, std::int32_t start, std::uint8_t transfers,
                      std::uint8_t penalty, std::uint8_t shortfall, std::uint8_t walking,
                      std::uint32_t flags) {
        return Boarder{&base,
                       256 * std::int32_t{transfers} + 1 - 64 * start,
                       start,
                       penalty,
                       LabelValues::pack(transfers, penalty, 0, 0),
                       flags,
                       transfers,
                       penalty,
                       shortfall,
                       walking};
    }

    // The boarder at a target reached with `walk` minutes on foot: its walking is then the
    // same on every departure there.
    Boarder walked(std::int32_t walk) const {
        Boarder w = *this;
        w.walking = static_cast<std::uint8_t>(std::min(std::int32_t{walking} + walk, 255));
        w.rankPart += 16 * std::int32_t{w.walking};
        w.counters |= static_cast<std::uint64_t>(w.walking) << 48;
        return w;
    }
};

// What a boarder has on one departure, whatever the labels waiting there.
struct BoardedValues {
    std::int32_t rank;
    std::uint64_t counters;
    std::uint8_t shortfall, walking;
};

// The values of walked boarder `b` on a departure `minute` minutes after the run's start,
// where it lacks `lack` (0 to 255) minutes of the safe transfer: the same as rankOf and
// LabelValues::pack give over its counters there.
inline BoardedValues valuesOn(const Boarder& b, std::int32_t minute, std::uint32_t lack) {
    // cap255(max(s, lacking)) is max(s, cap255(lacking)) for a shortfall s of 0 to 255.
    const std::uint32_t shortfall = std::max<std::uint32_t>(b.shortfall, lack);
    return BoardedValues{b.rankPart + 64 * minute + 128 * static_cast<std::int32_t>(shortfall) +
                             b.penaltyWeight * std::min(minute - b.start, 128),
                         b.counters | std::uint64_t{shortfall} << 32,
                         static_cast<std::uint8_t>(shortfall), b.walking};
}

// Whether the best label `d` waiting on an event turns away outright boarder `b` with values
// `v` on a departure whose "SC" bit is `sc`: dominatesOutright(d, those values), with the rank
// compared first.
inline bool turnsAway(const LabelValues& d, const BoardedValues& v, const Boarder& b,
                      std::uint32_t sc) {
    if (d.rank > v.rank) {
        return false;
    }
    const std::uint32_t flags = b.flags | sc;
    const std::uint32_t dOnly = d.flags & ~flags;  // bits `d` has and the boarder lacks
    const std::uint32_t nOnly = flags & ~d.flags;
    if (((nOnly & kFlagVia) | (dOnly & kFlagSc)) != 0) {
        return false;
    }
    constexpr std::uint64_t kTop = 0x8000800080008000ull;
    constexpr std::uint64_t kTransfersTop = 0x8000ull;
    const std::uint64_t atMost = ((v.counters | kTop) - d.counters) & kTop;
    if ((atMost & kTransfersTop) == 0) {
        return false;
    }
    const bool busAsN = (dOnly & kFlagBus) == 0;
    const bool startOk = d.start >= b.start;
    if (atMost == kTop && startOk && busAsN) {
        return true;
    }
    return 12 * d.rank < 10 * v.rank && ((d.flags & kFlagBus) == 0 || (busAsN && startOk));
}

}  // namespace trasovnik::searchrun
