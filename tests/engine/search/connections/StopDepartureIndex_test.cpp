// The departures of a stop as the connection search reads them: by minute, grouped by route
// and direction, in streams of trips that keep the same times, in real and in mirrored time,
// tied minutes in the order of the stop's passages.

#include "engine/search/connections/StopDepartureIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "tests/engine/data/TimetableTestFiles.h"
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

// One departure of the index at a stop, as the search reads it.
struct Listed {
    std::string text;  // "trip@position minute+days"
    std::int32_t minuteOfDay;
    std::uint64_t tie;
    std::size_t group;
};

// Every departure the index holds at the stop, by minute of day, then in the stop's order of
// equal minutes.
std::vector<Listed> listed(const StopDepartureIndex& index, std::uint16_t stop) {
    std::vector<Listed> out;
    const auto groups = index.groupsAt(stop);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const StopDepartureIndex::Call& c : index.callsOf(groups[g])) {
            for (std::uint32_t place = c.begin; place < c.end; ++place) {
                const int minute = c.offset + index.keys()[place];
                const int days = minute >= 0 ? minute / 1440 : -((1439 - minute) / 1440);
                const int ofDay = minute - days * 1440;
                out.push_back({std::to_string(index.trips()[place]) + "@" +
                                   std::to_string(c.position) + " " + std::to_string(ofDay) + "+" +
                                   std::to_string(days),
                               ofDay, index.tieOf(c, place), g});
            }
        }
    }
    std::sort(out.begin(), out.end(), [](const Listed& a, const Listed& b) {
        return a.minuteOfDay != b.minuteOfDay ? a.minuteOfDay < b.minuteOfDay : a.tie < b.tie;
    });
    return out;
}

std::vector<std::string> texts(const std::vector<Listed>& list) {
    std::vector<std::string> out;
    for (const Listed& d : list) {
        out.push_back(d.text);
    }
    return out;
}

TEST(StopDepartureIndex, RealTimeDeparturesByMinuteAndByDirectionOfTheRoute) {
    auto jr = compileDoc(network());
    StopDepartureIndex index(*jr, false);
    const std::vector<Listed> m = listed(index, kStopM);
    // Trip 3 may not be boarded at M; trip 2 departs at 0:02 of the next day.
    EXPECT_EQ(texts(m),
              (std::vector<std::string>{"2@1 2+1", "4@1 371+0", "1@1 485+0", "0@1 490+0"}));
    // Line 1's trips share a route record in both directions; only those of one direction
    // share a group.
    std::vector<std::vector<std::string>> groups(index.groupsAt(kStopM).size());
    for (const Listed& d : m) {
        groups[d.group].push_back(d.text.substr(0, d.text.find('@')));
    }
    std::sort(groups.begin(), groups.end());
    EXPECT_EQ(groups, (std::vector<std::vector<std::string>>{{"1"}, {"2", "0"}, {"4"}}));
    EXPECT_EQ(jr->trips.trip(0).route(), jr->trips.trip(4).route());
    // Trip 0 rides 10 minutes from M to B, trip 2 13 minutes: their group's rides differ by
    // 3 minutes (they keep different times, so they are streams of their own); a group of one
    // trip has no spread.
    std::vector<std::int32_t> spreads;
    for (const StopDepartureIndex::Group& g : index.groupsAt(kStopM)) {
        spreads.push_back(g.rideSpread);
    }
    std::sort(spreads.begin(), spreads.end());
    EXPECT_EQ(spreads, (std::vector<std::int32_t>{0, 0, 3}));
}

TEST(StopDepartureIndex, MirroredTimeDepartsWhereTheTripArrives) {
    auto jr = compileDoc(network());
    StopDepartureIndex index(*jr, true);
    // Mirrored minute 1439 - arrival at M, mirrored position counted from the trip's end; trip
    // 3 may alight at M, so an arrival search boards it there. Trip 2 arrives at M at 0:01 of
    // the day after its start: in mirrored time that is 23:58 of the day before the mirrored
    // start day.
    EXPECT_EQ(texts(listed(index, kStopM)),
              (std::vector<std::string>{"3@1 889+0", "0@1 950+0", "1@1 954+0", "4@1 1069+0",
                                        "2@1 1438+-1"}));
}

