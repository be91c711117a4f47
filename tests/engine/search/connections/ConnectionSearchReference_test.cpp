// The connection search against an independent earliest-arrival scan on random small networks:
// the engine's earliest arrival is never later than the scan's with at most the same number of
// transfers, and every connection it returns is a journey one can actually make.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/search/connections/Ranking.h"
#include "tests/engine/search/connections/RandomNetwork.h"
#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

constexpr int kNever = std::numeric_limits<int>::max() / 2;
constexpr int kWindow = 120;  // the networks' standard window

// One hop of a trip between two consecutive stops, in the direction of the scan: real time,
// or for arrival searches mirrored time (minutes negated, trips run backwards, boarding and
// alighting exchanged), so that one forward scan serves both.
struct ScanHop {
    std::uint32_t trip;
    int depPosition, arrPosition;  // on the real trip
    int dep, arr;
    int depStop, arrStop;
    bool board, alight;
};

std::vector<ScanHop> scanHops(const cSpoje& trips, bool mirrored) {
    std::vector<ScanHop> hops;
    for (std::uint32_t t = 0; t < trips.tripCount(); ++t) {
        for (std::size_t q = 0; q + 1 < trips.stopCount(t); ++q) {
            const ScanHop real{t,
                               static_cast<int>(q),
                               static_cast<int>(q + 1),
                               trips.departureTime(t, q),
                               trips.arrivalTime(t, q + 1),
                               trips.stopAt(t, q),
                               trips.stopAt(t, q + 1),
                               trips.canBoard(t, q),
                               trips.canAlight(t, q + 1)};
            hops.push_back(mirrored ? ScanHop{t, real.arrPosition, real.depPosition, -real.arr,
                                              -real.dep, real.arrStop, real.depStop, real.alight,
                                              real.board}
                                    : real);
        }
    }
    std::stable_sort(hops.begin(), hops.end(),
                     [](const ScanHop& a, const ScanHop& b) { return a.dep < b.dep; });
    return hops;
}

// A journey in the direction of a scan: its legs, each with the walk before it.
struct ScanLeg {
    std::uint32_t trip;
    int boardPosition, alightPosition;  // on the real trip
    int boardStop, alightStop;
    int dep, arr;
    int walkBefore;
};

struct ScanJourney {
    int fromWalk = 0, toWalk = 0;
    std::vector<ScanLeg> legs;

    int start() const { return legs.front().dep - fromWalk; }
    int arrival() const { return legs.back().arr + toWalk; }
};

