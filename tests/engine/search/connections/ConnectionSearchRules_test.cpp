// How the connection search tidies and judges a journey before it keeps it: the first boarding
// and the last alighting move to the preferred stop of the place along the same trip (also in
// arrival searches), a transfer in a timetable with "place/stop" names moves to the stop with
// the most general name, a walk between two stops of one name that a neighbouring stop would
// shorten rules the journey out, a trip that may not be ridden within one stop group is never
// left inside its first group, and the same trip carried by two timetables of a set is offered
// once.

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "engine/search/connections/CandidatePath.h"
#include "tests/engine/search/connections/SearchTestNetwork.h"

namespace trasovnik::testing {
namespace {

using nlohmann::json;

// One trip passes two stops of the place "Start" and, later, two stops of the place "Cil" in
// the opposite order of their place lists: Alfa and Xaver come first in their lists.
json placesNetwork() {
    const json trips = json::array({trip("1", {{"A", "8:00"},
                                               {"B", "8:05"},
                                               {"M", "8:20"},
                                               {"Y", "8:30"},
                                               {"Z", "8:35"},
                                               {"X", "8:40"}})});
    const json places = json::array({json{{"name", "Start"}, {"stops", json::array({"A", "B"})}},
                                     json{{"name", "Cil"}, {"stops", json::array({"X", "Y"})}}});
    return timetable("Mesto",
                     {{"A", "Alfa"},
                      {"X", "Xaver"},
                      {"B", "Beta"},
                      {"M", "Most"},
                      {"Y", "Ypsilon"},
                      {"Z", "Zavora"}},
                     trips, places);
}

TEST(ConnectionSearchRules, JourneysBoardAndLeaveAtThePreferredStopOfEachPlace) {
    struct Case {
        const char* what;
        int minute;
        bool arrival;
        const char* expected;
    } cases[] = {
        {"departure: both ends move to the first stop of their place", hm(8, 0), false,
         R"(connections 1, focus 0
1. 40 min, -1 m
   [Bus 1] Alfa 05.01. 08:00 -> Xaver 05.01. 08:40, -1 m
)"},
        {"departure after Alfa's: boarding stays at Beta", hm(8, 3), false,
         R"(connections 1, focus 0
1. 35 min, -1 m
   [Bus 1] Beta 05.01. 08:05 -> Xaver 05.01. 08:40, -1 m
)"},
        {"arrival: both ends move, mirrored", hm(8, 45), true,
         R"(connections 1, focus 0
1. 40 min, -1 m
   [Bus 1] Alfa 05.01. 08:00 -> Xaver 05.01. 08:40, -1 m
)"},
        {"arrival before Xaver's: alighting stays at Ypsilon", hm(8, 35), true,
         R"(connections 1, focus 0
1. 30 min, -1 m
   [Bus 1] Alfa 05.01. 08:00 -> Ypsilon 05.01. 08:30, -1 m
)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestSet s({compileDoc(placesNetwork())});
        s.request(0, "Start", 0, "Cil", c.minute, kDay, c.arrival);
        EXPECT_EQ(searchDump(s), c.expected);
    }
}

// The rules on a path given directly: a trip over From stops F0, F1, F2 with three other stops
// between F1 and F2, and a copy of it on which F0 may not be boarded.
class TidyingOnOneTrip : public ::testing::Test {
protected:
    TestSet s{{compileDoc(timetable(
        "Mesto",
        {{"F0", "F0"},
         {"O1", "O1"},
         {"F1", "F1"},
         {"O2", "O2"},
         {"O3", "O3"},
         {"O4", "O4"},
         {"F2", "F2"},
         {"T", "T"}},
        {trip("1", {{"F0", "8:00"},
                    {"O1", "8:02"},
                    {"F1", "8:04"},
                    {"O2", "8:06"},
                    {"O3", "8:08"},
                    {"O4", "8:10"},
                    {"F2", "8:12"},
                    {"T", "8:20"}}),
         [] {
             json t = trip("2", {{"F0", "9:00"}, {"O1", "9:02"}, {"F1", "9:04"}, {"T", "9:20"}});
             t["stops"][0]["board"] = false;
             return t;
         }()}))}};

