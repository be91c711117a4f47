// Feeds beyond the limits of a timetable file are refused with a message naming the limit,
// and no file is written; a feed just within them is imported.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tests/tools/gtfs/FeedTestKit.h"

namespace {

using gtfstest::ScratchFeed;
using gtfstest::writeText;

// A feed of one route and one service; `stops` platforms S0..; `trips` lists, per trip, the
// indexes of the stops it serves one minute apart.
void writeFeed(const ScratchFeed& f, std::size_t stops,
               const std::vector<std::vector<std::size_t>>& trips) {
    writeText(f.file("agency.txt"), "agency_name\nA\n");
    writeText(f.file("routes.txt"), "route_id,route_short_name,route_type\nR,1,3\n");
    writeText(f.file("calendar.txt"),
              "service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,start_date,"
              "end_date\nS,1,1,1,1,1,1,1,20270101,20271231\n");
    std::string s = "stop_id,stop_name\n";
    for (std::size_t i = 0; i < stops; ++i) {
        s += "S" + std::to_string(i) + ",Stop " + std::to_string(i) + "\n";
    }
    writeText(f.file("stops.txt"), s);
    std::string t = "route_id,service_id,trip_id\n";
    std::string st = "trip_id,arrival_time,departure_time,stop_id,stop_sequence\n";
    for (std::size_t i = 0; i < trips.size(); ++i) {
        t += "R,S,T" + std::to_string(i) + "\n";
        for (std::size_t p = 0; p < trips[i].size(); ++p) {
            int m = static_cast<int>((i + p) % 1200);
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d:00", m / 60, m % 60);
            st += "T" + std::to_string(i) + "," + time + "," + time + ",S" +
                  std::to_string(trips[i][p]) + "," + std::to_string(p) + "\n";
        }
    }
    writeText(f.file("trips.txt"), t);
    writeText(f.file("stop_times.txt"), st);
}

std::vector<std::size_t> run(std::size_t n) {
    std::vector<std::size_t> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        v[i] = i;
    }
    return v;
}

struct LimitCase {
    const char* name;
    std::function<void(const ScratchFeed&)> make;
    const char* message;  // empty: imported
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

class Limits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(Limits, AreNamedWhenExceeded) {
    ScratchFeed scratch;
    GetParam().make(scratch);
    std::string messages;
    const std::string expected = GetParam().message;
    if (expected.empty()) {
        EXPECT_EQ(scratch.import(messages), 0) << messages;
        EXPECT_TRUE(std::filesystem::exists(scratch.output()));
    } else {
        EXPECT_EQ(scratch.import(messages), 1);
        EXPECT_NE(messages.find(expected), std::string::npos) << messages;
        EXPECT_FALSE(std::filesystem::exists(scratch.output()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Feeds, Limits,
    ::testing::Values(
        LimitCase{"TripOf255Stops", [](const ScratchFeed& f) { writeFeed(f, 255, {run(255)}); },
                  ""},
        LimitCase{"TripOf256Stops", [](const ScratchFeed& f) { writeFeed(f, 256, {run(256)}); },
                  "stop times of trip \"T0\" 256 exceeds the limit of 255 (a trip's stop count "
                  "is one byte)"},
        LimitCase{"TooManyStops",
                  [](const ScratchFeed& f) {
                      writeFeed(f, 65536, {{0, 1}});
                  },
                  "stops 65536 exceeds the limit of 65535 (stop indexes are 16-bit)"},
        LimitCase{"TooManyPassagesAtAStop",
                  [](const ScratchFeed& f) {
                      writeFeed(f, 1, std::vector<std::vector<std::size_t>>(65536, {0}));
                  },
                  "passages at stop \"S0\" 65536 exceeds the limit of 65535"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
