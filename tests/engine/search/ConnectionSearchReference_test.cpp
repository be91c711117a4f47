// The connection search against an independent earliest-arrival scan on random small networks:
// the engine's earliest arrival is never later than the scan's with at most the same number of
// transfers, and every connection it returns is a journey one can actually make.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <random>

#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

constexpr int kNever = std::numeric_limits<int>::max() / 2;
constexpr int kMinTransfer = 2;

struct Walk {
    int from, to, minutes;
};

struct RandomNetwork {
    int stops = 0;
    std::vector<Walk> walks;
    nlohmann::json doc;
};

// Lines over random stop sequences, each run by several trips at a fixed pattern (so no trip
// of a line overtakes another), some stops without boarding or alighting, a few symmetric
// walking links.
RandomNetwork makeNetwork(std::mt19937& rng) {
    RandomNetwork net;
    net.stops = std::uniform_int_distribution<int>(5, 9)(rng);
    nlohmann::json stops = nlohmann::json::array();
    nlohmann::json elements = nlohmann::json::array();
    std::vector<nlohmann::json> walkLists(static_cast<std::size_t>(net.stops),
                                          nlohmann::json::array());
    const int walkCount = std::uniform_int_distribution<int>(0, 2)(rng);
    for (int w = 0; w < walkCount; ++w) {
        const int a = std::uniform_int_distribution<int>(0, net.stops - 1)(rng);
        const int b = std::uniform_int_distribution<int>(0, net.stops - 1)(rng);
        if (a == b) {
            continue;
        }
        const int minutes = std::uniform_int_distribution<int>(1, 8)(rng);
        net.walks.push_back({a, b, minutes});
        net.walks.push_back({b, a, minutes});
        walkLists[static_cast<std::size_t>(a)].push_back(
            {{"to", "S" + std::to_string(b)}, {"minutes", minutes}});
        walkLists[static_cast<std::size_t>(b)].push_back(
            {{"to", "S" + std::to_string(a)}, {"minutes", minutes}});
    }
    for (int s = 0; s < net.stops; ++s) {
        const std::string id = "S" + std::to_string(s);
        stops.push_back(
            {{"id", id}, {"name", id}, {"walk", walkLists[static_cast<std::size_t>(s)]}});
        elements.push_back({{"name", id}, {"stops", {id}}});
    }
    nlohmann::json lines = nlohmann::json::array();
    nlohmann::json trips = nlohmann::json::array();
    const int lineCount = std::uniform_int_distribution<int>(2, 5)(rng);
    for (int li = 0; li < lineCount; ++li) {
        const std::string lid = "L" + std::to_string(li);
        lines.push_back({{"id", lid}, {"kind", "bus"}, {"group", "g"}, {"name", lid}});
        std::vector<int> order(static_cast<std::size_t>(net.stops));
        for (int i = 0; i < net.stops; ++i) {
            order[static_cast<std::size_t>(i)] = i;
        }
        std::shuffle(order.begin(), order.end(), rng);
        const int length = std::uniform_int_distribution<int>(2, std::min(net.stops, 6))(rng);
        std::vector<int> offsets{0};
        for (int i = 1; i < length; ++i) {
            offsets.push_back(offsets.back() + std::uniform_int_distribution<int>(2, 15)(rng));
        }
        std::vector<bool> board(static_cast<std::size_t>(length), true);
        std::vector<bool> alight(static_cast<std::size_t>(length), true);
        for (int i = 1; i + 1 < length; ++i) {
            const int r = std::uniform_int_distribution<int>(0, 9)(rng);
            board[static_cast<std::size_t>(i)] = r != 0;
            alight[static_cast<std::size_t>(i)] = r != 1;
        }
        const int first = std::uniform_int_distribution<int>(hm(6, 0), hm(8, 0))(rng);
        const int headway = std::uniform_int_distribution<int>(7, 40)(rng);
        const int count = std::uniform_int_distribution<int>(2, 8)(rng);
        for (int k = 0; k < count; ++k) {
            nlohmann::json ts = nlohmann::json::array();
            for (int i = 0; i < length; ++i) {
                const auto ui = static_cast<std::size_t>(i);
                ts.push_back({{"stop", "S" + std::to_string(order[ui])},
                              {"dep", first + k * headway + offsets[ui]},
                              {"board", static_cast<bool>(board[ui])},
                              {"alight", static_cast<bool>(alight[ui])}});
            }
            trips.push_back({{"line", lid}, {"calendar", "all"}, {"stops", ts}});
        }
    }
    net.doc = {{"version", "4.0"},
               {"header",
                {{"title", "Nahodne"},
                 {"kind", "MHD"},
                 {"validity",
                  {{{"from", "2027-01-01"}, {"to", "2027-01-31"}},
                   {{"from", "2027-01-01"}, {"to", "2027-01-31"}}}}}},
               {"searchDefaults",
                {{"standardWindow", 120},
                 {"maxWindow", 600},
                 {"minTransfer", kMinTransfer},
                 {"safeTransfer", 4},
                 {"transferPenalty", 3},
                 {"transfers", 3}}},
               {"stops", stops},
               {"categories", {{{"name", "zastávky"}, {"elements", elements}}}},
               {"lineKinds", {{{"id", "bus"}, {"name", "Bus"}}}},
               {"lineGroups", {{{"id", "g"}, {"name", ""}}}},
               {"lines", lines},
               {"calendars", {{{"id", "all"}, {"from", "2027-01-01"}, {"to", "2027-01-31"}}}},
               {"trips", trips}};
    return net;
}

