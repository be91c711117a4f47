// The departures of a stop as the connection search reads them: by minute, grouped by route
// and direction, in real and in mirrored time, and kept per file only while the file is loaded.

#include "engine/search/StopDepartureIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

using nlohmann::json;

json call(const std::string& stop, const std::string& arr, const std::string& dep,
          bool board = true, bool alight = true) {
    return {{"stop", stop}, {"arr", arr}, {"dep", dep}, {"board", board}, {"alight", alight}};
}

// Lines 1 and 2 both call at M. Line 1 runs A - M - B twice (one trip past midnight) and once
// backwards; line 2 runs C - M, with boarding at M refused on its second trip.
json network() {
    auto stop = [](const std::string& id) { return json{{"id", id}, {"name", "Stop " + id}}; };
    json trips = json::array({
        {{"line", "1"},
         {"calendar", "all"},
         {"stops",
          {call("A", "8:00", "8:00"), call("M", "8:09", "8:10"), call("B", "8:20", "8:20")}}},
        {{"line", "2"},
         {"calendar", "all"},
         {"stops",
          {call("C", "7:50", "7:50"), call("M", "8:05", "8:05"), call("D", "8:30", "8:30")}}},
        {{"line", "1"},
         {"calendar", "all"},
         {"stops",
          {call("A", "23:50", "23:50"), call("M", "24:01", "24:02"), call("B", "24:15", "24:15")}}},
        {{"line", "2"},
         {"calendar", "all"},
         {"stops",
          {call("C", "9:00", "9:00"), call("M", "9:10", "9:10", false, true),
           call("D", "9:30", "9:30")}}},
        {{"line", "1"},
         {"calendar", "all"},
         {"stops",
          {call("B", "6:00", "6:00"), call("M", "6:10", "6:11"), call("A", "6:20", "6:20")}}},
    });
    json stops = json::array({stop("A"), stop("M"), stop("B"), stop("C"), stop("D")});
    json lines = json::array({{{"id", "1"}, {"kind", "bus"}, {"group", "g"}, {"name", "1"}},
                              {{"id", "2"}, {"kind", "bus"}, {"group", "g"}, {"name", "2"}}});
    return {{"version", "4.0"},
            {"header",
             {{"title", "Index"},
              {"kind", "MHD"},
              {"validity",
               {{{"from", "2027-01-01"}, {"to", "2027-01-31"}},
                {{"from", "2027-01-01"}, {"to", "2027-01-31"}}}}}},
            {"stops", stops},
            {"categories",
             {{{"name", "zastávky"}, {"elements", {{{"name", "Stop M"}, {"stops", {"M"}}}}}}}},
            {"lineKinds", {{{"id", "bus"}, {"name", "Bus"}}}},
            {"lineGroups", {{{"id", "g"}, {"name", ""}}}},
            {"lines", lines},
            {"calendars", {{{"id", "all"}, {"from", "2027-01-01"}, {"to", "2027-01-31"}}}},
            {"trips", trips}};
}

constexpr std::uint16_t kStopM = 1;

// Departure texts "trip@position minute+days" in the list's order.
std::vector<std::string> texts(const std::vector<StopDeparture>& list) {
    std::vector<std::string> out;
    for (const StopDeparture& d : list) {
        out.push_back(std::to_string(d.trip) + "@" + std::to_string(d.position) + " " +
                      std::to_string(d.minuteOfDay) + "+" + std::to_string(d.daysBack));
    }
    return out;
}

