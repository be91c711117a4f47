// The calendar entry of a connection read back with libical (given to the calendar, or as the
// form's file), a calendar or a folder that fails, the help page's path by language, and plain
// letters for text messages.
#include "app/core/CalendarWriter.h"
#include "app/core/DesktopServices.h"
#include "app/core/Diacritics.h"
#include "app/screens/search/ZaklFormularFrame.h"
#include "tests/support/SampleCalendarEntry.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

CalendarEntry sampleEntry() {
    return trasa::testing::sampleCalendarEntry(u"Náměstí Míru - \"U Lípy\" & spol.",
                                               u"Bus 15\r\n7:20\tMasarykovo náměstí");
}

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("calendar-test-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        const char* old = std::getenv("XDG_DATA_HOME");
        saved = old ? old : "";
        ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
        options.remindBeforeStart = 20;
        options.category = u"Cesty";
    }
    void TearDown() override {
        if (saved.empty()) {
            ::unsetenv("XDG_DATA_HOME");
        } else {
            ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
        }
        fs::remove_all(folder);
    }
    std::vector<fs::path> files() const {
        std::vector<fs::path> out;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(calendarFolder(), ec)) out.push_back(e.path());
        return out;
    }
    fs::path folder;
    std::string saved;
    CalendarOptions options;
    platform::services::DesktopOpenerDouble opener;
    platform::services::CalendarServiceDouble calendar;
};

TEST_F(CalendarTest, TheEntryGoesToTheCalendarWithItsFieldsZoneAndStamp) {
    ASSERT_TRUE(addCalendarEntry(sampleEntry(), options, calendar, opener));
    EXPECT_TRUE(files().empty()) << "without the form no file is written";
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_EQ(calendar.events.size(), 1u);
    const std::string& text = calendar.events[0];
    // Times of the timetables' zone, with the zone itself, and the stamp the format requires.
    EXPECT_NE(text.find("DTSTART;TZID=Europe/Prague:20261210T071600"), std::string::npos) << text;
    EXPECT_NE(text.find("DTEND;TZID=Europe/Prague:20261210T073100"), std::string::npos) << text;
    icalcomponent* parsed = icalparser_parse_string(text.c_str());
    ASSERT_NE(parsed, nullptr);
    icalcomponent* zone = icalcomponent_get_first_component(parsed, ICAL_VTIMEZONE_COMPONENT);
    ASSERT_NE(zone, nullptr);
    EXPECT_STREQ(icalproperty_get_tzid(icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY)), "Europe/Prague");
    icalcomponent* event = icalcomponent_get_first_component(parsed, ICAL_VEVENT_COMPONENT);
    ASSERT_NE(event, nullptr);
    EXPECT_STREQ(icalcomponent_get_summary(event), "Náměstí Míru - \"U Lípy\" & spol.");
    // Line ends come back as the format keeps them.
    EXPECT_STREQ(icalcomponent_get_description(event), "Bus 15\n7:20\tMasarykovo náměstí");
    icalproperty* stamp = icalcomponent_get_first_property(event, ICAL_DTSTAMP_PROPERTY);
    ASSERT_NE(stamp, nullptr);
    EXPECT_TRUE(icaltime_is_utc(icalproperty_get_dtstamp(stamp)));
    icalproperty* categories = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
    ASSERT_NE(categories, nullptr);
    EXPECT_STREQ(icalproperty_get_categories(categories), "Cesty");
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    ASSERT_NE(alarm, nullptr);
    const icaltriggertype trigger =
        icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    EXPECT_EQ(icaldurationtype_as_int(trigger.duration), -20 * 60);
    icalcomponent_free(parsed);
}

TEST_F(CalendarTest, ACalendarThatDoesNotAnswerIsAFailure) {
    calendar.result = platform::services::CalendarResult::NoService;
    EXPECT_FALSE(addCalendarEntry(sampleEntry(), options, calendar, opener));
}

TEST_F(CalendarTest, TheFormWritesTheFileAndHasTheDesktopOpenIt) {
    options.category.clear();
    CalendarEntry entry = sampleEntry();
    entry.extendedForm = true;
    ASSERT_TRUE(addCalendarEntry(entry, options, calendar, opener));
    EXPECT_TRUE(calendar.events.empty());
    const std::string text = calendarEntryText(entry, options);
    EXPECT_EQ(text.find("CATEGORIES"), std::string::npos);
    ASSERT_EQ(opener.opened.size(), 1u);
    ASSERT_EQ(files().size(), 1u);
    EXPECT_EQ(fs::path(opener.opened[0]), files().at(0));
    EXPECT_EQ(files().at(0).extension(), ".ics");
    // No program to open it: a failure, not a success.
    opener.succeeds = false;
    EXPECT_FALSE(addCalendarEntry(entry, options, calendar, opener));
}

TEST_F(CalendarTest, AFolderThatCannotBeMadeFailsWithoutAFile) {
    // The data folder is a plain file: nothing can be made below it.
    const fs::path blocker = folder / "blocked";
    std::ofstream(blocker) << "x";
    ::setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    CalendarEntry entry = sampleEntry();
    entry.extendedForm = true;
    EXPECT_FALSE(addCalendarEntry(entry, options, calendar, opener));
    EXPECT_TRUE(opener.opened.empty());
}

TEST(HelpPageTest, TheLanguageAddsItsCountryCode) {
    EXPECT_EQ(helpPagePath("/opt/trasa", 0), "/opt/trasa/help/index.html");
    EXPECT_EQ(helpPagePath("/opt/trasa/", 1), "/opt/trasa/help/indexSK.html");
}

TEST(StripDiacriticsTest, AccentedLettersBecomeTheirBaseLetters) {
    EXPECT_EQ(stripDiacritics(u"Náměstí Míru, Žižkova ůl. Ťažká"), u"Namesti Miru, Zizkova ul. Tazka");
    EXPECT_EQ(stripDiacritics(u"A>B(7:05)"), u"A>B(7:05)");
}

}  // namespace
}  // namespace pelorvant
