// The calendar file of a connection read back with libical, a calendar folder that cannot be
// made, the help page's path by language, and plain letters for text messages.
#include "app/core/CalendarWriter.h"
#include "app/core/DesktopServices.h"
#include "app/core/Diacritics.h"
#include "app/screens/search/ZaklFormularFrame.h"

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
    CalendarEntry e;
    e.startDay = 10;
    e.startMonth = 12;
    e.startYear = 2026;
    e.startHour = 7;
    e.startMinute = 16;
    e.endDay = 10;
    e.endMonth = 12;
    e.endYear = 2026;
    e.endHour = 7;
    e.endMinute = 31;
    e.subject = u"Náměstí Míru - \"U Lípy\" & spol.";
    e.body = u"Bus 15\r\n7:20\tMasarykovo náměstí";
    return e;
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
        previous = setDesktopOpener(&opener);
        settings.remindbeforestart = 20;
        settings.calendarCategory = u"Cesty";
    }
    void TearDown() override {
        setDesktopOpener(previous);
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
    AppSettings settings;
    platform::services::DesktopOpenerDouble opener;
    platform::services::DesktopOpener* previous = nullptr;
};

TEST_F(CalendarTest, TheWrittenEntryReadsBackWithItsFields) {
    ASSERT_TRUE(addCalendarEntry(sampleEntry(), settings));
    const auto written = files();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].extension(), ".ics");
    std::ifstream in(written[0]);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    ASSERT_NE(calendar, nullptr);
    icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
    ASSERT_NE(event, nullptr);
    EXPECT_STREQ(icalcomponent_get_summary(event), "Náměstí Míru - \"U Lípy\" & spol.");
    // Line ends come back as the format keeps them.
    EXPECT_STREQ(icalcomponent_get_description(event), "Bus 15\n7:20\tMasarykovo náměstí");
    const icaltimetype start = icalcomponent_get_dtstart(event);
    const icaltimetype end = icalcomponent_get_dtend(event);
    EXPECT_EQ((std::vector<int>{start.year, start.month, start.day, start.hour, start.minute}),
              (std::vector<int>{2026, 12, 10, 7, 16}));
    EXPECT_EQ((std::vector<int>{end.hour, end.minute}), (std::vector<int>{7, 31}));
    icalproperty* categories = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
    ASSERT_NE(categories, nullptr);
    EXPECT_STREQ(icalproperty_get_categories(categories), "Cesty");
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    ASSERT_NE(alarm, nullptr);
    const icaltriggertype trigger =
        icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    EXPECT_EQ(icaldurationtype_as_int(trigger.duration), -20 * 60);
    icalcomponent_free(calendar);
    EXPECT_TRUE(opener.opened.empty());
}

TEST_F(CalendarTest, WithoutACategoryNoneIsSetAndTheFormOpensTheFile) {
    settings.calendarCategory.clear();
    CalendarEntry entry = sampleEntry();
    entry.extendedForm = true;
    ASSERT_TRUE(addCalendarEntry(entry, settings));
    const std::string text = calendarEntryText(entry, settings);
    EXPECT_EQ(text.find("CATEGORIES"), std::string::npos);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(fs::path(opener.opened[0]), files().at(0));
}

TEST_F(CalendarTest, AFolderThatCannotBeMadeFailsWithoutAFile) {
    // The data folder is a plain file: nothing can be made below it.
    const fs::path blocker = folder / "blocked";
    std::ofstream(blocker) << "x";
    ::setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    EXPECT_FALSE(addCalendarEntry(sampleEntry(), settings));
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
