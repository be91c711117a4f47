// Seeding at the places searched from: a departure of the traveller's own stop is left to
// another stop of the place further along the same trip only when the traveller can walk to
// that stop in time to board there. In arrival searches the same holds at the To place.

#include <gtest/gtest.h>

#include "tests/engine/search/connections/SearchTestNetwork.h"

namespace trasovnik::testing {
namespace {

// Home ("Domov") has a stop 4 minutes' walk away ("Vedle") that comes first in the place's
// stop list. Line 1 calls at Domov, then a minute later at Vedle; line 2 at Vedle, then a
// minute later at Domov; both ride on to the centre. Later trips serve the same stops.
json neighbourNetwork() {
    const json walk = {{"walk", {{{"to", "D"}, {"minutes", 4}}}}};
    const json back = {{"walk", {{{"to", "V"}, {"minutes", 4}}}}};
    const json trips = json::array({trip("1", {{"D", "8:00"}, {"V", "8:01"}, {"C", "8:20"}}),
                                    trip("1", {{"D", "8:40"}, {"V", "8:41"}, {"C", "9:00"}}),
                                    trip("2", {{"C", "9:40"}, {"V", "9:59"}, {"D", "10:00"}}),
                                    trip("2", {{"C", "10:40"}, {"V", "10:59"}, {"D", "11:00"}})});
    return timetable("Mesto", {{"V", "Vedle", walk}, {"D", "Domov", back}, {"C", "Centrum"}},
                     trips);
}

TEST(ConnectionSearchOrigins, AStopOfThePlaceThatCannotBeReachedInTimeDoesNotTakeTheDeparture) {
    const SearchCase cases[] = {
        {"departure: the bus leaves home before one could walk to the next stop", "Domov",
         "Centrum", hm(7, 58), false,
         R"(connections 2, focus 0
1. 20 min, -1 m
   [Bus 1] Domov 05.01. 08:00 -> Centrum 05.01. 08:20, -1 m
2. 23 min, -1 m
   walk 4 min Domov 05.01. 08:37 -> Vedle 05.01. 08:41
   [Bus 1] Vedle 05.01. 08:41 -> Centrum 05.01. 09:00, -1 m
)"},
        {"departure: with time to walk, the next stop serves the bus", "Domov", "Centrum",
         hm(7, 56), false,
         R"(connections 2, focus 0
1. 23 min, -1 m
   walk 4 min Domov 05.01. 07:57 -> Vedle 05.01. 08:01
   [Bus 1] Vedle 05.01. 08:01 -> Centrum 05.01. 08:20, -1 m
2. 23 min, -1 m
   walk 4 min Domov 05.01. 08:37 -> Vedle 05.01. 08:41
   [Bus 1] Vedle 05.01. 08:41 -> Centrum 05.01. 09:00, -1 m
)"},
        {"arrival: the bus reaches home too late for a walk from the stop before", "Centrum",
         "Domov", hm(10, 2), true,
         R"(connections 1, focus 0
1. 20 min, -1 m
   [Bus 2] Centrum 05.01. 09:40 -> Domov 05.01. 10:00, -1 m
)"},
    };
    for (const SearchCase& c : cases) {
        expectSearch(neighbourNetwork(), c);
    }
}

}  // namespace
}  // namespace trasovnik::testing