// The earliest journey in scan direction that reaches a To candidate (final walk included),
// leaving the From place (walk included) from t0 to t0 + window, with at most maxTransfers
// changes; none when there is none. Rounds of a connection scan: round r rides r + 1 trips.
std::optional<ScanJourney> earliestJourney(const std::vector<ScanHop>& hops, std::size_t tripCount,
                                           const std::vector<cZastavkaZadani>& from,
                                           const std::vector<cZastavkaZadani>& to,
                                           const RandomNetwork& net, int t0, int window,
                                           int maxTransfers) {
    struct Reached {
        int time = kNever;
        ScanJourney journey;
        int walk = 0;  // minutes walked to the stop after the journey's last leg
    };
    const auto n = static_cast<std::size_t>(net.stops);
    std::vector<Reached> arrived(n);
    for (int round = 0; round <= maxTransfers; ++round) {
        // Earliest boarding minute per stop in this round, and the latest in the first.
        std::vector<Reached> ready(n);
        std::vector<int> latest(n, kNever);
        auto offer = [&](std::size_t stop, int time, const ScanJourney& journey, int walk) {
            if (time < ready[stop].time) {
                ready[stop] = Reached{time, journey, walk};
            }
        };
        if (round == 0) {
            for (const cZastavkaZadani& c : from) {
                ScanJourney start;
                start.fromWalk = c.walkMinutes;
                offer(c.stop, t0 + c.walkMinutes, start, 0);
                latest[c.stop] = t0 + window + c.walkMinutes;
            }
        } else {
            for (std::size_t s = 0; s < n; ++s) {
                if (arrived[s].time < kNever) {
                    offer(s, arrived[s].time + kMinTransfer, arrived[s].journey, 0);
                }
            }
            for (const Walk& w : net.walks) {
                const Reached& a = arrived[static_cast<std::size_t>(w.from)];
                if (a.time < kNever) {
                    offer(static_cast<std::size_t>(w.to), a.time + w.minutes, a.journey, w.minutes);
                }
            }
        }
        std::vector<Reached> next = arrived;
        std::vector<std::optional<ScanLeg>> onTrip(tripCount);
        std::vector<const Reached*> boardedFrom(tripCount, nullptr);
        for (const ScanHop& h : hops) {
            const auto ds = static_cast<std::size_t>(h.depStop);
            if (!onTrip[h.trip] && h.board && ready[ds].time <= h.dep &&
                (round > 0 || h.dep <= latest[ds])) {
                onTrip[h.trip] =
                    ScanLeg{h.trip, h.depPosition, 0, h.depStop, 0, h.dep, 0, ready[ds].walk};
                boardedFrom[h.trip] = &ready[ds];
            }
            const auto as = static_cast<std::size_t>(h.arrStop);
            if (onTrip[h.trip] && h.alight && h.arr < next[as].time) {
                ScanLeg leg = *onTrip[h.trip];
                leg.alightStop = h.arrStop;
                leg.alightPosition = h.arrPosition;
                leg.arr = h.arr;
                next[as].time = h.arr;
                next[as].journey = boardedFrom[h.trip]->journey;
                next[as].journey.legs.push_back(leg);
            }
        }
        arrived = std::move(next);
    }
    std::optional<ScanJourney> best;
    for (const cZastavkaZadani& c : to) {
        const Reached& r = arrived[c.stop];
        if (r.time < kNever && (!best || r.time + c.walkMinutes < best->arrival())) {
            best = r.journey;
            best->toWalk = c.walkMinutes;
        }
    }
    return best;
}

// A connection of the engine's result as a journey in scan direction.
ScanJourney journeyOf(const cSpojeni& c, int finalWalk, bool mirrored) {
    ScanJourney j;
    int walk = 0;
    for (std::int32_t i = 0; i < c.legCount; ++i) {
        const cUsekSpojeni& l = c.legs[i];
        if (l.departureSlot == cUsekSpojeni::kWalkingSlot) {
            j.fromWalk = l.rideMinutes;
            continue;
        }
        j.legs.push_back(ScanLeg{l.trip, l.boardPosition, l.alightPosition, l.boardStop,
                                 l.alightStop, l.departureMinute, l.arrivalMinute, walk});
        walk = l.walkMinutes == cUsekSpojeni::kNoWalkLink ? 0 : l.walkMinutes;
    }
    j.toWalk = finalWalk;
    if (mirrored) {
        ScanJourney m;
        m.fromWalk = j.toWalk;
        m.toWalk = j.fromWalk;
        for (std::size_t i = j.legs.size(); i-- > 0;) {
            const ScanLeg& l = j.legs[i];
            const int walkAfter = i + 1 < j.legs.size() ? j.legs[i + 1].walkBefore : 0;
            m.legs.push_back(ScanLeg{l.trip, l.alightPosition, l.boardPosition, l.alightStop,
                                     l.boardStop, -l.arr, -l.dep, walkAfter});
        }
        return m;
    }
    return j;
}

// The values the search ranks a journey by (in scan direction), and its first and last legs.
struct Judged {
    int start, arrival, o, g, h, l, m, rank, cls;
    bool rides;
    std::pair<std::uint32_t, int> firstSlot, lastSlot;  // trip and boarding stop
    int firstStops;                                     // stops ridden on the first leg
    std::vector<std::uint32_t> trips;
};

