// The stop-timetable exports over a compiled city network: the search with its counts, every
// getter, the texts without terminator, refused indexes and the release.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/api/trasovnik.h"

namespace {

class StopTimetableExportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        int32_t version = ENGINE_INTERFACE_VERSION;
        ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
        const std::string path = std::string(TRASA_FIXTURE_DIR) + "/st-city.jz";
        const char* texts[] = {path.c_str()};
        int32_t lengths[] = {static_cast<int32_t>(path.size())};
        int32_t count = 0;
        ASSERT_EQ(api_nactiHlavicky(texts, lengths, 1, &count), ENGINE_OK);
        ASSERT_EQ(count, 1);
        int32_t index = 0;
        int32_t failing = -1;
        ASSERT_EQ(api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0), ENGINE_OK);
        ASSERT_GE(set, 0);
        ASSERT_EQ(api_DatumToShortDen(4, 1, 2027, &monday), ENGINE_OK);
    }
    void TearDown() override {
        EXPECT_EQ(api_stSearch_ReleaseMemory(result), ENGINE_OK);
        api_zrusSestavuJizdnichRadu(set);
    }
    int32_t search(const std::string& text, int32_t line, int32_t from, int32_t to, uint8_t week) {
        api_stSearch_ReleaseMemory(result);
        result = nullptr;
        return api_stSearch(set, 0, text.data(), static_cast<int32_t>(text.size()), line, from, -1,
                            to, -1, monday, week, &result, &counts[0], &counts[1], &counts[2],
                            &counts[3], &counts[4], &counts[5], &counts[6], &counts[7]);
    }

    int32_t set = -1;
    int16_t monday = 0;
    cStVysledek* result = nullptr;
    // engine status, reserved, stop-timetable status, groups, route stops, query items,
    // direction lists, line candidates
    int32_t counts[8] = {};
};

TEST_F(StopTimetableExportsTest, AWeekTimetableIsReadThroughTheGetters) {
    ASSERT_EQ(search("12", -1, 0, -1, 1), ENGINE_OK);  // from Divadlo, direction open
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(counts[1], 0);
    EXPECT_EQ(counts[2], 0);
    EXPECT_EQ(counts[3], 4);  // Monday, Tuesday-Friday, Saturday, Sunday
    EXPECT_EQ(counts[4], 5);
    EXPECT_EQ(counts[5], 1);
    EXPECT_EQ(counts[7], 1);

    int32_t line = -1;
    EXPECT_EQ(api_stGetZadaniLinkaIndex(result, 0, &line), ENGINE_OK);
    EXPECT_EQ(line, 0);
    int32_t item = -1;
    int32_t directionCount = -1;
    EXPECT_EQ(api_stGetZadani(result, 0, &item), ENGINE_OK);
    EXPECT_EQ(item, 0);  // Divadlo
    EXPECT_EQ(api_stGetZadaniSmerLength(result, 0, &directionCount), ENGINE_OK);
    ASSERT_EQ(directionCount, 1);
    int32_t direction = -1;
    EXPECT_EQ(api_stGetZadaniSmer(result, 0, &direction), ENGINE_OK);
    EXPECT_EQ(direction, 5);  // Sídliště

    int32_t stop = -1, occurrence = -1, minutes = -1, distance = -1;
    EXPECT_EQ(api_stGetTrasaZastavka(result, 4, &stop, &occurrence, &minutes, &distance),
              ENGINE_OK);
    EXPECT_EQ(stop, 4);
    EXPECT_EQ(occurrence, 0);
    EXPECT_EQ(minutes, 12);
    EXPECT_EQ(distance, 3000);

    int32_t hours[24] = {};
    int32_t textLength = -1;
    int32_t noteCount = -1;
    EXPECT_EQ(api_stGetDatumLength(result, 1, hours, &textLength, &noteCount), ENGINE_OK);
    EXPECT_EQ(hours[6], 1);
    EXPECT_EQ(hours[7], 2);
    EXPECT_EQ(hours[8], 1);
    EXPECT_EQ(hours[23], 0);
    EXPECT_EQ(noteCount, 2);
    std::string text(static_cast<std::size_t>(textLength) + 1, '#');
    EXPECT_EQ(api_stGetDatumPopisText(result, 1, text.data()), ENGINE_OK);
    EXPECT_EQ(text, "{stDateTuesday}-{stDateFriday}#");  // no terminator written

    int32_t minute = -1, trip = -1, position = -1, note = -2;
    EXPECT_EQ(api_stGetDatumMinuta(result, 1, 7, 1, &minute, &trip, &position, &note), ENGINE_OK);
    EXPECT_EQ(minute, 30);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(note, 0);
    int32_t noteLength = -1;
    EXPECT_EQ(api_stGetDatumPoznamkaLength(result, 1, note, &noteLength), ENGINE_OK);
    std::string noteText(static_cast<std::size_t>(noteLength), '#');
    EXPECT_EQ(api_stGetDatumPoznamkaText(result, 1, note, noteText.data()), ENGINE_OK);
    EXPECT_EQ(noteText,
              " {stEndsAt} N\xE1"
              "dra\x9E\xED");
}

TEST_F(StopTimetableExportsTest, StatusesComeWithAResultAndIndexesOutsideItFail) {
    ASSERT_EQ(search("7", -1, 7, -1, 0), ENGINE_OK);  // two lines named 7 reach Zahrada
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(counts[2], -202);
    EXPECT_EQ(counts[7], 2);
    EXPECT_EQ(counts[3], 0);

    int32_t value = -1;
    EXPECT_EQ(api_stGetZadaniLinkaIndex(result, 2, &value), ENGINE_ERROR);
    EXPECT_EQ(api_stGetZadani(result, -1, &value), ENGINE_ERROR);
    int32_t hours[24];
    EXPECT_EQ(api_stGetDatumLength(result, 0, hours, &value, &value), ENGINE_ERROR);

    // A set or file that does not exist fails with no result.
    cStVysledek* none = nullptr;
    int32_t c[8];
    EXPECT_EQ(api_stSearch(set + 5, 0, "7", 1, -1, -1, -1, -1, -1, monday, 0, &none, &c[0], &c[1],
                           &c[2], &c[3], &c[4], &c[5], &c[6], &c[7]),
              ENGINE_ERROR);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(api_stSearch_ReleaseMemory(nullptr), ENGINE_OK);
}

}  // namespace
