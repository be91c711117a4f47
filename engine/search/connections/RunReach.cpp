// The check before the minute loop that a To stop can be reached at all. It rides the trip
// patterns from the From stops, round by round as many rounds as the request allows trips,
// changing where the search could change (at the stop, on foot, over links to other files),
// and ignores times, calendars, boarding rights and the ranking. Every journey the search can
// build is one of these rides, so when none of them reaches a To stop, the search would find
// nothing however long it ran.

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/search/connections/FileSearchTables.h"
#include "engine/search/connections/RunSearcher.h"

namespace trasovnik::searchrun {

bool Searcher::toReachable() {
    const std::size_t files = combination_.count();
    std::vector<SearchScratch::ReachMarks>& marks = scratch_.reach;
    marks.resize(files);
    std::vector<const TripPatterns*> patterns(files);
    if (++scratch_.reachStamp == 0) {
        for (SearchScratch::ReachMarks& m : marks) {
            std::fill(m.boarded.begin(), m.boarded.end(), 0);
            std::fill(m.reached.begin(), m.reached.end(), 0);
            std::fill(m.pattern.begin(), m.pattern.end(), 0);
        }
        scratch_.reachStamp = 1;
    }
    const std::uint32_t stamp = scratch_.reachStamp;
    for (std::size_t tt = 0; tt < files; ++tt) {
        patterns[tt] = &searchTablesOf(combination_.loaded(tt)).patterns();
        SearchScratch::ReachMarks& m = marks[tt];
        const std::size_t stops = combination_.stopCount(tt);
        if (m.boarded.size() != stops) {
            m.boarded.assign(stops, 0);
            m.reached.assign(stops, 0);
        }
        if (m.pattern.size() != patterns[tt]->patternCount()) {
            m.pattern.assign(patterns[tt]->patternCount(), 0);
            m.ridden.assign(patterns[tt]->patternCount(), 0);
        }
    }

    std::vector<std::pair<std::size_t, std::uint16_t>> boarding, next;
    auto board = [&](std::size_t tt, std::uint16_t stop) {
        if (stop < marks[tt].boarded.size() && marks[tt].boarded[stop] != stamp) {
            marks[tt].boarded[stop] = stamp;
            next.emplace_back(tt, stop);
        }
    };
    for (std::size_t k = 0; k < work_.from.size(); ++k) {
        const cZastavkaZadani& c = work_.from[k];
        const auto tt = static_cast<std::size_t>(c.timetable);
        if (fromIndex_[tt][c.stop] == static_cast<std::int32_t>(k)) {
            board(tt, c.stop);
        }
    }
    // Rides one pattern from a position in the search's direction (backwards along the real
    // trips in an arrival search), as far as no earlier ride of it went; `changes` tells
    // whether a further trip may follow.
    bool found = false;
    auto ride = [&](std::size_t tt, const PatternCall& call, bool changes) {
        SearchScratch::ReachMarks& m = marks[tt];
        const std::span<const std::uint16_t> stops = patterns[tt]->stopsOf(call.pattern);
        const auto n = static_cast<std::uint32_t>(stops.size());
        // In the search's direction a pattern is ridden from position `from` on; `ridden`
        // keeps, in that direction, the first position of the rides so far.
        const std::uint32_t from = mirrored_ ? n - 1 - call.position : call.position;
        std::uint32_t end = n;
        if (m.pattern[call.pattern] == stamp) {
            if (from >= m.ridden[call.pattern]) {
                return;
            }
            end = m.ridden[call.pattern] + 1;  // the earlier ride boarded there
        }
        m.pattern[call.pattern] = stamp;
        m.ridden[call.pattern] = from;
        for (std::uint32_t q = from + 1; q < end && !found; ++q) {
            const std::uint16_t stop = stops[mirrored_ ? n - 1 - q : q];
            if (m.reached[stop] == stamp) {
                continue;
            }
            m.reached[stop] = stamp;
            if (toIndex_[tt][stop] >= 0) {
                found = true;
                return;
            }
            if (!changes) {
                continue;
            }
            board(tt, stop);
            for (const cPesiPrechod& w : combination_.timetable(tt).stops.walkingLinks(stop)) {
                board(tt, w.stop);
            }
            for (const cOdkazDoRadu& link : combination_.crossLinks(tt).linksOf(stop)) {
                board(link.timetable, link.stop);
            }
        }
    };
    for (std::uint32_t trip = 0; trip <= work_.maxTransfers && !next.empty() && !found; ++trip) {
        boarding.swap(next);
        next.clear();
        const bool changes = trip < work_.maxTransfers;
        for (const auto& [tt, stop] : boarding) {
            for (const PatternCall& call : patterns[tt]->callsAt(stop)) {
                ride(tt, call, changes);
                if (found) {
                    return true;
                }
            }
        }
    }
    return found;
}

}  // namespace trasovnik::searchrun