    // The boarding position after tidying a journey that boards `trip` at `board` from the
    // From candidate `current` of `from` (stop ids with walking minutes), the run starting at
    // `startMinute`.
    std::size_t tidied(const std::vector<std::pair<std::string, int>>& from, std::size_t current,
                       std::uint32_t tripIndex, std::size_t board, int startMinute) {
        const cJizdniRad& jr = s.timetable(0);
        std::vector<cZastavkaZadani> list;
        std::vector<std::vector<std::int32_t>> index(
            1, std::vector<std::int32_t>(jr.stops.stopCount(), -1));
        for (const auto& [name, walk] : from) {
            const std::uint16_t stop = s.place(0, name).front().stop;
            index[0][stop] = static_cast<std::int32_t>(list.size());
            list.push_back(cZastavkaZadani{0, stop, static_cast<std::uint8_t>(walk), -1, -1});
        }
        std::vector<cZastavkaZadani> toList;
        std::vector<std::vector<std::int32_t>> toIndex(
            1, std::vector<std::int32_t>(jr.stops.stopCount(), -1));
        const PathRules rules(s.set().combination(), s.set().parameters(), false,
                              static_cast<std::int64_t>(kDay) * 1440 + startMinute,
                              RunPlace{&list, &index}, RunPlace{&toList, &toIndex});
        CandidatePath path;
        path.fromIndex = current;
        path.legs.push_back(
            PathLeg{0, tripIndex, kDay, board, jr.trips.stopCount(tripIndex) - 1, 0});
        rules.tidyFirstBoarding(path);
        return path.legs.front().board;
    }

    // The alighting position after tidying a journey that boards trip 0 at its first stop and
    // leaves it at `alight` for the To candidate `current` of `to`.
    std::size_t tidiedLast(const std::vector<std::pair<std::string, int>>& to, std::size_t current,
                           std::size_t alight) {
        const cJizdniRad& jr = s.timetable(0);
        std::vector<cZastavkaZadani> list;
        std::vector<std::vector<std::int32_t>> index(
            1, std::vector<std::int32_t>(jr.stops.stopCount(), -1));
        for (const auto& [name, walk] : to) {
            const std::uint16_t stop = s.place(0, name).front().stop;
            index[0][stop] = static_cast<std::int32_t>(list.size());
            list.push_back(cZastavkaZadani{0, stop, static_cast<std::uint8_t>(walk), -1, -1});
        }
        std::vector<cZastavkaZadani> fromList;
        std::vector<std::vector<std::int32_t>> fromIndex(
            1, std::vector<std::int32_t>(jr.stops.stopCount(), -1));
        const PathRules rules(s.set().combination(), s.set().parameters(), false,
                              static_cast<std::int64_t>(kDay) * 1440 + hm(7, 55),
                              RunPlace{&fromList, &fromIndex}, RunPlace{&list, &index});
        CandidatePath path;
        path.toIndex = current;
        path.legs.push_back(PathLeg{0, 0, kDay, 0, alight, 0});
        rules.tidyLastAlighting(path);
        return path.legs.back().alight;
    }
};

TEST_F(TidyingOnOneTrip, LastAlightingMovesForwardOnlyToABetterStopWithinReach) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, int>> to;
        std::size_t current;
        std::size_t alight;
        std::size_t expected;
    } cases[] = {
        {"on to the first of the list", {{"O3", 0}, {"F1", 0}}, 1, 2, 4},
        {"gives up at the third other stop", {{"F2", 0}, {"F1", 0}}, 1, 2, 2},
        {"not onto a stop reached on foot", {{"O3", 4}, {"F1", 0}}, 1, 2, 2},
        {"not onto a stop later in the list", {{"F1", 0}, {"O3", 0}}, 0, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(tidiedLast(c.to, c.current, c.alight), c.expected);
    }
}

TEST_F(TidyingOnOneTrip, FirstBoardingMovesBackOnlyToABetterStopWithinReach) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, int>> from;
        std::size_t current;
        std::uint32_t trip;
        std::size_t board;
        int start;
        std::size_t expected;
    } cases[] = {
        {"back past one other stop to the first of the list",
         {{"F0", 0}, {"F1", 0}},
         1,
         0,
         2,
         hm(7, 55),
         0},
        {"gives up at the third other stop", {{"F0", 0}, {"F2", 0}}, 1, 0, 6, hm(7, 55), 6},
        {"not onto a stop reached on foot", {{"F0", 3}, {"F1", 0}}, 1, 0, 2, hm(7, 55), 2},
        {"not from a stop reached on foot", {{"F0", 0}, {"F1", 3}}, 1, 0, 2, hm(7, 55), 2},
        {"not onto a stop later in the list", {{"F1", 0}, {"F0", 0}}, 0, 0, 2, hm(7, 55), 2},
        {"not before the start minute", {{"F0", 0}, {"F1", 0}}, 1, 0, 2, hm(8, 1), 2},
        {"not where boarding is not allowed", {{"F0", 0}, {"F1", 0}}, 1, 1, 2, hm(8, 55), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(tidied(c.from, c.current, c.trip, c.board, c.start), c.expected);
    }
}