// Earliest arrival at a To candidate (final walk included) over journeys that leave the From
// place (walk included) from t0 to t0 + window, with at most maxTransfers changes. Rounds of
// a connection scan: round r rides r + 1 trips.
int referenceEarliestArrival(const cJizdniRad& jr, const std::vector<cZastavkaZadani>& from,
                             const std::vector<cZastavkaZadani>& to, const RandomNetwork& net,
                             int t0, int window, int maxTransfers) {
    struct Hop {
        std::uint32_t trip;
        std::size_t position;
        int dep, arr;
        int depStop, arrStop;
        bool board, alight;
    };
    std::vector<Hop> hops;
    const cSpoje& trips = jr.trips;
    for (std::uint32_t t = 0; t < trips.tripCount(); ++t) {
        for (std::size_t q = 0; q + 1 < trips.stopCount(t); ++q) {
            hops.push_back({t, q, trips.departureTime(t, q), trips.arrivalTime(t, q + 1),
                            trips.stopAt(t, q), trips.stopAt(t, q + 1), trips.canBoard(t, q),
                            trips.canAlight(t, q + 1)});
        }
    }
    std::stable_sort(hops.begin(), hops.end(),
                     [](const Hop& a, const Hop& b) { return a.dep < b.dep; });
    const auto n = static_cast<std::size_t>(net.stops);
    std::vector<int> arrived(n, kNever);
    int best = kNever;
    for (int round = 0; round <= maxTransfers; ++round) {
        // Earliest and latest boarding minute per stop in this round.
        std::vector<int> earliest(n, kNever), latest(n, kNever);
        if (round == 0) {
            for (const cZastavkaZadani& c : from) {
                earliest[c.stop] = std::min(earliest[c.stop], t0 + c.walkMinutes);
                latest[c.stop] = t0 + window + c.walkMinutes;
            }
        } else {
            for (std::size_t s = 0; s < n; ++s) {
                if (arrived[s] < kNever) {
                    earliest[s] = std::min(earliest[s], arrived[s] + kMinTransfer);
                }
            }
            for (const Walk& w : net.walks) {
                const auto a = static_cast<std::size_t>(w.from);
                if (arrived[a] < kNever) {
                    earliest[static_cast<std::size_t>(w.to)] =
                        std::min(earliest[static_cast<std::size_t>(w.to)], arrived[a] + w.minutes);
                }
            }
        }
        std::vector<int> next = arrived;
        std::vector<bool> onTrip(trips.tripCount(), false);
        for (const Hop& h : hops) {
            const auto ds = static_cast<std::size_t>(h.depStop);
            if (!onTrip[h.trip] && h.board && earliest[ds] <= h.dep &&
                (round > 0 || h.dep <= latest[ds])) {
                onTrip[h.trip] = true;
            }
            if (onTrip[h.trip] && h.alight) {
                const auto as = static_cast<std::size_t>(h.arrStop);
                next[as] = std::min(next[as], h.arr);
            }
        }
        arrived = next;
    }
    for (const cZastavkaZadani& c : to) {
        if (arrived[c.stop] < kNever) {
            best = std::min(best, arrived[c.stop] + c.walkMinutes);
        }
    }
    return best;
}