// Trips of one route that keep the same times are one stream, stored once in start order and
// met at every stop they call at; the minute there is the stream's offset added to the start.
TEST(StopDepartureIndex, TripsKeepingTheSameTimesShareOneStream) {
    json doc = network();
    for (const char* start : {"10:00", "12:00"}) {
        const int h = std::stoi(start);
        auto at = [&](int m) {
            return std::to_string(h) + ":" + (m < 10 ? "0" : "") + std::to_string(m);
        };
        doc["trips"].push_back(
            {{"line", "1"},
             {"calendar", "all"},
             {"stops",
              {call("A", at(0), at(0)), call("M", at(9), at(10)), call("B", at(20), at(20))}}});
    }
    auto jr = compileDoc(doc);
    StopDepartureIndex index(*jr, false);
    EXPECT_EQ(texts(listed(index, kStopM)),
              (std::vector<std::string>{"2@1 2+1", "4@1 371+0", "1@1 485+0", "0@1 490+0",
                                        "5@1 610+0", "6@1 730+0"}));
    for (const StopDepartureIndex::Group& g : index.groupsAt(kStopM)) {
        for (const StopDepartureIndex::Call& c : index.callsOf(g)) {
            if (index.trips()[c.begin] == 0) {
                EXPECT_EQ(c.end - c.begin, 3u);  // trips 0, 5 and 6
                EXPECT_EQ(c.offset, 10);
                EXPECT_EQ(c.ride, 10);
            }
        }
    }
}

// Departures at one stop and minute come in the order of the stop's passages, also when a
// file orders them otherwise than by trip.
TEST(StopDepartureIndex, EqualMinutesKeepTheOrderOfThePassages) {
    json doc = network();
    doc["trips"].push_back(
        {{"line", "2"},
         {"calendar", "all"},
         {"stops",
          {call("C", "8:00", "8:00"), call("M", "8:10", "8:10"), call("D", "8:30", "8:30")}}});
    auto order = [](const StopDepartureIndex& index) {
        std::vector<std::string> out;
        for (const Listed& d : listed(index, kStopM)) {
            if (d.minuteOfDay == 490) {
                out.push_back(d.text);
            }
        }
        return out;
    };
    auto plain = compileDoc(doc);
    EXPECT_TRUE(StopDepartureIndex::passagesInCompilerOrder(*plain));
    EXPECT_EQ(order(StopDepartureIndex(*plain, false)),
              (std::vector<std::string>{"0@1 490+0", "5@1 490+0"}));
    // The same file with the two passages of 8:10 at M exchanged.
    Alterations swap;
    swap.passages = [](jz::PassageSection& section) {
        std::vector<jz::LaidPassage>& row = section.rows.byStop[kStopM];
        std::size_t a = row.size(), b = row.size();
        for (std::size_t i = 0; i < row.size(); ++i) {
            (row[i].trip == 0 ? a : row[i].trip == 5 ? b : i) = i;
        }
        ASSERT_LT(a, row.size());
        ASSERT_LT(b, row.size());
        std::swap(row[a], row[b]);
        std::swap(section.slots[0][1], section.slots[5][1]);
    };
    auto swapped = load(compileAltered(doc, swap));
    ASSERT_TRUE(swapped);
    EXPECT_EQ(swapped->passages.tripAt(kStopM, 3), 5u);
    EXPECT_FALSE(StopDepartureIndex::passagesInCompilerOrder(*swapped));
    EXPECT_EQ(order(StopDepartureIndex(*swapped, false)),
              (std::vector<std::string>{"5@1 490+0", "0@1 490+0"}));
}

TEST(StopDepartureIndex, AStopWithoutDeparturesAndOneOutsideTheFile) {
    auto jr = compileDoc(network());
    StopDepartureIndex index(*jr, false);
    EXPECT_TRUE(index.groupsAt(4).empty());  // D is only ever the last stop
    try {
        index.groupsAt(5);
        ADD_FAILURE() << "no error";
    } catch (...) {
        EXPECT_EQ(currentEngineCode(), ENGINE_EXC_INDEX);
    }
}

}  // namespace
}  // namespace trasovnik::testing
