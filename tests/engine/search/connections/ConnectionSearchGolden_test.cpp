// Whole stored results of the connection search over small compiled networks, compared as a
// readable text: transfers, walking, via stops, links between timetables, arrival searches
// across midnight, browsing to later and earlier connections, and the store's limit.

#include <gtest/gtest.h>

#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

const std::int16_t kDay = day(5, 1, 2027);

class Golden : public ::testing::Test {
protected:
    TestSet s{{loadFixture("search-city"), loadFixture("search-region")}};

    std::string searchDump() {
        const std::int32_t id = s.search();
        EXPECT_GE(id, 0);
        return id >= 0 ? s.dump(*s.result(id)) : "status " + std::to_string(id);
    }
};

TEST_F(Golden, TransferAtTheSameStop) {
    s.request(0, "Adamov", 0, "Erbenova", hm(7, 55), kDay, false);
    EXPECT_EQ(searchDump(), R"(connections 1, focus 0
1. 40 min, 4000 m
   [Bus 1] Adamov 05.01. 08:00 -> Cihelna 05.01. 08:20, 2000 m
   [Bus 2] Cihelna 05.01. 08:25 -> Erbenova 05.01. 08:40, 2000 m
)");
}

TEST_F(Golden, WalkBetweenTwoStops) {
    s.request(0, "Adamov", 0, "Grunt", hm(7, 55), kDay, false);
    EXPECT_EQ(searchDump(), R"(connections 1, focus 0
1. 45 min, 4500 m
   [Bus 1] Adamov 05.01. 08:00 -> Cihelna 05.01. 08:20, 2000 m, walk 3 min to Farska
   [Bus 3] Farska 05.01. 08:30 -> Grunt 05.01. 08:45, 2500 m
)");
}

TEST_F(Golden, ViaStop) {
    s.request(0, "Adamov", 0, "Erbenova", hm(7, 55), kDay, false, 3, "Vrch");
    EXPECT_EQ(searchDump(), R"(connections 1, focus 0
1. 55 min, 4900 m
   [Bus 1] Adamov 05.01. 08:00 -> Borek 05.01. 08:10, 1000 m
   [Bus 4] Borek 05.01. 08:12 -> Erbenova 05.01. 08:55, 3900 m
)");
}

TEST_F(Golden, DirectTripsOnlyWithoutTransfers) {
    // The set's standard window is the larger of the two files': 180 minutes.
    s.request(0, "Adamov", 0, "Dubina", hm(7, 55), kDay, false, 0);
    EXPECT_EQ(searchDump(), R"(connections 3, focus 0
1. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 08:00 -> Dubina 05.01. 08:30, 3500 m
2. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 09:00 -> Dubina 05.01. 09:30, 3500 m
3. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 10:00 -> Dubina 05.01. 10:30, 3500 m
)");
}

TEST_F(Golden, LinkIntoAnotherTimetable) {
    s.request(0, "Adamov", 1, "Sedlo", hm(7, 55), kDay, false);
    EXPECT_EQ(searchDump(), R"(connections 2, focus 0
1. 70 min, 15500 m
   [Bus 1] Adamov 05.01. 08:00 -> Dubina 05.01. 08:30, 3500 m, walk 2 min to Rozcesti
   [Bus 300] Rozcesti 05.01. 08:40 -> Sedlo 05.01. 09:10, 12000 m
2. 70 min, 15500 m
   [Bus 1] Adamov 05.01. 09:00 -> Dubina 05.01. 09:30, 3500 m, walk 2 min to Rozcesti
   [Bus 300] Rozcesti 05.01. 09:40 -> Sedlo 05.01. 10:10, 12000 m
)");
}

TEST_F(Golden, ArrivalSearchAcrossMidnight) {
    s.request(0, "Adamov", 0, "Dubina", hm(0, 30), static_cast<std::int16_t>(kDay + 1), true);
    EXPECT_EQ(searchDump(), R"(connections 1, focus 0
1. 50 min, 3500 m
   [Bus N] Adamov 05.01. 23:30 -> Dubina 06.01. 00:20, 3500 m
)");
}

TEST_F(Golden, LaterAndEarlierConnectionsAreMerged) {
    s.request(0, "Adamov", 0, "Dubina", hm(8, 30), kDay, false);
    const std::int32_t first = s.search();
    ASSERT_GE(first, 0);
    EXPECT_EQ(s.dump(*s.result(first)), R"(connections 2, focus 0
1. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 09:00 -> Dubina 05.01. 09:30, 3500 m
2. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 10:00 -> Dubina 05.01. 10:30, 3500 m
)");
    setLaterRequest(s.set(), first);
    const std::int32_t later = s.search();
    ASSERT_GE(later, 0);
    EXPECT_EQ(s.dump(*s.result(later)), R"(connections 3, focus 2
1. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 09:00 -> Dubina 05.01. 09:30, 3500 m
2. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 10:00 -> Dubina 05.01. 10:30, 3500 m
3. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 11:00 -> Dubina 05.01. 11:30, 3500 m
)");
    setEarlierRequest(s.set(), later);
    const std::int32_t earlier = s.search();
    ASSERT_GE(earlier, 0);
    // The one earlier connection is the first new one: the focus follows it to the front.
    EXPECT_EQ(s.dump(*s.result(earlier)), R"(connections 4, focus 0
1. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 08:00 -> Dubina 05.01. 08:30, 3500 m
2. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 09:00 -> Dubina 05.01. 09:30, 3500 m
3. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 10:00 -> Dubina 05.01. 10:30, 3500 m
4. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 11:00 -> Dubina 05.01. 11:30, 3500 m
)");
    // Nothing runs after 11:00 within the window.
    setLaterRequest(s.set(), earlier);
    EXPECT_EQ(s.search(), kSearchNothingFound);
}

// Earlier connections join a result in front of it: the focus goes to the first of the new
// ones, as it does for later connections, wherever the ordering puts it.
TEST_F(Golden, EarlierConnectionsTakeTheFocusToTheFirstNewOne) {
    s.request(0, "Adamov", 0, "Dubina", hm(10, 30), kDay, false);
    const std::int32_t first = s.search();
    ASSERT_GE(first, 0);
    ASSERT_EQ(s.result(first)->count(), 1);
    setEarlierRequest(s.set(), first);
    const std::int32_t earlier = s.search();
    ASSERT_GE(earlier, 0);
    // The run finds 9:00 and 10:00 (in that order) before the 11:00 of the first result; the
    // focus is on 9:00, not on the position the first new connection had before ordering.
    EXPECT_EQ(s.dump(*s.result(earlier)), R"(connections 3, focus 0
1. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 09:00 -> Dubina 05.01. 09:30, 3500 m
2. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 10:00 -> Dubina 05.01. 10:30, 3500 m
3. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 11:00 -> Dubina 05.01. 11:30, 3500 m
)");
}

}  // namespace
}  // namespace trasovnik::testing
