// Places turned into candidate stops: the element's own stops, stops linked on foot (at most
// 9 minutes, also into another timetable of the set), stops near a GPS point; and the start
// shift of a stop's group.

#include <gtest/gtest.h>

#include "engine/data/EngineException.h"
#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

// Stops P (walks of 9 minutes to Q, 10 to R, 3 to S), Q (walk of 1 to P), R, S; one trip
// P-Q-R-S. Stop T is in a group whose value 4 shifts its clock by 60 minutes.
nlohmann::json placeFile() {
    return nlohmann::json::parse(R"({
      "version": "4.0",
      "header": { "title": "Mista", "kind": "MHD",
                  "validity": [{ "from": "2027-01-01", "to": "2027-01-31" },
                               { "from": "2027-01-01", "to": "2027-01-31" }],
                  "hasCoordinates": true },
      "searchDefaults": { "walkingPace": 12, "walkingLimit": 10 },
      "stopGroups": [{ "id": "plain", "name": "", "value": 0 },
                     { "id": "east", "name": "Vychod", "value": 4 }],
      "stops": [
        { "id": "P", "name": "P", "group": "plain", "lat": 49.0, "lon": 16.0,
          "walk": [{ "to": "Q", "minutes": 9 }, { "to": "R", "minutes": 10 }, { "to": "S", "minutes": 3 }] },
        { "id": "Q", "name": "Q", "group": "plain", "lat": 49.004, "lon": 16.0,
          "walk": [{ "to": "P", "minutes": 1 }] },
        { "id": "R", "name": "R", "group": "plain", "lat": 49.5, "lon": 16.0 },
        { "id": "S", "name": "S", "group": "plain", "lat": 49.6, "lon": 16.0 },
        { "id": "T", "name": "T", "group": "east", "lat": 49.7, "lon": 16.0 }
      ],
      "categories": [{ "name": "zastávky", "elements": [
        { "name": "P", "stops": ["P"] }, { "name": "Q", "stops": ["Q"] },
        { "name": "PQ", "stops": ["P", "Q"] }, { "name": "R", "stops": ["R"] },
        { "name": "S", "stops": ["S"] }, { "name": "T", "stops": ["T"] } ] }],
      "lineKinds": [{ "id": "bus", "name": "Bus" }],
      "lineGroups": [{ "id": "g", "name": "" }],
      "lines": [{ "id": "L", "kind": "bus", "group": "g", "name": "1" }],
      "calendars": [{ "id": "all", "from": "2027-01-01", "to": "2027-01-31" }],
      "trips": [
        { "line": "L", "calendar": "all", "stops": [
          { "stop": "T", "dep": "23:30" }, { "stop": "R", "dep": "23:50" } ] },
        { "line": "L", "calendar": "all", "stops": [
          { "stop": "T", "dep": "22:50" }, { "stop": "S", "dep": "23:20" } ] }
      ]
    })");
}

std::string describe(const std::vector<cZastavkaZadani>& list) {
    std::string out;
    for (const cZastavkaZadani& c : list) {
        out += "(" + std::to_string(c.timetable) + " " + std::to_string(c.stop) + " " +
               std::to_string(c.walkMinutes) + " " + std::to_string(c.sourceTimetable) + " " +
               std::to_string(c.sourceStop) + ")";
    }
    return out;
}

TEST(SearchRequest, WalkingLinksOfAtMostNineMinutesMakeCandidates) {
    TestSet s({compileDoc(placeFile())});
    // P itself, Q at 9 minutes, S at 3; R (10 minutes) is not a candidate.
    EXPECT_EQ(describe(s.place(0, "P")), "(0 0 0 -1 -1)(0 1 9 0 0)(0 3 3 0 0)");
    // A stop of the place keeps 0 minutes although another stop of it walks there.
    EXPECT_EQ(describe(s.place(0, "PQ")), "(0 0 0 -1 -1)(0 1 0 -1 -1)(0 3 3 0 0)");
}

TEST(SearchRequest, LinksIntoAnotherTimetableOfTheSet) {
    TestSet s({loadFixture("search-city"), loadFixture("search-region")});
    // Dubina (stop 3 of the city) is linked to Rozcesti (stop 0 of the region) at 2 minutes.
    EXPECT_EQ(describe(s.place(0, "Dubina")), "(0 3 0 -1 -1)(1 0 2 0 3)");
}

TEST(SearchRequest, StopsNearAPoint) {
    TestSet s({compileDoc(placeFile())});
    const cJizdniRadySestavy& combination = s.set().combination();
    // 10 minutes at 12 minutes per kilometre: 833 m. Q lies about 445 m north of P.
    const auto near = resolvePlace(combination, s.set().parameters(), {}, 49.0, 16.0, true);
    EXPECT_EQ(describe(near), "(0 0 1 -1 -1)(0 1 5 -1 -1)");
    // No point at latitude 0, and none for a place that may not have one.
    EXPECT_TRUE(resolvePlace(combination, s.set().parameters(), {}, 0.0, 0.0, true).empty());
    EXPECT_TRUE(resolvePlace(combination, s.set().parameters(), {}, 49.0, 16.0, false).empty());
}

TEST(SearchRequest, ATripleOutsideTheSetIsRefused) {
    TestSet s({compileDoc(placeFile())});
    const IndexTriple bad[] = {{1, 0, 0}, {0, 0, 99}, {-1, 0, 0}};
    for (const IndexTriple& t : bad) {
        EXPECT_THROW(resolvePlace(s.set().combination(), s.set().parameters(), std::span(&t, 1), 0,
                                  0, false),
                     EngineException);
    }
}

TEST(SearchRequest, AStopsShiftMovesTheStartAcrossMidnight) {
    TestSet s({compileDoc(placeFile())});
    const std::int16_t d = day(10, 1, 2027);
    // Local 0:20 of the next day at T is 23:20 of timetable time, so the 23:30 trip is reached.
    // Its legs show each stop's own clock; the total is the 20 minutes the ride takes.
    s.request(0, "T", 0, "R", hm(0, 20), static_cast<std::int16_t>(d + 1), false);
    const std::int32_t id = s.search();
    ASSERT_GE(id, 0);
    EXPECT_EQ(s.dump(*s.result(id)), R"(connections 1, focus 0
1. 20 min, -1 m
   [Bus 1] T 11.01. 00:30 -> R 10.01. 23:50, -1 m
)");
}

}  // namespace
}  // namespace trasovnik::testing
