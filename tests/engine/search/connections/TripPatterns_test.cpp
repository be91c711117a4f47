// The distinct stop sequences of a file's trips and their calls at each stop: one sequence
// however many trips, lines or route records ride it; the two directions of a route and a
// trip over part of it are sequences of their own.

#include "engine/search/connections/TripPatterns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tests/engine/search/SearchTestSet.h"
#include "tests/engine/search/connections/RandomNetwork.h"

namespace trasovnik::testing {
namespace {

using nlohmann::json;

json trip(const std::string& line, const std::vector<std::string>& stops, int start) {
    json calls = json::array();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        calls.push_back({{"stop", stops[i]}, {"dep", start + 5 * static_cast<int>(i)}});
    }
    return {{"line", line}, {"calendar", "all"}, {"stops", calls}};
}

// Line 1 rides A - B - C twice, back C - B - A, and once only A - B; line 2 rides A - B - C
// too; line 3 rides B - D.
json network() {
    auto stop = [](const std::string& id) { return json{{"id", id}, {"name", "Stop " + id}}; };
    json lines = json::array();
    for (const char* id : {"1", "2", "3"}) {
        lines.push_back({{"id", id}, {"kind", "bus"}, {"group", "g"}, {"name", id}});
    }
    return {{"version", "4.0"},
            {"header",
             {{"title", "Patterns"},
              {"kind", "MHD"},
              {"validity",
               {{{"from", "2027-01-01"}, {"to", "2027-01-31"}},
                {{"from", "2027-01-01"}, {"to", "2027-01-31"}}}}}},
            {"stops", json::array({stop("A"), stop("B"), stop("C"), stop("D")})},
            {"categories",
             {{{"name", "zastávky"}, {"elements", {{{"name", "Stop B"}, {"stops", {"B"}}}}}}}},
            {"lineKinds", {{{"id", "bus"}, {"name", "Bus"}}}},
            {"lineGroups", {{{"id", "g"}, {"name", ""}}}},
            {"lines", lines},
            {"calendars", {{{"id", "all"}, {"from", "2027-01-01"}, {"to", "2027-01-31"}}}},
            {"trips", json::array({trip("1", {"A", "B", "C"}, 480), trip("1", {"C", "B", "A"}, 540),
                                   trip("1", {"A", "B", "C"}, 600), trip("1", {"A", "B"}, 660),
                                   trip("2", {"A", "B", "C"}, 510), trip("3", {"B", "D"}, 490)})}};
}

// A pattern's stops as the names of the file's stops ("ABC").
std::string named(const cJizdniRad& jr, std::span<const std::uint16_t> stops) {
    std::string out;
    for (const std::uint16_t s : stops) {
        out += std::string(jr.stops.name(jr.names, s)).substr(5);  // "Stop X"
    }
    return out;
}

std::uint16_t stopNamed(const cJizdniRad& jr, const std::string& name) {
    for (std::size_t s = 0; s < jr.stops.stopCount(); ++s) {
        if (jr.stops.name(jr.names, s) == "Stop " + name) {
            return static_cast<std::uint16_t>(s);
        }
    }
    ADD_FAILURE() << name;
    return 0;
}

TEST(TripPatterns, OneSequencePerDistinctRunOfStops) {
    auto jr = compileDoc(network());
    ASSERT_TRUE(jr);
    const TripPatterns patterns(*jr);
    std::vector<std::string> sequences;
    for (std::size_t p = 0; p < patterns.patternCount(); ++p) {
        sequences.push_back(named(*jr, patterns.stopsOf(p)));
    }
    std::sort(sequences.begin(), sequences.end());
    EXPECT_EQ(sequences, (std::vector<std::string>{"AB", "ABC", "BD", "CBA"}));

    // Every stop lists the sequences calling there with the position of the call.
    struct Case {
        const char* stop;
        std::vector<std::string> calls;  // "sequence@position"
    };
    const Case cases[] = {
        {"A", {"AB@0", "ABC@0", "CBA@2"}},
        {"B", {"AB@1", "ABC@1", "BD@0", "CBA@1"}},
        {"C", {"ABC@2", "CBA@0"}},
        {"D", {"BD@1"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> calls;
        for (const PatternCall& call : patterns.callsAt(stopNamed(*jr, c.stop))) {
            calls.push_back(named(*jr, patterns.stopsOf(call.pattern)) + "@" +
                            std::to_string(call.position));
        }
        std::sort(calls.begin(), calls.end());
        EXPECT_EQ(calls, c.calls) << c.stop;
    }
    EXPECT_TRUE(patterns.callsAt(jr->stops.stopCount()).empty());
}

// On random networks (lines both ways, fast trips with times of their own): every trip rides
// one of the sequences, no sequence comes twice, and each is listed at each of its stops.
TEST(TripPatterns, EveryTripRidesExactlyOneOfThemOnRandomNetworks) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        const RandomNetwork net = makeNetwork(rng);
        auto jr = compileDoc(net.doc);
        ASSERT_TRUE(jr) << seed;
        const TripPatterns patterns(*jr);
        std::vector<std::vector<std::uint16_t>> sequences;
        for (std::size_t p = 0; p < patterns.patternCount(); ++p) {
            const auto stops = patterns.stopsOf(p);
            sequences.emplace_back(stops.begin(), stops.end());
            for (std::uint32_t q = 0; q < stops.size(); ++q) {
                const auto calls = patterns.callsAt(stops[q]);
                EXPECT_TRUE(std::any_of(
                    calls.begin(), calls.end(),
                    [&](const PatternCall& c) { return c.pattern == p && c.position == q; }))
                    << seed << " pattern " << p << " position " << q;
            }
        }
        std::vector<std::vector<std::uint16_t>> distinct = sequences;
        std::sort(distinct.begin(), distinct.end());
        EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end()) << seed;
        for (std::size_t t = 0; t < jr->trips.tripCount(); ++t) {
            std::vector<std::uint16_t> stops;
            for (std::size_t q = 0; q < jr->trips.stopCount(t); ++q) {
                stops.push_back(jr->trips.stopAt(t, q));
            }
            EXPECT_NE(std::find(sequences.begin(), sequences.end(), stops), sequences.end())
                << seed << " trip " << t;
        }
    }
}

}  // namespace
}  // namespace trasovnik::testing
