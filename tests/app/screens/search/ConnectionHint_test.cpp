// The hint of the results list's active item, from an engine double: the boarding and alighting
// stops with the day when it is not the day searched for and the trip's notes at a stop, the
// line with its ride time and distance, the trip's notes and the longer display time they bring;
// walks and items without a trip have none.
#include "app/screens/search/ConnectionHint.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace pelorvant {
namespace {

// Engine texts and arrays are the caller's to free.
std::int32_t newText(const char* text, char** out, std::int32_t* length) {
    const std::size_t n = std::strlen(text);
    *out = static_cast<char*>(std::malloc(n + 1));
    std::memcpy(*out, text, n + 1);
    *length = static_cast<std::int32_t>(n);
    return ENGINE_OK;
}

std::int32_t newIndexes(std::initializer_list<std::int32_t> values, std::int32_t** out, std::int32_t* count) {
    *out = static_cast<std::int32_t*>(std::malloc(sizeof(std::int32_t) * (values.size() + 1)));
    std::copy(values.begin(), values.end(), *out);
    *count = static_cast<std::int32_t>(values.size());
    return ENGINE_OK;
}

constexpr std::uint32_t kTripWithNotes = 7;
constexpr std::uint32_t kPlainTrip = 8;

// Stops 1 "Centrum", 2 "Nadrazi" (with note mark "x"), 3 "Skola"; notes 1 "jede pres Lhotu",
// 2 "" (skipped), 3 "nizkopodlazni", 4 the mark "x" ("vytah"); trip 7 stops at position 2 with
// note 4.
std::int32_t fakeStopName(std::int32_t, std::int32_t, std::uint16_t stop, char** name, std::int32_t* length) {
    static const char* const names[] = {"", "Centrum", "Nadrazi", "Skola"};
    if (stop < 1 || stop > 3) return ENGINE_ERROR;
    return newText(names[stop], name, length);
}
std::int32_t fakeStopNotes(std::int32_t, std::int32_t, std::int32_t stop, std::int32_t** notes, std::int32_t* count) {
    if (stop == 2) return newIndexes({4}, notes, count);
    return newIndexes({}, notes, count);
}
std::int32_t fakeTripNotes(std::int32_t, std::int32_t, std::int32_t trip, std::int32_t** notes, std::int32_t* count) {
    if (trip == static_cast<std::int32_t>(kTripWithNotes)) return newIndexes({1, 2, 3}, notes, count);
    return newIndexes({}, notes, count);
}
std::int32_t fakePassageNotes(std::int32_t, std::int32_t, std::int32_t trip, std::int32_t position,
                              std::int32_t** notes, std::int32_t* count) {
    if (trip == static_cast<std::int32_t>(kTripWithNotes) && position == 2) return newIndexes({4}, notes, count);
    return newIndexes({}, notes, count);
}
std::int32_t fakeNoteText(std::int32_t, std::int32_t, std::int32_t note, char** text, std::int32_t* length) {
    static const char* const texts[] = {"", "jede pres Lhotu", "", "nizkopodlazni", "vytah"};
    if (note < 1 || note > 4) return ENGINE_ERROR;
    return newText(texts[note], text, length);
}
std::int32_t fakeNoteMark(std::int32_t, std::int32_t, std::int32_t note, char** mark, std::int32_t* length) {
    return newText(note == 4 ? "x" : "OWNER", mark, length);
}
// Day numbers are the day of month of December 2026.
std::int32_t fakeShortDenToDatum(std::int16_t dayNumber, std::uint8_t* day, std::uint8_t* month, std::int16_t* year) {
    if (dayNumber < 1 || dayNumber > 31) return ENGINE_ERROR;
    *day = static_cast<std::uint8_t>(dayNumber);
    *month = 12;
    *year = 2026;
    return ENGINE_OK;
}

constexpr std::int16_t kSearchDay = 10;
constexpr int kFontHeight = 20;  // "<*18*>"

class ConnectionHintTest : public ::testing::Test {
protected:
    void SetUp() override {
        api.api_GetNazevZastavky = fakeStopName;
        api.api_GetPoznamkyZastavky = fakeStopNotes;
        api.api_GetPoznamkySpoje = fakeTripNotes;
        api.api_GetPoznamkyPrujezdu = fakePassageNotes;
        api.api_GetPoznamkuText = fakeNoteText;
        api.api_GetPoznamkuOznaceni = fakeNoteMark;
        api.api_ShortDenToDatum = fakeShortDenToDatum;
        // A walk from Centrum to Nadrazi, then the noted trip to Skola after midnight.
        walk.departureSlot = kWalkingLegSlot;
        walk.boardStop = 1;
        walk.alightStop = 2;
        walk.rideMinutes = 4;
        night.trip = kTripWithNotes;
        night.departureSlot = 3;
        night.boardStop = 2;
        night.alightStop = 3;
        night.boardPosition = 2;
        night.alightPosition = 5;
        night.departureDay = 10;
        night.arrivalDay = 11;
        night.rideMinutes = 75;
        night.distance = 12600;
        night.lineName = line;
        night.lineNameLength = static_cast<std::int32_t>(std::strlen(line));
        row.legs = {&walk, &night};
        row.items.resize(3);
        row.items[0].stopIndex = 1;
        row.items[0].walking = true;
        row.items[0].leg = &walk;
        row.items[1].stopIndex = 2;
        row.items[1].leg = &night;
        row.items[2].stopIndex = 3;
    }

    ItemHint hintOf(int item) const { return connectionItemHint(api, 0, kSearchDay, row, item, kFontHeight); }

    char line[8] = "Bus 15";
    EngineApi api{};
    cUsekSpojeni walk{};
    cUsekSpojeni night{};
    cConnectionRow row;
};

TEST_F(ConnectionHintTest, ATripWithNotesNamesItsStopsDaysAndNotesForFifteenSeconds) {
    const ItemHint hint = hintOf(1);
    EXPECT_EQ(hint.text,
              u"<*18*>Z: Nadrazi x\r\tx: vytah\r"
              u"Do: Skola 11. 12.\r"
              u"Bus 15, 1 h 15 min, 13 km\rjede pres Lhotu, nizkopodlazni");
    EXPECT_EQ(hint.displayTime, kHintTimeWithNotes);
}

TEST_F(ConnectionHintTest, TheLastStopShowsTheTripThatArrivesThere) {
    EXPECT_EQ(hintOf(2).text, hintOf(1).text);
}

TEST_F(ConnectionHintTest, ATripWithoutNotesOnTheDaySearchedForShowsFiveSeconds) {
    night.trip = kPlainTrip;
    night.arrivalDay = kSearchDay;
    night.distance = -1;
    const ItemHint hint = hintOf(1);
    EXPECT_EQ(hint.text, u"<*18*>Z: Nadrazi x\rDo: Skola\rBus 15, 1 h 15 min");
    EXPECT_EQ(hint.displayTime, kHintTimeWithoutNotes);
}

TEST_F(ConnectionHintTest, WalksAndItemsWithoutATripOrStopHaveNone) {
    EXPECT_EQ(hintOf(0).text, u"");  // the walk
    row.items[1].stopIndex = kNoStop;
    EXPECT_EQ(hintOf(1).text, u"");
    row.items[1].stopIndex = 2;
    row.items[1].walking = true;  // a walk leads to the last stop
    EXPECT_EQ(hintOf(2).text, u"");
    EXPECT_EQ(hintOf(-1).text, u"");
    EXPECT_EQ(hintOf(3).text, u"");
}

}  // namespace
}  // namespace pelorvant