TEST(StopDepartureIndex, RealTimeDeparturesByMinuteAndByDirectionOfTheRoute) {
    auto jr = compileDoc(network());
    StopDepartureIndex index(*jr, false);
    const StopDepartures& m = index.of(kStopM);
    // Trip 3 may not be boarded at M; trip 2 departs at 0:02 of the next day.
    EXPECT_EQ(texts(m.all),
              (std::vector<std::string>{"2@1 2+1", "4@1 371+0", "1@1 485+0", "0@1 490+0"}));
    // Each group's departures lie together, in minute order, and every departure is in one.
    // Line 1's trips share a route record in both directions; only those of one direction
    // share a group.
    ASSERT_EQ(m.byGroup.size(), m.all.size());
    std::vector<std::vector<std::uint32_t>> groups;
    for (std::size_t g = 0; g < m.groups.size(); ++g) {
        groups.emplace_back();
        for (std::uint32_t i = m.groups[g].begin; i < m.groups[g].end; ++i) {
            const GroupPlace at = m.byGroup[i];
            ASSERT_LT(at.place, m.all.size());
            EXPECT_EQ(m.all[at.place].group, g);
            EXPECT_EQ(at.minuteOfDay, m.all[at.place].minuteOfDay);
            if (i > m.groups[g].begin) {
                EXPECT_LT(m.byGroup[i - 1].place, at.place);
            }
            groups.back().push_back(m.all[at.place].trip);
        }
    }
    // Trip 0 rides 10 minutes from M to B, trip 2 13 minutes: their group's rides differ by
    // 3 minutes; a group of one trip has no spread.
    std::vector<std::int32_t> spreads;
    for (const GroupDepartures& g : m.groups) {
        spreads.push_back(g.rideSpread);
    }
    std::sort(spreads.begin(), spreads.end());
    EXPECT_EQ(spreads, (std::vector<std::int32_t>{0, 0, 3}));
    std::sort(groups.begin(), groups.end());
    EXPECT_EQ(groups, (std::vector<std::vector<std::uint32_t>>{{1}, {2, 0}, {4}}));
    EXPECT_EQ(jr->trips.trip(0).route(), jr->trips.trip(4).route());
    EXPECT_EQ(&index.of(kStopM), &m);  // gathered once
}

TEST(StopDepartureIndex, MirroredTimeDepartsWhereTheTripArrives) {
    auto jr = compileDoc(network());
    StopDepartureIndex index(*jr, true);
    // Mirrored minute 1439 - arrival at M, mirrored position counted from the trip's end; trip
    // 3 may alight at M, so an arrival search boards it there. Trip 2 arrives at M at 0:01 of
    // the day after its start: in mirrored time that is 23:58 of the day before the mirrored
    // start day.
    EXPECT_EQ(texts(index.of(kStopM).all),
              (std::vector<std::string>{"3@1 889+0", "0@1 950+0", "1@1 954+0", "4@1 1069+0",
                                        "2@1 1438+-1"}));
}

TEST(StopDepartureIndex, AStopWithoutDeparturesAndOneOutsideTheFile) {
    auto jr = compileDoc(network());
    StopDepartureIndex index(*jr, false);
    EXPECT_TRUE(index.of(4).all.empty());  // D is only ever the last stop
    EXPECT_TRUE(index.of(4).groups.empty());
    try {
        index.of(5);
        ADD_FAILURE() << "no error";
    } catch (...) {
        EXPECT_EQ(currentEngineCode(), ENGINE_EXC_INDEX);
    }
}

TEST(StopDepartureIndexes, KeptPerFileAndDirectionWhileTheFileLives) {
    StopDepartureIndexes indexes;
    std::shared_ptr<cJizdniRad> first = compileDoc(network());
    StopDepartureIndex& real = indexes.of(first, false);
    EXPECT_EQ(&indexes.of(first, false), &real);
    EXPECT_NE(&indexes.of(first, true), &real);
    EXPECT_TRUE(indexes.of(first, true).mirrored());
    std::weak_ptr<cJizdniRad> gone = first;
    first.reset();
    EXPECT_TRUE(gone.expired());  // the index does not keep the file alive
    std::shared_ptr<cJizdniRad> second = compileDoc(network());
    EXPECT_EQ(&indexes.of(second, false).file(), second.get());
}

}  // namespace
}  // namespace trasovnik::testing
