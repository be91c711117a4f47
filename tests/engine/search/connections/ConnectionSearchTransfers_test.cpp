// Which departures a change boards: a departure in the other direction of the same route, or
// a slower trip over the same stops, never hides the one that takes the traveller on sooner,
// and only the search window bounds the wait for the next trip.

#include <gtest/gtest.h>

#include "tests/engine/search/connections/SearchTestNetwork.h"

namespace trasovnik::testing {
namespace {

// Line 2 brings the traveller from Xaver to the junction M at 8:00 (and back from M at 16:00).
// Line 1 runs A - M - B and back over the same stops; `line1` gives its trips.
json junction(json line1) {
    json trips = std::move(line1);
    trips.push_back(trip("2", {{"X", "7:50"}, {"M", "8:00"}}));
    trips.push_back(trip("2", {{"M", "16:00"}, {"X", "16:10"}}));
    return timetable("Mesto", {{"X", "Xaver"}, {"A", "Alfa"}, {"M", "Mezi"}, {"B", "Beta"}}, trips);
}

TEST(ConnectionSearchTransfers, TheDepartureThatTakesTheTravellerOnIsBoarded) {
    const SearchCaseOnPart cases[] = {
        {"a trip towards A leaving first does not hide the one towards B",
         json::array({trip("1", {{"B", "7:55"}, {"M", "8:05"}, {"A", "8:15"}}),
                      trip("1", {{"A", "7:57"}, {"M", "8:07"}, {"B", "8:17"}})}),
         "Xaver", "Beta", hm(7, 50), false,
         R"(connections 1, focus 0
1. 27 min, -1 m
   [Bus 2] Xaver 05.01. 07:50 -> Mezi 05.01. 08:00, -1 m
   [Bus 1] Mezi 05.01. 08:07 -> Beta 05.01. 08:17, -1 m
)"},
        {"a slow trip leaving first does not hide a fast one that overtakes it",
         json::array({trip("1", {{"A", "7:55"}, {"M", "8:05"}, {"B", "9:00"}}),
                      trip("1", {{"A", "8:00"}, {"M", "8:10"}, {"B", "8:30"}})}),
         "Xaver", "Beta", hm(7, 50), false,
         R"(connections 1, focus 0
1. 40 min, -1 m
   [Bus 2] Xaver 05.01. 07:50 -> Mezi 05.01. 08:00, -1 m
   [Bus 1] Mezi 05.01. 08:10 -> Beta 05.01. 08:30, -1 m
)"},
        {"a wait of seven hours within the window",
         json::array({trip("1", {{"A", "14:50"}, {"M", "15:00"}, {"B", "15:10"}})}), "Xaver",
         "Beta", hm(7, 50), false,
         R"(connections 1, focus 0
1. 440 min, -1 m
   [Bus 2] Xaver 05.01. 07:50 -> Mezi 05.01. 08:00, -1 m
   [Bus 1] Mezi 05.01. 15:00 -> Beta 05.01. 15:10, -1 m
)"},
        {"the same wait in an arrival search",
         json::array({trip("1", {{"B", "8:50"}, {"M", "9:00"}, {"A", "9:10"}})}), "Beta", "Xaver",
         hm(16, 10), true,
         R"(connections 1, focus 0
1. 440 min, -1 m
   [Bus 1] Beta 05.01. 08:50 -> Mezi 05.01. 09:00, -1 m
   [Bus 2] Mezi 05.01. 16:00 -> Xaver 05.01. 16:10, -1 m
)"},
    };
    for (const SearchCaseOnPart& c : cases) {
        expectSearch(junction(c.part), c.search());
    }
}

}  // namespace
}  // namespace trasovnik::testing