Judged judge(const ScanJourney& j) {
    Judged v{};
    v.start = j.start();
    v.arrival = j.arrival();
    v.o = v.arrival - v.start;
    v.g = static_cast<int>(j.legs.size()) - 1;
    v.h = kTransferPenalty * v.g;
    v.m = j.fromWalk + j.toWalk;
    for (std::size_t i = 1; i < j.legs.size(); ++i) {
        v.m += j.legs[i].walkBefore;
        const int waited = j.legs[i].dep - j.legs[i - 1].arr - j.legs[i].walkBefore;
        v.l = std::max(v.l, kSafeTransfer - waited);
    }
    v.rank = rankOf(v.o, v.g, v.h, v.l, v.m);
    v.cls = classOf(v.o);
    v.rides = !j.legs.empty();
    v.firstSlot = {j.legs.front().trip, j.legs.front().boardStop};
    v.lastSlot = {j.legs.back().trip, j.legs.back().boardStop};
    v.firstStops = std::abs(j.legs.front().alightPosition - j.legs.front().boardPosition);
    for (const ScanLeg& leg : j.legs) {
        v.trips.push_back(leg.trip);
    }
    return v;
}

// The ranking or selection rule by which connection `q` of the result keeps the search from
// offering the earlier journey `p`; empty when none does.
std::string ruleAgainst(const Judged& p, const Judged& q) {
    if (q.rides && p.trips == q.trips && p.rank >= q.rank) {
        return "it rides the same trips and ranks no better";
    }
    const bool seen = q.start + q.cls >= p.start;
    const bool near = std::abs(p.start - q.start) <= q.cls ||
                      std::abs(p.arrival - q.arrival) <= q.cls ||
                      (q.start >= p.start && q.arrival <= p.arrival);
    if (!seen && !near) {
        return {};
    }
    if (p.m + p.h != 0 && p.o >= q.o && p.h >= q.h) {
        if (p.l >= q.l && p.m + 4 >= q.m) {
            return "it is no shorter, with no less penalty or shortfall and at most 4 minutes "
                   "less walking";
        }
        if (12 * q.rank < 10 * p.rank) {
            return "it is no shorter, with no less penalty, and ranks over a fifth worse";
        }
    }
    if (!near || !q.rides) {
        return {};
    }
    const bool notBetter = p.o >= q.o && p.l >= q.l && p.h >= q.h;
    if ((p.firstSlot == q.firstSlot || p.lastSlot == q.lastSlot) && notBetter) {
        return "it shares the departure of its first or last leg and is not better";
    }
    if (p.firstSlot == q.firstSlot && p.firstStops == q.firstStops && q.o * 10 < p.o * 11 + 40 &&
        p.h >= q.h && q.l < p.l + 4 && p.m >= q.m / 2) {
        return "it rides its first leg as far and is not enough shorter";
    }
    return {};
}

// Why the search may offer nothing as early as the scan's journey `p`: the rule and the
// connection of the result that puts it aside; empty when no rule explains it.
std::string explainLater(const ScanJourney& p, const cVysledekHledani& r, bool mirrored) {
    const Judged pv = judge(p);
    int firstShared = 0, lastShared = 0;
    for (std::int32_t i = 0; i < r.count(); ++i) {
        const Judged qv = judge(journeyOf(*r.connection(i), r.built(i).finalWalkMinutes, mirrored));
        const std::string rule = ruleAgainst(pv, qv);
        if (!rule.empty()) {
            return "against connection " + std::to_string(i + 1) + ", " + rule;
        }
        firstShared += qv.firstSlot == pv.firstSlot ? 1 : 0;
        lastShared += qv.lastSlot == pv.lastSlot ? 1 : 0;
    }
    if (firstShared >= 3 || lastShared >= 3) {
        return "three connections share the departure of its first or last leg";
    }
    return {};
}

