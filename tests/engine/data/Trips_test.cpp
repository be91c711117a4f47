#include "engine/data/Trips.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/TimePatterns.h"
#include "engine/data/ValidityCalendars.h"
#include "tests/engine/data/TimetableTestFiles.h"
#include "tools/jzwriter/ContentWriter.h"

namespace trasovnik {
namespace {

using testing::compileAltered;
using testing::kSmallFirstDay;
using testing::load;
using testing::smallDescription;

// A reader over `content` in an ordinary container.
void openOver(TimetableFileReader& reader, const jz::ContentWriter& content) {
    reader.openBytes(jz::writeContainer(content, jz::ContainerOptions{}), "t");
    reader.readPlainBlockTable();
}

// A name block holding one empty entry (reference 0) and "ab" (reference 1).
void writeNames(jz::ContentWriter& w) {
    w.skippedSection();
    w.u8(0);
    w.u32(4);
    w.bytes(
        std::string_view("\x00\x02"
                         "ab",
                         4));
    w.skippedSection();
}

TEST(TimePatterns, PackedValueServesArrivalAndDepartureColumns) {
    jz::ContentWriter w;
    w.u32(1);  // one packed row: 0:00 (no dwell), then 7 minutes with 5 minutes' dwell
    w.u8(2);
    w.u16(0);
    w.u16(0x1C5);
    w.u32(1);  // one plain row
    w.u8(3);
    w.i16(-5);
    w.i16(0);
    w.i16(1500);
    TimetableFileReader reader;
    openOver(reader, w);
    cVzoryCasu p;
    p.read(reader);

    ASSERT_EQ(p.packedCount(), 1u);
    ASSERT_EQ(p.plainCount(), 1u);
    EXPECT_EQ(p.column(0, 2), 7);
    EXPECT_EQ(p.column(0, 3), 12);
    EXPECT_EQ(p.arrivalAt(0, 1), 7);
    EXPECT_EQ(p.departureAt(0, 1), 12);
    EXPECT_EQ(p.arrivalAt(1, 0), -5);
    EXPECT_EQ(p.departureAt(1, 2), 1500);
    EXPECT_TRUE(p.coversStops(0, 2));
    EXPECT_FALSE(p.coversStops(0, 3));
    EXPECT_TRUE(p.coversStops(1, 3));
    EXPECT_FALSE(p.coversStops(1, 4));
    EXPECT_FALSE(p.coversStops(2, 1));
    EXPECT_THROW(p.column(0, 4), EngineException);
    EXPECT_THROW(p.column(2, 0), EngineException);
}

TEST(ValidityCalendars, OnlyDaysInsideTheRangeAndTheBitmapRun) {
    jz::ContentWriter w;
    writeNames(w);
    w.skippedSection();
    w.i16(10);  // first day
    w.i16(20);  // last day
    w.i16(7);   // base day
    w.u32(2);
    w.u32(2);  // calendar 0: every bit set for 14 days from the base day
    w.bytes(std::string_view("\xFF\xFF", 2));
    w.u32(1);
    w.u32(1);  // calendar 1: bits 0 and 3 of its one byte (days 7 and 10)
    w.u8(0x09);
    w.u32(0);
    w.skippedSection();
    TimetableFileReader reader;
    openOver(reader, w);
    cNazvy names;
    names.read(reader);
    cKalendare k;
    k.read(reader, names);

    struct Case {
        std::size_t calendar;
        int day;
        bool runs;
    };
    const Case cases[] = {
        {0, 6, false},  {0, 7, false},     {0, 9, false},   // before the first day, bits set
        {0, 10, true},  {0, 20, true},     {0, 21, false},  // after the last day
        {1, 10, true},  {1, 11, false},    {1, 14, false},  // day 14 lies past the bitmap
        {0, -3, false}, {0, 40000, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(k.isDayValid(c.calendar, c.day), c.runs) << c.calendar << " " << c.day;
    }
    EXPECT_EQ(k.noteText(0, names), "ab");
    EXPECT_THROW(k.isDayValid(2, 10), EngineException);
}

TEST(ValidityCalendars, NoteOutsideTheNameBlockIsRefused) {
    jz::ContentWriter w;
    writeNames(w);
    w.skippedSection();
    w.i16(0);
    w.i16(0);
    w.i16(0);
    w.u32(1);
    w.u32(0);
    w.u32(3);  // the block is 4 bytes long: an entry at 3 runs past it
    w.skippedSection();
    TimetableFileReader reader;
    openOver(reader, w);
    cNazvy names;
    names.read(reader);
    cKalendare k;
    try {
        k.read(reader, names);
        ADD_FAILURE();
    } catch (const EngineException& e) {
        EXPECT_EQ(e.code(), ENGINE_EXC_INDEX);
    }
}

// The small description with trip 0 replaced by a trip over the given stops.
nlohmann::json withTrip(nlohmann::json trip) {
    nlohmann::json doc = smallDescription();
    doc["trips"][0] = std::move(trip);
    return doc;
}

TEST(Trips, TimesAfterMidnightBelongToTheStartDay) {
    // Runs only on Monday 2027-01-04; leaves at 23:50 (1430) and reaches B 20 minutes later.
    nlohmann::json doc = withTrip(
        {{"line", "L1"},
         {"calendar", "d"},
         {"stops", {{{"stop", "A"}, {"dep", "23:50"}}, {{"stop", "B"}, {"arr", "24:10"}}}}});
    doc["calendars"][0]["to"] = "2027-01-04";
    auto jr = load(compileAltered(doc));
    const cSpoje& s = jr->trips;
    EXPECT_EQ(s.trip(0).startMinute(), 1430);
    EXPECT_EQ(s.arrivalTime(0, 1), 1450);
    EXPECT_EQ(s.arrivalMinute(0, 1), 10);

    TripTime next = s.arrivalOnDay(0, 1, kSmallFirstDay + 1);
    EXPECT_EQ(next.minutes, 1450);
    EXPECT_TRUE(next.valid) << "the calendar is asked for the previous day";
    EXPECT_FALSE(s.arrivalOnDay(0, 1, kSmallFirstDay).valid);
    EXPECT_TRUE(s.departureOnDay(0, 0, kSmallFirstDay).valid);
    EXPECT_FALSE(s.departureOnDay(0, 0, kSmallFirstDay + 1).valid);

    // The arrival search sees the same event mirrored: 1439 - 10 on day 0x7FFF - (d + 1).
    EXPECT_EQ(s.mirroredArrivalMinute(0, 0), 1429);
    TripTime mirrored = s.mirroredArrivalFrom(0, 0, 0x7FFF - (kSmallFirstDay + 1));
    EXPECT_EQ(mirrored.minutes, 1439 - 1450);
    EXPECT_TRUE(mirrored.valid);
    EXPECT_FALSE(s.mirroredArrivalFrom(0, 0, 0x7FFF - kSmallFirstDay).valid);
    EXPECT_EQ(s.mirroredDepartureMinute(0, 1), 1439 - 1430);
    EXPECT_TRUE(s.mirroredDepartureFrom(0, 1, 0x7FFF - kSmallFirstDay).valid);
}

TEST(Trips, CalendarOfTheValidityEntryDecides) {
    auto jr = load(compileAltered(smallDescription()));
    const cSpoje& s = jr->trips;
    struct Case {
        int day;
        bool runs;
    };
    // Monday to Friday 2027-01-04..08 except Wednesday the 6th; the weekend never.
    const Case cases[] = {{kSmallFirstDay - 1, false}, {kSmallFirstDay, true},
                          {kSmallFirstDay + 1, true},  {kSmallFirstDay + 2, false},
                          {kSmallFirstDay + 4, true},  {kSmallFirstDay + 5, false},
                          {kSmallFirstDay + 7, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(s.departureOnDay(0, 0, c.day).valid, c.runs) << c.day;
        EXPECT_EQ(s.departureOnDay(0, 0, c.day).minutes, 480);
    }
}

TEST(Trips, ReversedTripRunsItsRouteBackwards) {
    auto jr = load(compileAltered(smallDescription()));
    const cSpoje& s = jr->trips;
    // Trip 1 (C-B-A) shares trip 0's route, reversed.
    ASSERT_EQ(s.routeCount(), 1u);
    EXPECT_FALSE(s.trip(0).reversed());
    EXPECT_TRUE(s.trip(1).reversed());
    const std::uint16_t forward[] = {0, 1, 2}, backward[] = {2, 1, 0};
    for (std::size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(s.stopAt(0, p), forward[p]);
        EXPECT_EQ(s.stopAt(1, p), backward[p]);
    }
    EXPECT_EQ(s.departureMinute(1, 1), 9 * 60 + 8);
    EXPECT_EQ(s.mirroredPosition(1, 0), 2u);
    EXPECT_THROW(s.stopAt(1, 3), EngineException);
    EXPECT_THROW(s.stopAt(2, 0), EngineException);
}

TEST(Trips, DistancesSumTheStepsUpToAPosition) {
    nlohmann::json doc = smallDescription();
    // Trip 2: unknown step before C; trip 3: kilometres with an overflowing step.
    doc["stops"].push_back(
        {{"id", "D"}, {"name", "Delta"}, {"town", "t"}, {"group", "g2"}, {"key", 4}});
    doc["trips"].push_back({{"line", "L1"},
                            {"calendar", "d"},
                            {"stops",
                             {{{"stop", "A"}, {"dep", "10:00"}},
                              {{"stop", "B"}, {"dep", "10:05"}, {"dist", 400}},
                              {{"stop", "C"}, {"dep", "10:09"}},
                              {{"stop", "D"}, {"arr", "10:20"}, {"dist", 100}}}}});
    doc["trips"].push_back({{"line", "L1"},
                            {"calendar", "d"},
                            {"distanceUnit", "km"},
                            {"stops",
                             {{{"stop", "A"}, {"dep", "11:00"}},
                              {{"stop", "D"}, {"dep", "13:00"}, {"dist", 20000}},
                              {{"stop", "C"}, {"arr", "13:30"}, {"dist", 7}}}}});
    auto jr = load(compileAltered(doc));
    const cSpoje& s = jr->trips;
    struct Case {
        std::size_t trip, position;
        std::int32_t metres;
    };
    const Case cases[] = {
        {0, 0, 0},        {0, 1, 500},      {0, 2, 1200},  // forward
        {1, 0, 0},        {1, 1, 700},      {1, 2, 1200},  // reversed over the same steps
        {2, 1, 400},      {2, 2, -1},       {2, 3, -1},    // a missing step
        {3, 1, 20000000}, {3, 2, 20007000},                // overflow table, thousands
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s.distanceTo(c.trip, c.position), c.metres) << c.trip << " " << c.position;
    }
    EXPECT_THROW(s.distanceTo(0, 3), EngineException);
}

TEST(Trips, BoardingAlightingAndRidesWithinOneGroup) {
    nlohmann::json doc = smallDescription();
    doc["trips"][0]["noRideWithinGroup"] = true;
    doc["trips"][0]["stops"][0]["alight"] = false;
    doc["trips"][0]["stops"][2]["board"] = false;
    auto jr = load(compileAltered(doc));
    const cSpoje& s = jr->trips;
    EXPECT_TRUE(s.canBoard(0, 0));
    EXPECT_FALSE(s.canAlight(0, 0));
    EXPECT_TRUE(s.canAlight(0, 2));
    EXPECT_FALSE(s.canBoard(0, 2));
    // A and B lie in group 1, C in group 2.
    EXPECT_EQ(s.isRideAllowed(0, 0, 1), 0);
    EXPECT_EQ(s.isRideAllowed(0, 0, 2), 1);
    EXPECT_EQ(s.isRideAllowed(0, 1, 1), 0);
    EXPECT_EQ(s.isRideAllowed(1, 1, 2), 1) << "trip 1 has no such rule";
    EXPECT_EQ(s.isRideAllowed(1, 1, 1), 1);
}

TEST(Trips, NamesAndNotesOfTrips) {
    auto jr = load(compileAltered(smallDescription()));
    const cSpoje& s = jr->trips;
    auto links = jr->noteLinks();
    EXPECT_EQ(s.lineNameOfTrip(0, links), "Bus 1 M");
    EXPECT_EQ(s.lineNameOfTrip(1, links), "Bus 1");
    EXPECT_EQ(s.dateNoteOfTrip(0, jr->names), "jede v pracovn\xED dny");
    EXPECT_EQ(s.tripNotes(0, links), (std::vector<std::uint16_t>{0}));
    EXPECT_TRUE(s.tripNotes(1, links).empty());
    EXPECT_TRUE(s.notesOfPassage(0, 0, links).empty());
    EXPECT_EQ(s.notesOfPassage(0, 1, links), (std::vector<std::uint16_t>{1}));
    EXPECT_EQ(s.notesOfPassage(1, 1, links), (std::vector<std::uint16_t>{1}));
}

TEST(Trips, LongDwellUsesPlainRows) {
    nlohmann::json doc = smallDescription();
    doc["trips"][0]["stops"][1]["arr"] = "8:07";
    doc["trips"][0]["stops"][1]["dep"] = "9:20";
    doc["trips"][0]["stops"][2]["arr"] = "9:30";
    auto jr = load(compileAltered(doc));
    const cSpoje& s = jr->trips;
    EXPECT_FALSE(s.patterns().isPacked(s.trip(0).departurePattern));
    EXPECT_NE(s.trip(0).arrivalPattern, s.trip(0).departurePattern);
    EXPECT_TRUE(s.patterns().isPacked(s.trip(1).departurePattern));
    EXPECT_EQ(s.arrivalMinute(0, 1), 8 * 60 + 7);
    EXPECT_EQ(s.departureMinute(0, 1), 9 * 60 + 20);
    EXPECT_EQ(s.arrivalMinute(1, 1), 9 * 60 + 8);
}

}  // namespace
}  // namespace trasovnik
