#pragma once
// One run of the connection search over a set: set-up (candidate marking, mirrored time for an
// arrival search, start shift, validity, windows), the minute-by-minute loop over labels in
// per-minute buckets, the ranking, acceptance and selection of found connections, and the
// building of the result in real time.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/search/connections/SearchCounters.h"
#include "platform/core/Types.h"

namespace trasovnik {

class cHledani;
class cSestava;
class cVysledekHledani;
class EnginePagePool;
struct cZadaniHledani;

struct RunOutcome {
    std::int32_t status = 0;  // 0 with a result, else a negative search status
    std::unique_ptr<cVysledekHledani> result;
    bool jumped = false;
    std::uint32_t pagesTaken = 0;  // pages of labels, entries and path nodes
};

// What a searcher keeps from one run to the next: tables over every stop that would otherwise
// be allocated for each run.
struct SearchBucket;

struct SearchScratch {
    SearchScratch();
    ~SearchScratch();
    SearchScratch(const SearchScratch&) = delete;
    SearchScratch& operator=(const SearchScratch&) = delete;

    std::vector<SearchBucket> buckets;  // one per minute of the window
    std::vector<std::vector<std::int32_t>> fromIndex, toIndex;
    // Per departure group of the stop a transfer reaches: the number of the transfer that last
    // met the group, and the soonest arrival at the trip's last stop among its departures taken.
    std::vector<std::uint32_t> groupSeen;
    std::vector<std::int32_t> groupSoonest;
    // Per group: departures from this minute on cannot overtake its first one taken.
    std::vector<std::int32_t> groupOvertakeBefore;
    std::uint32_t groupStamp = 0;
    // Per timetable and trip, for each day of the run (from three days before the start day
    // on, bit d for day d): in the low byte whether it is known, in the high byte whether the
    // trip runs; and the trips this run noted.
    std::vector<std::vector<std::uint16_t>> runsMemo;
    std::vector<std::uint32_t> runsTouched;  // timetable << 24 | trip
    // The check that a To stop can be reached at all: per timetable the stops boarded and
    // reached and the patterns ridden, marked with the number of the check.
    struct ReachMarks {
        std::vector<std::uint32_t> boarded, reached, pattern;
        std::vector<std::uint32_t> ridden;  // per pattern: the position ridden from
    };
    std::vector<ReachMarks> reach;
    std::uint32_t reachStamp = 0;
    // The check that a To stop can be reached in time, per timetable: per stop the earliest
    // arrival and the earliest change to a departure found so far, the round in which the
    // arrival last came sooner and whether the stop waits to be boarded; per stream of the
    // departure index (by its first place) the round, position and trip of its last ride.
    struct StreamRide {
        std::uint32_t round = 0;
        std::uint8_t position = 0;
        std::int64_t order = 0;  // trip day × 1440 + the trip's key
    };
    struct TimedReachMarks {
        std::vector<std::int32_t> arrival, board;
        std::vector<std::uint32_t> improvedIn;
        std::vector<std::uint8_t> queued;
        std::vector<StreamRide> streams;
    };
    std::vector<TimedReachMarks> timedReach;
    std::uint32_t timedReachRound = 0;
    // What the last run did.
    SearchCounters counters;
};

// Runs `request` on `set`. `pool` backs every label, bucket entry and path node, at most
// `pageLimit` pages of it; all its pages are given back before this returns. Out of memory
// during the run is the status -3. The searcher's cancel and jump flags are read while it runs.
RunOutcome runSearch(cHledani& searcher, cSestava& set, EnginePagePool& pool,
                     SearchScratch& scratch, std::uint32_t pageLimit, const cZadaniHledani& request,
                     bool nextOrPrevious, int currentMinute, int currentDay,
                     platform::WindowHandle window);

}  // namespace trasovnik