// Whether the connection is a journey one can make: every leg rides its trip on a day it runs,
// boards and alights where allowed, at the times of the timetable, and every change leaves
// the minimum transfer minutes at one stop or walks a link between two.
void expectRealJourney(const cJizdniRad& jr, const cSpojeni& c, const RandomNetwork& net,
                       std::int16_t dayNumber) {
    const cSpoje& trips = jr.trips;
    const cUsekSpojeni* previous = nullptr;
    for (std::int32_t i = 0; i < c.legCount; ++i) {
        const cUsekSpojeni& l = c.legs[i];
        if (l.departureSlot == cUsekSpojeni::kWalkingSlot) {
            continue;
        }
        ASSERT_LT(l.trip, trips.tripCount());
        ASSERT_LT(l.boardPosition, l.alightPosition);
        ASSERT_LT(l.alightPosition, trips.stopCount(l.trip));
        EXPECT_TRUE(trips.runsOnStartDay(l.trip, l.departureDay));
        EXPECT_TRUE(trips.canBoard(l.trip, l.boardPosition));
        EXPECT_TRUE(trips.canAlight(l.trip, l.alightPosition));
        EXPECT_EQ(trips.stopAt(l.trip, l.boardPosition), l.boardStop);
        EXPECT_EQ(trips.stopAt(l.trip, l.alightPosition), l.alightStop);
        EXPECT_EQ(l.departureMinute, trips.departureTime(l.trip, l.boardPosition));
        EXPECT_EQ(l.arrivalMinute, trips.arrivalTime(l.trip, l.alightPosition));
        EXPECT_EQ(l.departureDay, dayNumber);
        if (previous != nullptr) {
            const int waited = l.departureMinute - previous->arrivalMinute;
            if (previous->alightStop == l.boardStop) {
                EXPECT_GE(waited, kMinTransfer);
            } else {
                bool linked = false;
                for (const Walk& w : net.walks) {
                    linked = linked || (w.from == previous->alightStop && w.to == l.boardStop &&
                                        waited >= w.minutes);
                }
                EXPECT_TRUE(linked) << "no walk from " << previous->alightStop << " to "
                                    << l.boardStop << " in " << waited << " minutes";
            }
        }
        previous = &l;
    }
}

// A query between two random places of the network that share no candidate stop: a minute
// from `lo` to `hi` and 0 to 3 transfers. None when the two places overlap.
struct RandomQuery {
    std::string a, b;
    std::vector<cZastavkaZadani> from, to;
    int t0, transfers;

    std::string text(const char* timeWord) const {
        return a + " to " + b + " " + timeWord + " " + std::to_string(t0) + ", " +
               std::to_string(transfers) + " transfers";
    }
};

std::optional<RandomQuery> randomQuery(std::mt19937& rng, const RandomNetwork& net,
                                       const TestSet& s, int lo, int hi) {
    RandomQuery q{};
    const int last = static_cast<int>(net.places.size()) - 1;
    q.a = "P" + std::to_string(uniform(rng, 0, last));
    q.b = "P" + std::to_string(uniform(rng, 0, last));
    q.from = s.place(0, q.a);
    q.to = s.place(0, q.b);
    q.t0 = uniform(rng, lo, hi);
    q.transfers = uniform(rng, 0, 3);
    for (const auto& f : q.from) {
        for (const auto& t : q.to) {
            if (f.stop == t.stop) {
                return std::nullopt;
            }
        }
    }
    return q;
}

