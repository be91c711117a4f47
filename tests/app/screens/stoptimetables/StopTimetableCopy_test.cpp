// Copying a stop-timetable result whose counts, indexes and texts come from an engine that
// cannot be trusted: every value is read within what was asked for and shown sensibly.
#include "app/screens/stoptimetables/StopTimetableCopy.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pelorvant {
namespace {

// The answers of the replaced getters.
struct HostileEngine {
    std::int32_t counts[24] = {};
    std::int32_t textLength = 0;
    std::int32_t noteCount = 0;
    std::int32_t noteLength = 0;
    std::int32_t minute = 7;
    std::int32_t note = -1;
    int textCopies = 0;
};
HostileEngine engine;

std::int32_t getLength(const cStVysledek*, std::int32_t, std::int32_t* counts, std::int32_t* textLength,
                       std::int32_t* noteCount) {
    std::memcpy(counts, engine.counts, sizeof engine.counts);
    *textLength = engine.textLength;
    *noteCount = engine.noteCount;
    return ENGINE_OK;
}
std::int32_t getText(const cStVysledek*, std::int32_t, char* buffer) {
    ++engine.textCopies;
    std::memset(buffer, 'x', static_cast<std::size_t>(engine.textLength));
    return ENGINE_OK;
}
std::int32_t getNoteLength(const cStVysledek*, std::int32_t, std::int32_t note, std::int32_t* length) {
    *length = note == 1 ? -5 : engine.noteLength;
    return ENGINE_OK;
}
std::int32_t getNote(const cStVysledek*, std::int32_t, std::int32_t note, char* buffer) {
    std::memset(buffer, note == 0 ? 'a' : 'b', static_cast<std::size_t>(engine.noteLength));
    return ENGINE_OK;
}
std::int32_t getMinute(const cStVysledek*, std::int32_t, std::int32_t, std::int32_t k, std::int32_t* minute,
                       std::int32_t* trip, std::int32_t* position, std::int32_t* note) {
    *minute = engine.minute;
    *trip = k;
    *position = 3;
    *note = engine.note;
    return ENGINE_OK;
}
std::int32_t getRouteStop(const cStVysledek*, std::int32_t i, std::int32_t* stop, std::int32_t* occurrence,
                          std::int32_t* minutes, std::int32_t* distance) {
    *stop = 10 + i;
    *occurrence = 0;
    *minutes = i == 0 ? -1 : (i - 1) * 2;
    *distance = -1;
    return ENGINE_OK;
}

class StopTimetableCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine = HostileEngine{};
        api.api_stGetDatumLength = &getLength;
        api.api_stGetDatumPopisText = &getText;
        api.api_stGetDatumPoznamkaLength = &getNoteLength;
        api.api_stGetDatumPoznamkaText = &getNote;
        api.api_stGetDatumMinuta = &getMinute;
        api.api_stGetTrasaZastavka = &getRouteStop;
    }
    EngineApi api;
    // Never read: the replaced getters ignore it.
    const cStVysledek* result = reinterpret_cast<const cStVysledek*>(&engine);
};

TEST_F(StopTimetableCopyTest, AGroupWithoutDeparturesIsKeptWithEmptyHours) {
    const StopTimetableCopy copy = copyStopTimetable(api, result, 1, 0);
    ASSERT_EQ(copy.groups.size(), 1u);
    for (const auto& hour : copy.groups[0].hours) EXPECT_TRUE(hour.empty());
    EXPECT_TRUE(copy.notes.empty());
    EXPECT_EQ(engine.textCopies, 0);  // a text of length 0 is not even asked for
}

TEST_F(StopTimetableCopyTest, FiveHundredDeparturesInOneHourAreAllCopied) {
    engine.counts[7] = 500;
    const StopTimetableCopy copy = copyStopTimetable(api, result, 1, 0);
    ASSERT_EQ(copy.groups[0].hours[7].size(), 500u);
    EXPECT_EQ(copy.groups[0].hours[7][499].trip, 499);
}

TEST_F(StopTimetableCopyTest, CountsOutOfReasonAreCutOrReadAsNone) {
    engine.counts[0] = -1;
    engine.counts[1] = 2000000000;
    engine.textLength = -20;
    engine.noteCount = -3;
    const StopTimetableCopy copy = copyStopTimetable(api, result, 1000000, -7);
    EXPECT_EQ(copy.groups.size(), static_cast<std::size_t>(kStMaxGroups));
    EXPECT_TRUE(copy.routeStops.empty());
    EXPECT_TRUE(copy.groups[0].hours[0].empty());
    EXPECT_EQ(copy.groups[0].hours[1].size(), static_cast<std::size_t>(kStMaxDeparturesPerHour));
    EXPECT_TRUE(copy.groups[0].validity.empty());
    EXPECT_EQ(engine.textCopies, 0);
}

TEST_F(StopTimetableCopyTest, AMinuteOutsideTheHourIsKeptWithinIt) {
    engine.counts[3] = 1;
    for (const auto& [given, shown] : {std::pair{75, 59}, std::pair{-4, 0}, std::pair{0, 0}, std::pair{59, 59}}) {
        engine.minute = given;
        EXPECT_EQ(copyStopTimetable(api, result, 1, 0).groups[0].hours[3][0].minute, shown) << given;
    }
}

TEST_F(StopTimetableCopyTest, NoteIndexesNameTheSharedListOrNothing) {
    engine.counts[5] = 1;
    engine.noteCount = 2;
    engine.noteLength = 4;
    const std::pair<std::int32_t, std::int32_t> cases[] = {{0, 0}, {1, 1}, {2, -1}, {-9, -1}, {1 << 30, -1}};
    for (const auto& [given, shown] : cases) {
        engine.note = given;
        const StopTimetableCopy copy = copyStopTimetable(api, result, 1, 0);
        EXPECT_EQ(copy.groups[0].hours[5][0].note, shown) << given;
        // Note 1 came with a negative length: an empty text, still a note of its own.
        ASSERT_EQ(copy.notes.size(), 2u);
        EXPECT_EQ(copy.notes[0], u"aaaa");
        EXPECT_EQ(copy.notes[1], u"");
    }
}

TEST_F(StopTimetableCopyTest, EqualNoteTextsOfTwoGroupsShareOnePosition) {
    engine.counts[5] = 1;
    engine.noteCount = 1;
    engine.noteLength = 3;
    engine.note = 0;
    const StopTimetableCopy copy = copyStopTimetable(api, result, 2, 0);
    ASSERT_EQ(copy.notes.size(), 1u);
    EXPECT_EQ(copy.groups[0].hours[5][0].note, 0);
    EXPECT_EQ(copy.groups[1].hours[5][0].note, 0);
}

TEST_F(StopTimetableCopyTest, TheFromRowIsTheFirstStopWithMinutesZero) {
    const StopTimetableCopy copy = copyStopTimetable(api, result, 0, 4);
    ASSERT_EQ(copy.routeStops.size(), 4u);
    EXPECT_EQ(copy.fromRow(), 1);
    EXPECT_EQ(StopTimetableCopy{}.fromRow(), -1);
}

}  // namespace
}  // namespace pelorvant
