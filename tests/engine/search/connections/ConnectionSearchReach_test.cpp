// A search whose To place no journey can reach, with the transfers the request allows, answers
// "nothing found" before it seeds a single label; one that a journey can reach is searched as
// before, also when the way leads over a walking link, and a walk joining the places is still
// offered when no ride does.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/search/connections/SearchTestNetwork.h"

namespace trasovnik::testing {
namespace {

// Line 1 runs A - B, line 2 B - C, line 3 G - D, where G lies 2 minutes' walk from C: A to D
// takes three trips. Line 7 runs between E and F, which no other stop is linked to. Every line
// runs one way only, every 20 minutes from 6:00 to 9:00.
json network() {
    json trips = json::array();
    auto line = [&](const std::string& id, const std::string& from, const std::string& to,
                    int offset) {
        for (int m = hm(6, 0) + offset; m <= hm(9, 0); m += 20) {
            trips.push_back(trip(id, {{from, clockOf(m)}, {to, clockOf(m + 8)}}));
        }
    };
    line("1", "A", "B", 0);
    line("2", "B", "C", 10);
    line("3", "G", "D", 5);
    line("7", "E", "F", 0);
    auto walk = [](const char* to) {
        return json{{"walk", json::array({{{"to", to}, {"minutes", 2}}})}};
    };
    return timetable("Reach",
                     {{"A", "Stop A"},
                      {"B", "Stop B"},
                      {"C", "Stop C", walk("G")},
                      {"D", "Stop D"},
                      {"E", "Stop E"},
                      {"F", "Stop F"},
                      {"G", "Stop G", walk("C")}},
                     trips);
}

TEST(ConnectionSearchReach, NothingReachableIsAnsweredBeforeAnyLabel) {
    TestSet s{{compileDoc(network())}};
    struct Case {
        const char* from;
        const char* to;
        bool arrival;
        int maxTransfers;
        bool found;
    } cases[] = {
        {"Stop A", "Stop D", false, 2, true},   // two changes, one of them on foot
        {"Stop A", "Stop D", true, 2, true},    // the same as an arrival search
        {"Stop A", "Stop D", false, 1, false},  // a third trip is not allowed
        {"Stop A", "Stop D", true, 1, false},
        {"Stop A", "Stop C", false, 1, true},
        {"Stop D", "Stop A", false, 3, false},  // the lines run one way only
        {"Stop D", "Stop A", true, 3, false},
        {"Stop A", "Stop F", false, 3, false},  // nothing leads to the other line
        {"Stop E", "Stop A", true, 3, false},
        {"Stop E", "Stop F", true, 0, true},
        {"Stop C", "Stop G", false, 3, true},  // no ride, but the walk between the places
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to + (c.arrival ? " arriving" : "") +
                     ", transfers " + std::to_string(c.maxTransfers));
        s.request(0, c.from, 0, c.to, c.arrival ? hm(9, 30) : hm(6, 0), kDay, c.arrival,
                  c.maxTransfers);
        const std::int32_t status = s.search();
        if (c.found) {
            EXPECT_GE(status, 0);
        } else {
            EXPECT_EQ(status, kSearchNothingFound);
            EXPECT_EQ(s.searcher.lastPageBytes(), 0u) << "the search took labels";
        }
    }
}

}  // namespace
}  // namespace trasovnik::testing
