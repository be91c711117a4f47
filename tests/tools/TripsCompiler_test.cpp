#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TimetableCompiler.h"
#include "tools/jzwriter/TripLayout.h"

namespace jz {
namespace {

using nlohmann::json;

// Stops A, B, C, D; lines L1 and L2; calendar "d" for one week of January 2027.
json description(json trips) {
    json doc = json::parse(R"({
      "version": "4.0",
      "header": { "title": "T", "kind": "BUS", "texts": ["", "", ""],
                  "validity": [{ "from": "2027-01-04", "to": "2027-01-10" },
                               { "from": "2027-01-04", "to": "2027-01-10" }] },
      "notes": [{ "id": "n", "mark": "N", "text": "note" }],
      "towns": [{ "id": "t", "name": "T" }],
      "stopGroups": [{ "id": "g", "name": "G", "value": 0 }],
      "stops": [{ "id": "A", "name": "A", "town": "t", "group": "g", "key": 1 },
                { "id": "B", "name": "B", "town": "t", "group": "g", "key": 2 },
                { "id": "C", "name": "C", "town": "t", "group": "g", "key": 3 },
                { "id": "D", "name": "D", "town": "t", "group": "g", "key": 4 }],
      "categories": [],
      "lineKinds": [{ "id": "k", "code": 1, "name": "K", "colour": "#000000" }],
      "lineGroups": [{ "id": "g", "name": "" }],
      "lines": [{ "id": "L1", "kind": "k", "group": "g", "name": "1" },
                { "id": "L2", "kind": "k", "group": "g", "name": "2" }],
      "calendars": [{ "id": "d", "from": "2027-01-04", "to": "2027-01-10" }]
    })");
    doc["trips"] = std::move(trips);
    return doc;
}

json stop(const char* id, const char* time, json more = json::object()) {
    json s = {{"stop", id}, {"dep", time}};
    s.update(more);
    return s;
}

json trip(const char* line, json stops) {
    return {{"line", line}, {"calendar", "d"}, {"stops", std::move(stops)}};
}

TripLayout layoutOf(const json& doc) {
    CompileContext ctx{doc};
    indexSourceObjects(ctx);
    return layoutTrips(ctx);
}

TEST(TripLayout, TripsShareRoutesForwardsBackwardsAndInPart) {
    json doc = description({
        trip("L1", {stop("A", "8:00"), stop("B", "8:05"), stop("C", "8:09")}),
        trip("L1", {stop("A", "9:00"), stop("B", "9:05"), stop("C", "9:09")}),     // same run
        trip("L1", {stop("C", "10:00"), stop("B", "10:05"), stop("A", "10:09")}),  // reversed
        trip("L1", {stop("B", "11:00"), stop("C", "11:04")}),                      // part of it
        trip("L2", {stop("A", "8:00"), stop("B", "8:05"), stop("C", "8:09")}),     // other line
        trip("L1", {stop("A", "8:00"), stop("B", "8:05", {{"board", false}}),
                    stop("C", "8:09")}),  // other flags
        trip("L1", {stop("A", "8:00"), stop("B", "8:05", {{"dist", 300}}),
                    stop("C", "8:09")}),  // other distance
    });
    TripLayout l = layoutOf(doc);
    struct Expect {
        std::uint32_t route;
        int offset;
        bool reversed;
    };
    const Expect expected[] = {{0, 0, false}, {0, 0, false}, {0, 0, true}, {0, 1, false},
                               {1, 0, false}, {2, 0, false}, {3, 0, false}};
    ASSERT_EQ(l.trips.size(), std::size(expected));
    for (std::size_t t = 0; t < l.trips.size(); ++t) {
        EXPECT_EQ(l.trips[t].route, expected[t].route) << t;
        EXPECT_EQ(l.trips[t].firstOffset, expected[t].offset) << t;
        EXPECT_EQ(l.trips[t].reversed, expected[t].reversed) << t;
    }
    EXPECT_EQ(l.routes.size(), 4u);
    EXPECT_EQ(l.items.size(), 12u);
    EXPECT_EQ(l.passageCountOfStop, (std::vector<std::uint32_t>{6, 7, 7, 0}));
}

TEST(TripLayout, PackedRowsWhenEveryStopFits) {
    struct Case {
        const char* arrival;  // at the second stop, the trip leaving at 0:00
        const char* departure;
        bool packed;
    };
    const Case cases[] = {
        {"0:07", "0:12", true},   {"0:10", "1:13", true},    {"0:10", "1:14", false},
        {"17:03", "17:03", true}, {"17:04", "17:04", false}, {"30:00", "30:00", false},
    };
    for (const Case& c : cases) {
        json doc = description(
            json::array({trip("L1", {stop("A", "0:00"),
                                     {{"stop", "B"}, {"arr", c.arrival}, {"dep", c.departure}},
                                     stop("C", c.departure)})}));
        TripLayout l = layoutOf(doc);
        const LaidTrip& t = l.trips[0];
        EXPECT_EQ(t.arrivalPattern < l.packedPatterns.size(), c.packed) << c.arrival;
        EXPECT_EQ(t.departurePattern < l.packedPatterns.size(), c.packed) << c.arrival;
        if (c.packed) {
            EXPECT_EQ(t.arrivalPattern, t.departurePattern);
        }
    }
    // A packed value of 7 minutes with 5 minutes' dwell is 0x1C5.
    TripLayout l = layoutOf(description(json::array(
        {trip("L1", {stop("A", "0:00"), {{"stop", "B"}, {"arr", "0:07"}, {"dep", "0:12"}}})})));
    EXPECT_EQ(l.packedPatterns.at(0), (std::vector<std::uint16_t>{0, 0x1C5}));
}

TEST(TripLayout, LargeStepsGoToTheOverflowTable) {
    TripLayout l = layoutOf(description(json::array({trip(
        "L1", {stop("A", "8:00"), stop("B", "8:05", {{"dist", 16381}}),
               stop("C", "8:09", {{"dist", 16382}}), stop("D", "8:20", {{"dist", 99999}})})})));
    ASSERT_EQ(l.items.size(), 4u);
    EXPECT_EQ(l.items[0].packed & 0x3FFF, 0x3FFF);
    EXPECT_EQ(l.items[1].packed & 0x3FFF, 16381);
    EXPECT_EQ(l.items[2].packed & 0x3FFF, 0x3FFE);
    EXPECT_EQ(l.items[3].packed & 0x3FFF, 0x3FFE);
    using Pair = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(l.overflow, (std::vector<Pair>{{2, 16382}, {3, 99999}}));
}

TEST(TripLayout, PassageRowsAreOrderedByMinute) {
    json doc = description({
        trip("L1", {stop("A", "9:00"), stop("B", "9:10")}),
        trip("L1", {stop("A", "23:55"), stop("B", "24:05")}),
        trip("L1", {stop("A", "7:00"), stop("B", "7:10")}),
    });
    TripLayout l = layoutOf(doc);
    PassageSection p = layoutPassageSection(l);
    auto tripsOf = [](const std::vector<LaidPassage>& row) {
        std::vector<std::uint32_t> out;
        for (const LaidPassage& x : row) {
            out.push_back(x.trip);
        }
        return out;
    };
    using V = std::vector<std::uint32_t>;
    EXPECT_EQ(tripsOf(p.rows.byStop[0]), (V{2, 0, 1}));
    EXPECT_EQ(tripsOf(p.rows.byStop[1]), (V{1, 2, 0})) << "0:05 of the next day comes first";
    // Mirrored: ordered by 1439 - arrival, so the latest arrival first; position 1 -> 0.
    EXPECT_EQ(tripsOf(p.rows.mirrored[1]), (V{0, 2, 1}));
    EXPECT_EQ(p.rows.mirrored[1][0].position, 0);
    EXPECT_EQ(p.slots[1], (std::vector<std::uint16_t>{2, 0}));
    EXPECT_EQ(p.rowCount, 8u);
    EXPECT_EQ(p.passages, 12u);
}

TEST(TripLayout, FaultyTripsAreNamed) {
    struct Case {
        json trip;
        const char* message;
    };
    const Case cases[] = {
        {trip("L1", {stop("A", "24:00"), stop("B", "24:10")}), "starts before 24:00"},
        {trip("L1", {stop("A", "8:00"), stop("B", "7:59")}), "times go backwards"},
        {trip("L1", {stop("A", "8:00"), {{"stop", "B"}, {"arr", "8:10"}, {"dep", "8:09"}}}),
         "times go backwards"},
        {trip("L1", {stop("A", "8:00"), stop("B", "8:10", {{"dist", -1}})}), "negative"},
        {trip("L1", {stop("A", "8:00"), stop("X", "8:10")}), "unknown stop \"X\""},
        {trip("L1", {stop("A", "8:00"), {{"stop", "B"}}}), "needs \"arr\" or \"dep\""},
        {trip("L1", json::array({stop("A", "8:0x")})), "expected a time"},
        {{{"line", "L1"}, {"calendar", "zz"}, {"stops", json::array({stop("A", "8:00")})}},
         "unknown calendar \"zz\""},
        {trip("L1", json::array()), "1 to 255 stops"},
    };
    for (const Case& c : cases) {
        try {
            layoutOf(description(json::array({c.trip})));
            ADD_FAILURE() << c.message;
        } catch (const CompileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(SearchDefaultsCompiler, FieldsTheVersionCannotHoldAreRefused) {
    struct Case {
        const char* version;
        json defaults;
        json tickets;
        const char* message;  // nullptr: compiles
    };
    const json ticket = json::array({{{"text1", "a"}, {"priceHundredths", 1}}});
    const Case cases[] = {
        {"3.2", {{"walkingPace", 12}}, json::array(), "need version 3.3"},
        {"3.2", json::object(), ticket, "need version 3.3"},
        {"3.3", {{"walkingPace", 12}}, ticket, nullptr},
        {"4.0", {{"walkingpace", 12}}, json::array(), "unknown field \"walkingpace\""},
        {"4.0", {{"minTransfer", 256}}, json::array(), "outside 0..255"},
    };
    for (const Case& c : cases) {
        json doc = description(json::array());
        doc["version"] = c.version;
        doc["searchDefaults"] = c.defaults;
        doc["smsTickets"] = c.tickets;
        try {
            compileTimetable(doc);
            EXPECT_EQ(c.message, nullptr) << c.version;
        } catch (const CompileError& e) {
            ASSERT_NE(c.message, nullptr) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(CalendarsCompiler, WeekdaysExceptionsAndExtraDays) {
    json doc = description(json::array({trip("L1", {stop("A", "8:00"), stop("B", "8:05")})}));
    // Monday to Friday of 2027-01-04..10 without Tuesday, plus Sunday the 17th.
    doc["calendars"][0]["weekdays"] = "1111100";
    doc["calendars"][0]["except"] = {"2027-01-05"};
    doc["calendars"][0]["extra"] = {"2027-01-17"};
    trasovnik::LoadObserver quiet;
    auto jr = trasovnik::loadTimetableBytes(compileTimetable(doc), quiet);
    const trasovnik::cKalendare& k = jr->trips.calendars();
    const int monday = 8404;
    EXPECT_EQ(k.firstDay(), monday);
    EXPECT_EQ(k.lastDay(), monday + 13);
    const bool runs[] = {true,  false, true,  true,  true,  false, false,
                         false, false, false, false, false, false, true};
    for (int d = 0; d < 14; ++d) {
        EXPECT_EQ(k.isDayValid(0, monday + d), runs[d]) << d;
    }
    for (const char* bad : {"1111", "11111a1"}) {
        doc["calendars"][0]["weekdays"] = bad;
        EXPECT_THROW(compileTimetable(doc), CompileError) << bad;
    }
    doc["calendars"][0]["weekdays"] = "1111111";
    doc["calendars"][0]["from"] = "2027-02-30";
    EXPECT_THROW(compileTimetable(doc), CompileError);
}

}  // namespace
}  // namespace jz
