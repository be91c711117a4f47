// A search whose To place the trips could reach, but not in time (the last trip on has left,
// or the trip that would arrive takes one change more than the request allows at that hour),
// answers "nothing found" before it seeds a single label, with the same messages as a search
// that nothing reaches at all; one that a journey reaches in time is searched as before.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/MessageIds.h"
#include "tests/engine/EngineMessageWindow.h"
#include "tests/engine/search/connections/SearchTestNetwork.h"

namespace trasovnik::testing {
namespace {

// Line 1 runs A - B every 20 minutes from 6:00 to 9:00, line 2 B - C only from 6:10 to 7:10.
// Line 3 runs A - D directly, but only at 6:00 and 6:20; later the way to D is line 1 to B and
// line 7 B - D (every 20 minutes from 6:10 to 9:10). Every line runs one way only.
json network() {
    json trips = json::array();
    auto line = [&](const std::string& id, const std::string& from, const std::string& to,
                    int first, int last) {
        for (int m = first; m <= last; m += 20) {
            trips.push_back(trip(id, {{from, clockOf(m)}, {to, clockOf(m + 8)}}));
        }
    };
    line("1", "A", "B", hm(6, 0), hm(9, 0));
    line("2", "B", "C", hm(6, 10), hm(7, 10));
    line("3", "A", "D", hm(6, 0), hm(6, 20));
    line("7", "B", "D", hm(6, 10), hm(9, 10));
    return timetable("Reach in time",
                     {{"A", "Stop A"}, {"B", "Stop B"}, {"C", "Stop C"}, {"D", "Stop D"}}, trips);
}

TEST(ConnectionSearchReachInTime, NothingReachableInTimeIsAnsweredBeforeAnyLabel) {
    TestSet s{{compileDoc(network())}};
    struct Case {
        const char* what;
        const char* from;
        const char* to;
        int minute;
        bool arrival;
        int maxTransfers;
        bool found;
    } cases[] = {
        {"line 2 still runs", "Stop A", "Stop C", hm(6, 0), false, 1, true},
        {"line 2 has stopped: only the times forbid it", "Stop A", "Stop C", hm(8, 0), false, 3,
         false},
        {"arriving before line 2 starts", "Stop A", "Stop C", hm(6, 15), true, 3, false},
        {"arriving after it", "Stop A", "Stop C", hm(7, 30), true, 1, true},
        {"the direct line at 6:00", "Stop A", "Stop D", hm(6, 0), false, 0, true},
        {"after the direct line: only the ride limit forbids it", "Stop A", "Stop D", hm(7, 0),
         false, 0, false},
        {"after the direct line with a change", "Stop A", "Stop D", hm(7, 0), false, 1, true},
        {"arriving late without a change", "Stop A", "Stop D", hm(9, 0), true, 0, false},
        {"arriving late with a change", "Stop A", "Stop D", hm(9, 0), true, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s.request(0, c.from, 0, c.to, c.minute, kDay, c.arrival, c.maxTransfers);
        EngineMessageWindow w;
        const std::int32_t status = s.searcher.hledejCestu(s.set(), 0, 0, w.window());
        if (c.found) {
            EXPECT_GE(status, 0);
            continue;
        }
        EXPECT_EQ(status, kSearchNothingFound);
        EXPECT_EQ(s.searcher.lastPageBytes(), 0u) << "the search took labels";
        // As when no trip leads there: the start, then the end of the run.
        const std::vector<EngineMessage> expected = {
            {platform::WM_ENGINE_START, 999999, w.threadId()},
            {platform::WM_ENGINE_PROGRESS, 100, w.threadId()}};
        EXPECT_EQ(w.received(), expected);
    }
}

}  // namespace
}  // namespace trasovnik::testing
