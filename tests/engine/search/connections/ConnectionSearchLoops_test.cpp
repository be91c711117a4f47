// Journeys that come back to a stop they have been at are never offered: the same journey
// without the loop is never worse. Where a walking link joins the two places, the walk itself
// is offered, as a connection of one walking leg.

#include <gtest/gtest.h>

#include "tests/engine/search/connections/SearchTestNetwork.h"

namespace trasovnik::testing {
namespace {

// Domov and Cil are 5 minutes apart on foot. Line 1 runs one stop out from Domov and back,
// line 2 the same from Cil; line 3 leaves Domov at 7:50, calls at Most and comes back
// through Domov at 8:25 on its way to Daleko. `extra` adds trips.
json outAndBack(json extra = json::array()) {
    json trips = json::array(
        {trip("1", {{"A", "8:10"}, {"B", "8:12"}}), trip("1", {{"B", "8:15"}, {"A", "8:17"}}),
         trip("2", {{"C", "8:25"}, {"D", "8:27"}}), trip("2", {{"D", "8:30"}, {"C", "8:32"}}),
         trip("3", {{"A", "7:50"}, {"M", "8:00"}, {"A", "8:25"}, {"F", "8:35"}})});
    for (const json& t : extra) {
        trips.push_back(t);
    }
    return timetable("Mesto",
                     {{"A", "Domov", {{"walk", {{{"to", "C"}, {"minutes", 5}}}}}},
                      {"B", "Bocni"},
                      {"C", "Cil", {{"walk", {{{"to", "A"}, {"minutes", 5}}}}}},
                      {"D", "Dvur"},
                      {"M", "Most"},
                      {"F", "Daleko"}},
                     trips);
}

TEST(ConnectionSearchLoops, NoJourneyComesBackToAStopAndAWalkJoinsThePlaces) {
    const SearchCaseOnPart cases[] = {
        {"the places a walk apart: the walk, not a ride out and back", json::array(), "Domov",
         "Cil", hm(8, 5), false,
         R"(connections 1, focus 0
1. 5 min, 0 m
   walk 5 min Domov 05.01. 08:05 -> Cil 05.01. 08:10
)"},
        {"the same in an arrival search", json::array(), "Domov", "Cil", hm(8, 30), true,
         R"(connections 1, focus 0
1. 5 min, 0 m
   walk 5 min Domov 05.01. 08:25 -> Cil 05.01. 08:30
)"},
        {"a bus quicker than the walk is offered instead of it",
         json::array({trip("7", {{"A", "8:06"}, {"C", "8:08"}})}), "Domov", "Cil", hm(8, 5), false,
         R"(connections 1, focus 0
1. 2 min, -1 m
   [Bus 7] Domov 05.01. 08:06 -> Cil 05.01. 08:08, -1 m
)"},
        {"a ride round and back through home leaves, without the loop, after the window",
         json::array(), "Domov", "Daleko", hm(6, 0), false, "status -8"},
        {"without the loop it leaves within the window", json::array(), "Domov", "Daleko", hm(7, 0),
         false,
         R"(connections 1, focus 0
1. 10 min, -1 m
   [Bus 3] Domov 05.01. 08:25 -> Daleko 05.01. 08:35, -1 m
)"},
    };
    for (const SearchCaseOnPart& c : cases) {
        expectSearch(outAndBack(c.part), c.search());
    }
}

}  // namespace
}  // namespace trasovnik::testing
