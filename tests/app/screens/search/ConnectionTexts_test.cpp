// The texts the results hand on, from rows built by hand: the text-message listing, the
// calendar entry's subject, times and body, the note icons, and the distance texts.
#include "app/screens/search/ConnectionTexts.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

// Day numbers in these tests are the day of month of December 2026.
std::int32_t fakeShortDenToDatum(std::int16_t dayNumber, std::uint8_t* day, std::uint8_t* month, std::int16_t* year) {
    if (dayNumber < 1 || dayNumber > 31) return ENGINE_ERROR;
    *day = static_cast<std::uint8_t>(dayNumber);
    *month = 12;
    *year = 2026;
    return ENGINE_OK;
}

ConnectionRowItem item(std::u16string stop, std::u16string dep, std::u16string arr, std::u16string line) {
    ConnectionRowItem i;
    i.stop = std::move(stop);
    i.departureTime = std::move(dep);
    i.arrivalTime = std::move(arr);
    i.lineName = std::move(line);
    return i;
}

class ConnectionTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        api.api_ShortDenToDatum = fakeShortDenToDatum;
        // A walk of 4 minutes, then Bus 15 from 23:50 to 0:05, arriving the next day.
        walk.departureSlot = kWalkingLegSlot;
        walk.departureMinute = 23 * 60 + 46;
        walk.departureDay = 10;
        walk.arrivalMinute = 23 * 60 + 50;
        walk.arrivalDay = 10;
        walk.rideMinutes = 4;
        bus.departureSlot = 3;
        bus.departureMinute = 23 * 60 + 50;
        bus.departureDay = 10;
        bus.arrivalMinute = 5;
        bus.arrivalDay = 11;
        row.legs = {&walk, &bus};
        ConnectionRowItem start = item(u"Náměstí Míru", u"", u"", u"");
        start.walking = true;
        start.walkText = u"přesun 4 min.";
        start.walkMinutes = 4;
        start.leg = &walk;
        ConnectionRowItem board = item(u"Masarykovo náměstí", u"23:50", u"", u"Bus 15");
        board.leg = &bus;
        row.items = {start, board, item(u"Radnice", u"", u"0:05", u"")};
    }
    EngineApi api{};
    cUsekSpojeni walk{};
    cUsekSpojeni bus{};
    cConnectionRow row;
};

TEST_F(ConnectionTextsTest, TheListingNamesEachPairWithItsTimesOrItsWalk) {
    cConnectionRow second;
    second.items = {item(u"A", u"8:00", u"", u"Tram 3"), item(u"B", u"", u"8:10", u"")};
    const std::vector<cConnectionRow> rows{row, second};
    EXPECT_EQ(smsListingText(rows, 1),
              u"1.Náměstí Míru>Masarykovo náměstí(přesun 4 min.)Masarykovo náměstí>Radnice(23:50>0:05-Bus 15)");
    EXPECT_EQ(smsListingText(rows, 5).substr(smsListingText(rows, 1).size()), u"; 2.A>B(8:00>8:10-Tram 3)");
    EXPECT_EQ(smsListingText(rows, 0), u"");
}

TEST_F(ConnectionTextsTest, TheCalendarEntryRunsFromTheFirstDepartureToTheLastArrival) {
    CalendarEntry entry;
    ASSERT_TRUE(calendarEntryOf(api, row, true, entry));
    EXPECT_EQ(entry.subject, u"Náměstí Míru - Radnice");
    EXPECT_EQ((std::vector<int>{entry.startDay, entry.startMonth, entry.startYear, entry.startHour, entry.startMinute}),
              (std::vector<int>{10, 12, 2026, 23, 46}));
    EXPECT_EQ((std::vector<int>{entry.endDay, entry.endMonth, entry.endYear, entry.endHour, entry.endMinute}),
              (std::vector<int>{11, 12, 2026, 0, 5}));
    EXPECT_TRUE(entry.extendedForm);
    EXPECT_EQ(entry.body, u"přesun 4 minut\r\n\r\nBus 15\r\n23:50\tMasarykovo náměstí\r\n0:05\tRadnice");
}

TEST_F(ConnectionTextsTest, NoCalendarEntryWithoutLegsOrWithADayTheEngineRefuses) {
    CalendarEntry entry;
    EXPECT_FALSE(calendarEntryOf(api, cConnectionRow{}, false, entry));
    bus.arrivalDay = 40;
    EXPECT_FALSE(calendarEntryOf(api, row, false, entry));
}

TEST(NoteKindToIconTest, MarksPickTheirIcons) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"LINE_NAME", u"infoZ"}, {u"OWNER", u"infoZ"}, {u"RESERV", u"infoR"},
        {u"RESERV2", u"infoR"},   {u"", u"infoO"},      {u"owner", u"infoO"},
    };
    for (const auto& [mark, icon] : cases) EXPECT_EQ(NoteKindToIcon(mark), icon);
}

TEST(DistanceTextTest, KilometresRoundUpOnlyBeyondHalf) {
    EXPECT_EQ(distanceText(1500), u", 1 km");
    EXPECT_EQ(distanceText(1501), u", 2 km");
    EXPECT_EQ(distanceText(0), u", 0 km");
    EXPECT_EQ(distanceText(-1), u"");
}

}  // namespace
}  // namespace pelorvant
