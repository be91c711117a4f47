#pragma once
// Labels of a search run and the entries that file them in the minute buckets: a stop entry
// holds the labels that reach a stop on a trip in that minute, a trip entry those that wait to
// board or ride a trip at one of its stops.

#include <cstdint>

#include "engine/search/connections/RunConstants.h"
#include "engine/search/connections/RunPathStore.h"

namespace trasovnik::searchrun {

struct Label {
    Label* next;
    // While it is filed on an event: its counters as LabelValues::counters has them and its
    // rank there, kept beside its start and flags, which the pruning walk compares.
    std::uint64_t packed;
    std::int32_t rank;
    std::uint32_t flags;
    std::int16_t start;  // relative to the run's start (the window is at most a few days)
    // The four counters the pruning compares, in the order of LabelValues::counters.
    std::uint8_t transfers;
    std::uint8_t penalty;
    std::uint8_t shortfall;
    std::uint8_t walking;
    std::uint8_t sinceArrival;
    std::uint8_t walkPending;  // minutes of the walk to the stop it waits at
    const PathNode* node;      // Origin or Alight while waiting to board, Board while riding
};

struct StopEntry {
    StopEntry* next;
    Label* labels;
    std::int32_t tripDay;
    std::uint32_t trip;
    std::uint16_t stop;
    std::uint8_t tt;
    std::uint8_t position;
};

// The values of a label that the pruning at an event compares, with its rank at the event.
// The four counters share one word, a 16-bit lane each, so that they are compared at once.
struct LabelValues {
    std::int32_t start;
    std::int32_t rank;
    std::uint64_t counters;  // transfers | penalty << 16 | shortfall << 32 | walking << 48
    std::uint32_t flags;     // via, "SC" and bus bits of the label

    static std::uint64_t pack(std::uint8_t transfers, std::uint8_t penalty, std::uint8_t shortfall,
                              std::uint8_t walking) {
        return std::uint64_t{transfers} | std::uint64_t{penalty} << 16 |
               std::uint64_t{shortfall} << 32 | std::uint64_t{walking} << 48;
    }
    static LabelValues of(const Label& l, std::int32_t rank) {
        return LabelValues{l.start, rank, pack(l.transfers, l.penalty, l.shortfall, l.walking),
                           l.flags & kValueFlags};
    }
};

struct TripEntry {
    TripEntry* next;
    Label* labels;
    std::uint64_t key;
    std::int32_t tripDay;
    std::uint32_t trip;
    std::uint8_t tt;
    std::uint8_t position;
    bool guarded;  // the trip may not be ridden within one stop group
    bool sc;       // the trip is marked "SC": a label that boards it rides such a trip
    // One of the labels waiting here, the lowest-ranked (null when none waits), and its
    // values: a newcomer that it dominates outright is turned away without walking the list.
    Label* best;
    LabelValues bestValues;
};

}  // namespace trasovnik::searchrun

namespace trasovnik {

// The list heads of one minute of the run's window. The array lives in the searcher's scratch,
// so it is not allocated for every run.
struct SearchBucket {
    searchrun::StopEntry* stops = nullptr;
    searchrun::TripEntry* trips = nullptr;
};

}  // namespace trasovnik