// A trip that may not be ridden within one stop group: Kolin and Kutna lie in one group,
// Labe in another; line 2 runs the same way later, line 3 leaves Kutna for Vesnice.
json groupNetwork(bool withLocalTrip) {
    json trips = {
        trip("1", {{"K1", "8:00"}, {"K2", "8:10"}, {"L", "8:30"}}, {{"noRideWithinGroup", true}}),
        trip("3", {{"K2", "8:15"}, {"V", "8:25"}})};
    if (withLocalTrip) {
        trips.push_back(trip("2", {{"K1", "8:20"}, {"K2", "8:40"}}));
    }
    json doc = timetable("Mesto",
                         {{"K1", "Kolin", {{"group", "doma"}}},
                          {"K2", "Kutna", {{"group", "doma"}}},
                          {"L", "Labe", {{"group", "venku"}}},
                          {"V", "Vesnice", {{"group", "doma"}}}},
                         trips);
    doc["stopGroups"] = {{{"id", "doma"}, {"name", "Doma"}, {"value", 0}},
                         {{"id", "venku"}, {"name", "Venku"}, {"value", 1}}};
    return doc;
}

TEST(ConnectionSearchRules, NoRideWithinOneGroupWhereTheTripForbidsIt) {
    struct Case {
        const char* what;
        bool local;
        const char* from;
        const char* to;
        const char* expected;
        bool arrival = false;
    } cases[] = {
        {"not left at a To stop of the boarding group", true, "Kolin", "Kutna",
         R"(connections 1, focus 0
1. 20 min, -1 m
   [Bus 2] Kolin 05.01. 08:20 -> Kutna 05.01. 08:40, -1 m
)"},
        {"the same in an arrival search", true, "Kolin", "Kutna",
         R"(connections 1, focus 0
1. 20 min, -1 m
   [Bus 2] Kolin 05.01. 08:20 -> Kutna 05.01. 08:40, -1 m
)",
         true},
        {"nothing else runs: nothing found", false, "Kolin", "Kutna", "status -8"},
        {"not left to change inside the group", false, "Kolin", "Vesnice", "status -8"},
        // Labe's group shifts its times by 15 minutes.
        {"ridden on into the other group", false, "Kolin", "Labe", R"(connections 1, focus 0
1. 30 min, -1 m
   [Bus 1] Kolin 05.01. 08:00 -> Labe 05.01. 08:45, -1 m
)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestSet s({compileDoc(groupNetwork(c.local))});
        s.request(0, c.from, 0, c.to, c.arrival ? hm(8, 45) : hm(7, 55), kDay, c.arrival);
        EXPECT_EQ(searchDump(s), c.expected);
    }
}

// Two journeys wait for bus 1 at Kutna: one changed onto it at Kutna and may not ride it on
// to Kolin (both lie in one group), one changed onto it earlier at Hranice, in the other
// group, and may. The first is shorter, but it must not crowd out the only one that can
// reach Kolin.
TEST(ConnectionSearchRules, AJourneyThatMayNotLeaveTheTripDoesNotCrowdOutOneThatMay) {
    json trips = json::array(
        {trip("1", {{"H", "8:16"}, {"K2", "8:20"}, {"K1", "8:30"}}, {{"noRideWithinGroup", true}}),
         trip("2", {{"S", "8:05"}, {"K2", "8:14"}}), trip("3", {{"S", "8:00"}, {"H", "8:10"}})});
    json doc = timetable("Mesto",
                         {{"S", "Start", {{"group", "doma"}}},
                          {"K1", "Kolin", {{"group", "doma"}}},
                          {"K2", "Kutna", {{"group", "doma"}}},
                          {"H", "Hranice", {{"group", "venku"}}}},
                         trips);
    doc["stopGroups"] = {{{"id", "doma"}, {"name", "Doma"}, {"value", 0}},
                         {{"id", "venku"}, {"name", "Venku"}, {"value", 1}}};
    TestSet s({compileDoc(doc)});
    s.request(0, "Start", 0, "Kolin", hm(7, 55), kDay, false);
    // Hranice's group shifts its times by 15 minutes.
    EXPECT_EQ(searchDump(s), R"(connections 1, focus 0
1. 30 min, -1 m
   [Bus 3] Start 05.01. 08:00 -> Hranice 05.01. 08:25, -1 m
   [Bus 1] Hranice 05.01. 08:31 -> Kolin 05.01. 08:30, -1 m
)");
}

