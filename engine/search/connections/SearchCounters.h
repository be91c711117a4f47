#pragma once
// What one connection search run did, counted as it runs: for the search benchmark and for
// finding where a slow search spends its time. Counting costs an increment per step; nothing
// in the search reads these.

#include <cstdint>

namespace trasovnik {

struct SearchCounters {
    std::uint64_t minutes = 0;              // minute buckets processed
    std::uint64_t stopEntries = 0;          // arrivals of a trip at a stop where it may be left
    std::uint64_t tripEntries = 0;          // trip events with labels waiting or riding
    std::uint64_t labelsMade = 0;           // labels made: seeded at the From stops or changing
    std::uint64_t labelsDropped = 0;        // new labels dropped by a walk over those waiting
    std::uint64_t labelsDroppedAtOnce = 0;  // new labels a waiting one dominates outright
    std::uint64_t labelsReplaced = 0;       // waiting labels released by a better new one
    std::uint64_t labelsRuledOut = 0;       // labels that a found connection rules out on arrival
    std::uint64_t waitingCompared = 0;      // comparisons of a new label with a waiting one
    std::uint64_t changesTried = 0;         // labels trying the changes at a stop
    std::uint64_t gathers = 0;              // departures gathered for the changes of a stop entry
    std::uint64_t departuresGathered = 0;   // departures those gathers found
    std::uint64_t departuresBoarded = 0;    // labels carried by a change to a departure
    std::uint64_t candidatesOffered = 0;    // labels offered as connections at a To stop
    std::uint64_t candidatesAdmitted = 0;   // candidates that joined the found connections
};

}  // namespace trasovnik
