// The check before the minute loop that a To stop can be reached in time. It is a forward
// earliest-arrival scan, round by round as many rounds as the request allows trips, over the
// same departures the search boards (the departure index: boarding rights, usable trips,
// running days) and under the search's own limits, each taken more loosely than the search
// takes it: the first trip departs at a From stop within the seeding range; every change
// keeps the minimum transfer at the stop, the walking minutes of a link, the larger safe
// minutes of the two timetables over a link to another one; a trip is left only where
// alighting is allowed and before the end minute. The ranking, the pruning, the via condition
// and the look-arounds along a trip are left out. Every journey the search can build is one
// of these rides, and arriving earlier never takes a departure away, so when no ride reaches
// a To stop, the search would find nothing however long it ran.

#include <limits>
#include <vector>

#include "engine/search/connections/RunDepartures.h"
#include "engine/search/connections/RunSearcher.h"

namespace trasovnik::searchrun {

namespace {

constexpr std::int32_t kNever = std::numeric_limits<std::int32_t>::max();

struct Boarding {
    std::size_t tt;
    std::uint16_t stop;
    std::int32_t from, limit;  // departures from `from` to before `limit`
};

}  // namespace

bool Searcher::toReachableInTime() {
    const std::size_t files = combination_.count();
    std::vector<SearchScratch::TimedReachMarks>& marks = scratch_.timedReach;
    marks.resize(files);
    for (std::size_t tt = 0; tt < files; ++tt) {
        SearchScratch::TimedReachMarks& m = marks[tt];
        const std::size_t stops = combination_.stopCount(tt);
        m.arrival.assign(stops, kNever);
        m.board.assign(stops, kNever);
        m.improvedIn.assign(stops, 0);
        m.queued.assign(stops, 0);
        if (m.streams.size() != index_[tt]->trips().size()) {
            m.streams.assign(index_[tt]->trips().size(), SearchScratch::StreamRide{});
        }
    }
    std::vector<Boarding> boarding;
    for (std::size_t k = 0; k < work_.from.size(); ++k) {
        const cZastavkaZadani& c = work_.from[k];
        const auto tt = static_cast<std::size_t>(c.timetable);
        if (!seedsFrom(k)) {
            continue;
        }
        // The departures seeding boards (it never lets a journey leave after the window).
        const std::int32_t limit =
            std::min(standardWindow_ + 1 + static_cast<std::int32_t>(c.walkMinutes), endRel_);
        boarding.push_back(Boarding{tt, c.stop, c.walkMinutes, limit});
    }
    std::vector<std::pair<std::size_t, std::uint16_t>> improved;
    for (std::uint32_t round = 0; round <= work_.maxTransfers && !boarding.empty(); ++round) {
        const bool changes = round < work_.maxTransfers;
        if (++scratch_.timedReachRound == 0) {
            for (SearchScratch::TimedReachMarks& m : marks) {
                std::fill(m.streams.begin(), m.streams.end(), SearchScratch::StreamRide{});
            }
            scratch_.timedReachRound = 1;
        }
        const std::uint32_t stamp = scratch_.timedReachRound;
        improved.clear();
        for (const Boarding& b : boarding) {
            SearchScratch::TimedReachMarks& m = marks[b.tt];
            const StopDepartureIndex& index = *index_[b.tt];
            for (const StopDepartureIndex::Group& g : index.groupsAt(b.stop)) {
                for (const StopDepartureIndex::Call& c : index.callsOf(g)) {
                    // The call's first departure: the trips of a stream keep their order at
                    // every stop, so it arrives first wherever the stream goes.
                    bool taken = false;
                    Departure first{};
                    std::uint32_t firstPlace = 0;
                    forEachDayOf(index, c, b.from, b.limit, [&](std::int32_t day) {
                        if (taken && dayStart(index, c, day) > first.time) {
                            return false;
                        }
                        forEachOnDay(b.tt, index, c, day, b.from, b.limit, kNoTrip,
                                     [&](std::uint32_t place, const Departure& d) {
                                         if (!taken || d.time < first.time) {
                                             first = d;
                                             firstPlace = place;
                                             taken = true;
                                         }
                                         return false;
                                     });
                        return true;
                    });
                    if (!taken) {
                        continue;
                    }
                    // A ride of the stream in this round by a trip no later, from a position no
                    // later, went everywhere this one goes, and as soon.
                    const std::int64_t order =
                        static_cast<std::int64_t>(first.tripDay) * kMinutesPerDay +
                        index.keys()[firstPlace];
                    SearchScratch::StreamRide& ridden = m.streams[c.begin];
                    if (ridden.round == stamp && ridden.position <= c.position &&
                        ridden.order <= order) {
                        continue;
                    }
                    if (ridden.round != stamp ||
                        (c.position <= ridden.position && order <= ridden.order)) {
                        ridden = SearchScratch::StreamRide{stamp, c.position, order};
                    }
                    const std::size_t n = trips(b.tt).stopCount(first.trip);
                    for (std::size_t q = first.position + 1; q < n; ++q) {
                        if (!mayAlight(b.tt, first.trip, q)) {
                            continue;
                        }
                        const std::int32_t arrival =
                            relative(first.tripDay, arrivalTau(b.tt, first.trip, q));
                        if (arrival >= endRel_) {
                            break;  // the search releases the trip's labels here
                        }
                        const std::uint16_t stop = stopOf(b.tt, first.trip, q);
                        if (arrival >= m.arrival[stop]) {
                            continue;
                        }
                        m.arrival[stop] = arrival;
                        if (toIndex_[b.tt][stop] >= 0) {
                            return true;
                        }
                        if (changes && m.improvedIn[stop] != round + 1) {
                            m.improvedIn[stop] = round + 1;
                            improved.emplace_back(b.tt, stop);
                        }
                    }
                }
            }
        }
        boarding.clear();
        if (!changes) {
            break;
        }
        // The changes from the stops reached sooner in this round. A stop boarded again no
        // sooner than before would only ride what it rode then.
        std::vector<std::pair<std::size_t, std::uint16_t>> boards;
        auto boardAt = [&](std::size_t tt, std::uint16_t stop, std::int32_t from) {
            SearchScratch::TimedReachMarks& m = marks[tt];
            if (stop >= m.board.size() || from >= m.board[stop] || from >= endRel_) {
                return;
            }
            if (m.queued[stop] == 0) {
                m.queued[stop] = 1;
                boards.emplace_back(tt, stop);
            }
            m.board[stop] = from;
        };
        for (const auto& [tt, stop] : improved) {
            const std::int32_t t = marks[tt].arrival[stop];
            const cParametryHledaniRadu& p = params_.record(tt);
            boardAt(tt, stop, t + p.minimumTransfer);
            for (const cPesiPrechod& w : combination_.timetable(tt).stops.walkingLinks(stop)) {
                boardAt(tt, w.stop, t + w.minutes);
            }
            for (const cOdkazDoRadu& link : combination_.crossLinks(tt).linksOf(stop)) {
                const std::size_t other = link.timetable;
                const int safe = std::max(p.safeTransfer, params_.record(other).safeTransfer);
                boardAt(other, link.stop, t + std::max<int>(safe, link.value));
            }
        }
        for (const auto& [tt, stop] : boards) {
            boarding.push_back(Boarding{tt, stop, marks[tt].board[stop], endRel_});
            marks[tt].queued[stop] = 0;
        }
    }
    return false;
}

}  // namespace trasovnik::searchrun