// One query, a departure or an arrival search: every connection is a journey one can make
// within the transfers asked for, and the engine's best connection (the earliest arrival, or
// in an arrival search the latest departure) is never worse than the scan's unless a ranking
// or selection rule names the connection that puts the scan's journey aside.
void checkQuery(const RandomNetwork& net, TestSet& s, const std::vector<ScanHop>& hops,
                const std::vector<ScanHop>& backHops, const RandomQuery& q, bool arrival) {
    const std::int16_t dayNumber = day(5, 1, 2027);
    const cJizdniRad& jr = s.timetable(0);
    const std::size_t tripCount = jr.trips.tripCount();
    // The scan runs from the place the search starts at, in the search's direction of time.
    const std::vector<cZastavkaZadani>& start = arrival ? q.to : q.from;
    const std::vector<cZastavkaZadani>& end = arrival ? q.from : q.to;
    const int t0 = arrival ? -q.t0 : q.t0;
    const std::optional<ScanJourney> scan =
        earliestJourney(hops, tripCount, start, end, net, t0, kWindow, q.transfers);
    s.request(0, q.a, 0, q.b, q.t0, dayNumber, arrival, q.transfers);
    const std::int32_t id = s.search();
    if (!scan) {
        EXPECT_EQ(id, kSearchNothingFound);
        return;
    }
    // Every journey as early that leaves within the window comes back through a stop of the
    // place it leaves from: without that loop, it leaves after the window.
    const std::optional<ScanJourney> back = earliestJourney(
        backHops, tripCount, end, start, net, -scan->arrival(), kNever / 4, q.transfers);
    const bool loopsOnly = back && -back->arrival() > t0 + kWindow;
    if (loopsOnly && id == kSearchNothingFound) {
        return;
    }
    ASSERT_GE(id, 0) << "the scan reaches the place at " << std::abs(scan->arrival()) << "\n"
                     << net.doc.dump();
    const cVysledekHledani& r = *s.result(id);
    int best = kNever;
    for (std::int32_t i = 0; i < r.count(); ++i) {
        const cSpojeni& c = *r.connection(i);
        expectRealJourney(jr, c, net, dayNumber);
        const ScanJourney j = journeyOf(c, r.built(i).finalWalkMinutes, arrival);
        EXPECT_LE(static_cast<int>(j.legs.size()) - 1, q.transfers);
        if (arrival) {
            EXPECT_LE(-j.start(), q.t0);
        }
        best = std::min(best, j.arrival());
    }
    if (best > scan->arrival() && !loopsOnly) {
        EXPECT_NE(explainLater(*scan, r, arrival), "")
            << "the engine reaches the place at " << std::abs(best) << ", the scan at "
            << std::abs(scan->arrival()) << "\n"
            << s.dump(r) << net.doc.dump();
    }
}

// Random queries on random networks; returns the number of queries checked.
int checkAgainstScan(std::uint32_t seed, int networks, int queries, int lo, int hi, bool arrival) {
    std::mt19937 rng(seed);
    int compared = 0;
    for (int network = 0; network < networks; ++network) {
        RandomNetwork net = makeNetwork(rng);
        TestSet s({compileDoc(net.doc)});
        const std::vector<ScanHop> hops = scanHops(s.timetable(0).trips, arrival);
        const std::vector<ScanHop> backHops = scanHops(s.timetable(0).trips, !arrival);
        for (int query = 0; query < queries; ++query) {
            const std::optional<RandomQuery> q = randomQuery(rng, net, s, lo, hi);
            if (!q) {
                continue;
            }
            SCOPED_TRACE("network " + std::to_string(network) + ", " +
                         q->text(arrival ? "by" : "at"));
            checkQuery(net, s, hops, backHops, *q, arrival);
            ++compared;
        }
    }
    return compared;
}

TEST(ConnectionSearchReference, NeverLaterThanAPlainScanAndAlwaysARealJourney) {
    EXPECT_GT(checkAgainstScan(20270105, 300, 8, hm(5, 30), hm(9, 0), false), 100);
}

TEST(ConnectionSearchReference, ArrivalSearchesLeaveNoLaterJourneyOut) {
    EXPECT_GT(checkAgainstScan(20270106, 150, 6, hm(7, 0), hm(10, 30), true), 100);
}

}  // namespace
}  // namespace trasovnik::testing