// Latest departure from the From place (walk included) over journeys that reach a To candidate
// (final walk included) from t0 - window to t0, with at most maxTransfers changes: the same
// scan run backwards in time.
int referenceLatestDeparture(const cJizdniRad& jr, const std::vector<cZastavkaZadani>& from,
                             const std::vector<cZastavkaZadani>& to, const RandomNetwork& net,
                             int t0, int window, int maxTransfers) {
    struct Hop {
        std::uint32_t trip;
        int dep, arr;
        int depStop, arrStop;
        bool board, alight;
    };
    std::vector<Hop> hops;
    const cSpoje& trips = jr.trips;
    for (std::uint32_t t = 0; t < trips.tripCount(); ++t) {
        for (std::size_t q = 0; q + 1 < trips.stopCount(t); ++q) {
            hops.push_back({t, trips.departureTime(t, q), trips.arrivalTime(t, q + 1),
                            trips.stopAt(t, q), trips.stopAt(t, q + 1), trips.canBoard(t, q),
                            trips.canAlight(t, q + 1)});
        }
    }
    std::stable_sort(hops.begin(), hops.end(),
                     [](const Hop& a, const Hop& b) { return a.arr > b.arr; });
    const auto n = static_cast<std::size_t>(net.stops);
    constexpr int kNone = -kNever;
    std::vector<int> departed(n, kNone);  // latest boarding minute per stop so far
    for (int round = 0; round <= maxTransfers; ++round) {
        std::vector<int> latest(n, kNone), earliest(n, kNone);
        if (round == 0) {
            for (const cZastavkaZadani& c : to) {
                latest[c.stop] = std::max(latest[c.stop], t0 - c.walkMinutes);
                earliest[c.stop] = t0 - window - c.walkMinutes;
            }
        } else {
            for (std::size_t s = 0; s < n; ++s) {
                if (departed[s] > kNone) {
                    latest[s] = std::max(latest[s], departed[s] - kMinTransfer);
                }
            }
            for (const Walk& w : net.walks) {
                const auto b = static_cast<std::size_t>(w.to);
                if (departed[b] > kNone) {
                    latest[static_cast<std::size_t>(w.from)] =
                        std::max(latest[static_cast<std::size_t>(w.from)], departed[b] - w.minutes);
                }
            }
        }
        std::vector<int> next = departed;
        std::vector<bool> onTrip(trips.tripCount(), false);
        for (const Hop& h : hops) {
            const auto as = static_cast<std::size_t>(h.arrStop);
            if (!onTrip[h.trip] && h.alight && h.arr <= latest[as] &&
                (round > 0 || h.arr >= earliest[as])) {
                onTrip[h.trip] = true;
            }
            if (onTrip[h.trip] && h.board) {
                const auto ds = static_cast<std::size_t>(h.depStop);
                next[ds] = std::max(next[ds], h.dep);
            }
        }
        departed = next;
    }
    int best = kNone;
    for (const cZastavkaZadani& c : from) {
        if (departed[c.stop] > kNone) {
            best = std::max(best, departed[c.stop] - c.walkMinutes);
        }
    }
    return best == kNone ? kNever : best;
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

// A query between two random stops of the network whose places share no stop: a minute from
// `lo` to `hi` and 0 to 3 transfers. None when the two places overlap.
struct RandomQuery {
    int a, b;
    std::vector<cZastavkaZadani> from, to;
    int t0, transfers;

    std::string text(const char* timeWord) const {
        return "S" + std::to_string(a) + " to S" + std::to_string(b) + " " + timeWord + " " +
               std::to_string(t0) + ", " + std::to_string(transfers) + " transfers";
    }
};

std::optional<RandomQuery> randomQuery(std::mt19937& rng, const RandomNetwork& net,
                                       const TestSet& s, int lo, int hi) {
    RandomQuery q{};
    q.a = std::uniform_int_distribution<int>(0, net.stops - 1)(rng);
    q.b = std::uniform_int_distribution<int>(0, net.stops - 1)(rng);
    q.from = s.place(0, "S" + std::to_string(q.a));
    q.to = s.place(0, "S" + std::to_string(q.b));
    for (const auto& f : q.from) {
        for (const auto& t : q.to) {
            if (f.stop == t.stop) {
                return std::nullopt;
            }
        }
    }
    q.t0 = std::uniform_int_distribution<int>(lo, hi)(rng);
    q.transfers = std::uniform_int_distribution<int>(0, 3)(rng);
    return q;
}

TEST(ConnectionSearchReference, NeverLaterThanAPlainScanAndAlwaysARealJourney) {
    std::mt19937 rng(20270105);
    const std::int16_t dayNumber = day(5, 1, 2027);
    int compared = 0;
    for (int network = 0; network < 300; ++network) {
        RandomNetwork net = makeNetwork(rng);
        TestSet s({compileDoc(net.doc)});
        const cJizdniRad& jr = s.timetable(0);
        for (int query = 0; query < 8; ++query) {
            const std::optional<RandomQuery> q = randomQuery(rng, net, s, hm(5, 30), hm(9, 0));
            if (!q) {
                continue;
            }
            const auto& [a, b, from, to, t0, transfers] = *q;
            SCOPED_TRACE("network " + std::to_string(network) + ", " + q->text("at"));
            const int expected = referenceEarliestArrival(jr, from, to, net, t0, 120, transfers);
            s.request(0, "S" + std::to_string(a), 0, "S" + std::to_string(b), t0, dayNumber, false,
                      transfers);
            const std::int32_t id = s.search();
            if (expected == kNever) {
                EXPECT_EQ(id, kSearchNothingFound);
                continue;
            }
            ASSERT_GE(id, 0) << "the scan arrives at " << expected << "\n" << net.doc.dump();
            const cVysledekHledani& r = *s.result(id);
            int earliest = kNever;
            for (std::int32_t i = 0; i < r.count(); ++i) {
                const cSpojeni& c = *r.connection(i);
                expectRealJourney(jr, c, net, dayNumber);
                const cUsekSpojeni& last = c.legs[c.legCount - 1];
                earliest = std::min(earliest, last.arrivalMinute + r.built(i).finalWalkMinutes);
                std::int32_t rides = 0;
                for (std::int32_t j = 0; j < c.legCount; ++j) {
                    rides += c.legs[j].departureSlot != cUsekSpojeni::kWalkingSlot ? 1 : 0;
                }
                EXPECT_LE(rides - 1, transfers);
            }
            EXPECT_LE(earliest, expected) << s.dump(r);
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);
}

TEST(ConnectionSearchReference, ArrivalSearchesLeaveNoLaterJourneyOut) {
    std::mt19937 rng(20270106);
    const std::int16_t dayNumber = day(5, 1, 2027);
    for (int network = 0; network < 150; ++network) {
        RandomNetwork net = makeNetwork(rng);
        TestSet s({compileDoc(net.doc)});
        const cJizdniRad& jr = s.timetable(0);
        for (int query = 0; query < 6; ++query) {
            const std::optional<RandomQuery> q = randomQuery(rng, net, s, hm(7, 0), hm(10, 30));
            if (!q) {
                continue;
            }
            const auto& [a, b, from, to, t0, transfers] = *q;
            SCOPED_TRACE("network " + std::to_string(network) + ", " + q->text("by"));
            const int expected = referenceLatestDeparture(jr, from, to, net, t0, 120, transfers);
            s.request(0, "S" + std::to_string(a), 0, "S" + std::to_string(b), t0, dayNumber, true,
                      transfers);
            const std::int32_t id = s.search();
            if (expected == kNever) {
                EXPECT_EQ(id, kSearchNothingFound);
                continue;
            }
            ASSERT_GE(id, 0) << "the scan departs at " << expected << "\n" << net.doc.dump();
            const cVysledekHledani& r = *s.result(id);
            int latest = -kNever;
            for (std::int32_t i = 0; i < r.count(); ++i) {
                const cSpojeni& c = *r.connection(i);
                expectRealJourney(jr, c, net, dayNumber);
                const cUsekSpojeni& last = c.legs[c.legCount - 1];
                EXPECT_LE(last.arrivalMinute + r.built(i).finalWalkMinutes, t0);
                latest = std::max(latest, static_cast<int>(c.legs[0].departureMinute));
            }
            EXPECT_GE(latest, expected) << s.dump(r);
        }
    }
}

}  // namespace
}  // namespace trasovnik::testing