// A From place whose better stop (Kolin) lies in the group of the To stop: the trip may not be
// ridden from there, so the journey must board at the place's other stop (Kamen), even though
// the trip passes the better one next.
TEST(ConnectionSearchRules, ADepartureIsNotLeftToABetterFromStopThatMayNotRideTheTrip) {
    json trips = json::array({trip("1", {{"K0", "8:00"}, {"K1", "8:10"}, {"K2", "8:20"}},
                                   {{"noRideWithinGroup", true}})});
    json doc = timetable("Mesto",
                         {{"K0", "Kamen", {{"group", "venku"}}},
                          {"K1", "Kolin", {{"group", "doma"}}},
                          {"K2", "Kutna", {{"group", "doma"}}}},
                         trips);
    doc["stopGroups"] = {{{"id", "doma"}, {"name", "Doma"}, {"value", 0}},
                         {{"id", "venku"}, {"name", "Venku"}, {"value", 1}}};
    TestSet s({compileDoc(doc)});
    cZadaniHledani r;
    r.from = {{0, 1, 0, -1, -1}, {0, 0, 0, -1, -1}};  // Kolin first, then Kamen
    r.to = {{0, 2, 0, -1, -1}};
    r.minute = static_cast<std::int16_t>(hm(7, 30));
    r.day = kDay;
    r.maxTransfers = 3;
    setNewRequest(s.set(), std::move(r));
    // Kamen's group shifts its times by 15 minutes.
    EXPECT_EQ(searchDump(s), R"(connections 1, focus 0
1. 20 min, -1 m
   [Bus 1] Kamen 05.01. 08:15 -> Kutna 05.01. 08:20, -1 m
)");
}

