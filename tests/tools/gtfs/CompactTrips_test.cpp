// The compiler's compact trip table, the importer's lean path, writes the same file as the
// same trips given in a description, and refuses what the description's trips refuse.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/ContainerWriter.h"
#include "tools/jzwriter/TimetableCompiler.h"
#include "tools/jzwriter/TripLayout.h"

namespace {

using nlohmann::json;

json baseDescription() {
    return json::parse(R"({
      "header": { "title": "Test 27", "kind": "MHD" },
      "stops": [ { "id": "a", "name": "A" }, { "id": "b", "name": "B" },
                 { "id": "c", "name": "C" }, { "id": "d", "name": "D" } ],
      "lineKinds": [ { "id": "bus", "name": "Bus" } ],
      "lines": [ { "id": "1", "kind": "bus", "name": "1" }, { "id": "2", "kind": "bus", "name": "2" } ],
      "calendars": [ { "id": "w", "from": "2027-01-01", "to": "2027-01-31", "weekdays": "1111100" },
                     { "id": "e", "from": "2027-01-01", "to": "2027-01-31", "weekdays": "0000011" } ]
    })");
}

struct Stop {
    std::uint16_t stop;
    int arr, dep;
    bool board = true, alight = true;
    std::int64_t step = -1;
};
struct Trip {
    std::uint16_t line, calendar;
    std::vector<Stop> stops;
};

// Trips that share routes forwards, backwards and in part, packed and plain patterns, a trip
// past midnight, distances and a distance step in the overflow table.
std::vector<Trip> trips() {
    return {
        {0,
         0,
         {{0, 360, 360, true, false},
          {1, 364, 365, true, true, 1200},
          {2, 370, 370, false, true, 800}}},
        {0,
         0,
         {{0, 420, 420, true, false},
          {1, 424, 425, true, true, 1200},
          {2, 430, 430, false, true, 800}}},
        {0, 1, {{1, 500, 500, true, true}, {2, 505, 505, false, true, 800}}},
        {0, 1, {{3, 600, 600}, {2, 610, 610, true, true, 20000}, {1, 615, 700}}},
        {0, 0, {{1, 620, 620}, {2, 622, 622, true, true, 20000}, {3, 640, 640}}},
        {1, 0, {{3, 1430, 1430}, {0, 1450, 1451}, {1, 2500, 2500}}},
    };
}

json asJson(const std::vector<Trip>& ts) {
    static const char* kStops[] = {"a", "b", "c", "d"};
    json out = json::array();
    for (const Trip& t : ts) {
        json stops = json::array();
        for (const Stop& s : t.stops) {
            json j{{"stop", kStops[s.stop]},
                   {"arr", s.arr},
                   {"dep", s.dep},
                   {"board", s.board},
                   {"alight", s.alight}};
            if (s.step >= 0) {
                j["dist"] = s.step;
            }
            stops.push_back(j);
        }
        out.push_back({{"line", t.line == 0 ? "1" : "2"},
                       {"calendar", t.calendar == 0 ? "w" : "e"},
                       {"stops", stops}});
    }
    return out;
}

jz::CompactTripTable asTable(const std::vector<Trip>& ts) {
    jz::CompactTripTable table;
    for (const Trip& t : ts) {
        jz::CompactTrip trip;
        trip.line = t.line;
        trip.calendar = t.calendar;
        trip.first = static_cast<std::uint32_t>(table.stops.size());
        trip.count = static_cast<std::uint32_t>(t.stops.size());
        for (const Stop& s : t.stops) {
            table.stops.push_back({s.stop, s.board, s.alight, s.arr, s.dep, s.step});
        }
        table.trips.push_back(trip);
    }
    return table;
}

std::vector<std::uint8_t> bytesOf(const jz::ContentWriter& content, const json& doc) {
    return jz::writeContainer(content, jz::containerOptionsOf(doc));
}

TEST(CompactTrips, WriteTheSameFileAsTheDescriptionsTrips) {
    json withTrips = baseDescription();
    withTrips["trips"] = asJson(trips());
    const json without = baseDescription();
    EXPECT_EQ(bytesOf(jz::compileContent(without, asTable(trips())), without),
              jz::compileTimetable(withTrips));
}

struct Fault {
    const char* name;
    std::function<void(jz::CompactTripTable&)> spoil;
    const char* message;
};

void PrintTo(const Fault& f, std::ostream* os) {
    *os << f.name;
}

class CompactFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(CompactFaults, AreCompileErrorsNamingTheTrip) {
    jz::CompactTripTable table = asTable(trips());
    GetParam().spoil(table);
    const json doc = baseDescription();
    try {
        jz::compileContent(doc, table);
        FAIL() << "no error";
    } catch (const jz::CompileError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CompactFaults,
    ::testing::Values(Fault{"StopOutside", [](jz::CompactTripTable& t) { t.stops[4].stop = 4; },
                            "trips[1].stops[1]: unknown stop 4"},
                      Fault{"LineOutside", [](jz::CompactTripTable& t) { t.trips[2].line = 2; },
                            "trips[2]: unknown line 2"},
                      Fault{"CalendarOutside",
                            [](jz::CompactTripTable& t) { t.trips[0].calendar = 2; },
                            "trips[0]: unknown calendar 2"},
                      Fault{"RunPastTheTable",
                            [](jz::CompactTripTable& t) { t.trips.back().count = 4; },
                            "trips[5].stops: a trip has 1 to 255 stops"},
                      Fault{"NoStops", [](jz::CompactTripTable& t) { t.trips[3].count = 0; },
                            "trips[3].stops: a trip has 1 to 255 stops"},
                      Fault{"TimesBackwards", [](jz::CompactTripTable& t) { t.stops[1].arr = 359; },
                            "trips[0].stops[1]: times go backwards"},
                      Fault{"StartAfterMidnight",
                            [](jz::CompactTripTable& t) {
                                for (int i = 0; i < 3; ++i) {
                                    t.stops[static_cast<std::size_t>(i)].arr += 1440;
                                    t.stops[static_cast<std::size_t>(i)].dep += 1440;
                                }
                            },
                            "trips[0]: a trip starts before 24:00"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