// Two timetables of one set that both carry bus 7 from Alfa to Gama; the second one's copy
// differs from the first's as `change` says.
TEST(ConnectionSearchRules, TheSameTripInTwoTimetablesIsOfferedOnce) {
    struct Case {
        const char* what;
        std::function<void(json&)> change;
        int connections;
    } cases[] = {
        {"the same trip", [](json&) {}, 1},
        {"another line name", [](json& t) { t["line"] = "8"; }, 2},
        {"another stop name on the way", [](json& t) { t["stops"][1]["stop"] = "C"; }, 2},
        {"one stop fewer", [](json& t) { t["stops"].erase(1); }, 2},
    };
    const std::vector<StopDef> stops{{"A", "Alfa"}, {"B", "Beta"}, {"C", "Cesta"}, {"G", "Gama"}};
    const json bus7 = trip("7", {{"A", "8:00"}, {"B", "8:10"}, {"G", "8:20"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        json other = bus7;
        c.change(other);
        TestSet s({compileDoc(timetable("Prvni", stops, json::array({bus7}))),
                   compileDoc(timetable("Druhy", stops, json::array({other})))});
        cZadaniHledani r;
        for (std::size_t tt = 0; tt < 2; ++tt) {
            for (const cZastavkaZadani& z : s.place(tt, "Alfa")) {
                r.from.push_back(z);
            }
            for (const cZastavkaZadani& z : s.place(tt, "Gama")) {
                r.to.push_back(z);
            }
        }
        r.minute = static_cast<std::int16_t>(hm(7, 55));
        r.day = kDay;
        r.maxTransfers = 3;
        setNewRequest(s.set(), std::move(r));
        const std::int32_t id = s.search();
        ASSERT_GE(id, 0);
        EXPECT_EQ(s.result(id)->count(), c.connections) << s.dump(*s.result(id));
    }
}

// Two lines share Hrad/Most and then Dlouha trida/3; the search changes at the later one, a
// timetable with flag A at the stop whose name names its place most generally.
TEST(ConnectionSearchRules, TransfersInNamedTimetablesMoveToTheMostGeneralName) {
    struct Case {
        bool flagA;
        const char* expected;
    } cases[] = {
        {false, R"(connections 1, focus 0
1. 40 min, -1 m
   [Bus 1] Start 05.01. 08:00 -> Dlouha trida/3 05.01. 08:12, -1 m
   [Bus 2] Dlouha trida/3 05.01. 08:22 -> Konec 05.01. 08:40, -1 m
)"},
        {true, R"(connections 1, focus 0
1. 40 min, -1 m
   [Bus 1] Start 05.01. 08:00 -> Hrad/Most 05.01. 08:10, -1 m
   [Bus 2] Hrad/Most 05.01. 08:20 -> Konec 05.01. 08:40, -1 m
)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flagA ? "flag A" : "no flag A");
        TestSet s({compileDoc(
            timetable("Mesto",
                      {{"S", "Start"},
                       {"H", "Hrad/Most"},
                       {"D", "Dlouha trida/3"},
                       {"E", "Ende"},
                       {"K", "Konec"}},
                      {trip("1", {{"S", "8:00"}, {"H", "8:10"}, {"D", "8:12"}, {"E", "8:30"}}),
                       trip("2", {{"H", "8:20"}, {"D", "8:22"}, {"K", "8:40"}})},
                      json::array(), {{"flagA", c.flagA}}))});
        s.request(0, "Start", 0, "Konec", hm(7, 55), kDay, false);
        EXPECT_EQ(searchDump(s), c.expected);
    }
}

// A trip calls at Namesti/A, then at Kostel and Skola; the bus on goes from Namesti/B. The
// walks to Namesti/B: 5 minutes from Namesti/A, `fromKostel` from Kostel.
class SameNameWalk : public ::testing::Test {
protected:
    struct Network {
        int fromKostel = 1;
        std::string boardName = "Namesti/B";
        bool alightAtKostel = true;
        std::string kostelTime = "8:12";
    };

    bool walksFurther(const Network& n) {
        json first = trip("1", {{"S", "8:00"}, {"X", "8:10"}, {"Z", n.kostelTime}, {"E", "8:30"}});
        first["stops"][2]["alight"] = n.alightAtKostel;
        json walkFromKostel = json::array();
        if (n.fromKostel >= 0) {
            walkFromKostel.push_back({{"to", "Y"}, {"minutes", n.fromKostel}});
        }
        TestSet s(
            {compileDoc(timetable("Mesto",
                                  {{"S", "Start"},
                                   {"X", "Namesti/A", {{"walk", {{{"to", "Y"}, {"minutes", 5}}}}}},
                                   {"Z", "Kostel", {{"walk", walkFromKostel}}},
                                   {"E", "Ende"},
                                   {"Y", n.boardName},
                                   {"K", "Konec"}},
                                  {first, trip("2", {{"Y", "8:20"}, {"K", "8:30"}})}))});
        const cJizdniRad& jr = s.timetable(0);
        std::vector<cZastavkaZadani> none;
        std::vector<std::vector<std::int32_t>> noIndex(
            1, std::vector<std::int32_t>(jr.stops.stopCount(), -1));
        const PathRules rules(s.set().combination(), s.set().parameters(), false,
                              static_cast<std::int64_t>(kDay) * 1440 + hm(7, 55),
                              RunPlace{&none, &noIndex}, RunPlace{&none, &noIndex});
        CandidatePath path;
        path.legs.push_back(PathLeg{0, 0, kDay, 0, 1, 0});
        path.legs.push_back(PathLeg{0, 1, kDay, 0, 1, 5});
        return rules.walksFurtherThanNeeded(path);
    }
};

TEST_F(SameNameWalk, DropsAWalkThatTheNextStopShortens) {
    struct Case {
        const char* what;
        Network network;
        bool expected;
    } cases[] = {
        {"the next stop walks less and still catches the bus", {}, true},
        {"the two stops do not share a name", {.boardName = "Radnice"}, false},
        {"the next stop walks as far", {.fromKostel = 5}, false},
        {"the next stop has no walk there", {.fromKostel = -1}, false},
        {"alighting is not allowed at the next stop", {.alightAtKostel = false}, false},
        {"from the next stop the bus is missed", {.kostelTime = "8:20"}, false},
        {"the next stop would leave less time to change", {.kostelTime = "8:17"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(walksFurther(c.network), c.expected);
    }
}

}  // namespace
}  // namespace trasovnik::testing
