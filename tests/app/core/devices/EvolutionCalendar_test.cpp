// A connection's calendar entry put into the default calendar of a real evolution-data-server,
// started for the test on a private session bus with its folders in a temporary folder, and
// read back through the server's own client library; and the answers without a server.
#include "app/core/CalendarWriter.h"

#include "platform/services/calendar/CalendarService.h"
#include "tests/support/SampleCalendarEntry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <libical/ical.h>
#include <unistd.h>

#if TRASA_HAVE_ECAL
#include "tests/app/core/devices/EvolutionSession.h"
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The calendar client library leaks a little of its registry for the life of the process
// (suppressed by library, platform/draw/FontFaces.cpp); the system libraries have no frame
// pointers, so leaks are traced with the slow unwinder to find that library on their stacks.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

namespace pelorvant {
namespace {

using platform::services::CalendarResult;

CalendarEntry sampleEntry() {
    return trasa::testing::sampleCalendarEntry(u"Náměstí Míru - Radnice",
                                               u"Bus 15\r\n7:20\tMasarykovo náměstí\r\n7:31\tRadnice");
}

TEST(EvolutionCalendar, WithoutASessionBusNoServiceAnswers) {
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/trasa-test-bus", 1);
    const auto calendar = platform::services::makeEvolutionCalendar();
    EXPECT_EQ(calendar->add(calendarEntryText(sampleEntry(), CalendarOptions{})),
              CalendarResult::NoService);
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
}

TEST(EvolutionCalendar, ATextWithoutAnEventIsRefusedBeforeAnyServiceIsAsked) {
    const auto calendar = platform::services::makeEvolutionCalendar();
    EXPECT_EQ(calendar->add("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n"),
              CalendarResult::BadEvent);
    EXPECT_EQ(calendar->add("not a calendar"), CalendarResult::BadEvent);
}

#if TRASA_HAVE_ECAL

TEST(EvolutionCalendar, TheEntryIsInTheDefaultCalendarWithItsReminderAndZone) {
    if (!std::filesystem::exists("/usr/libexec/evolution-source-registry")) {
        GTEST_SKIP() << "evolution-data-server is not installed";
    }
    trasa::testing::EvolutionSession session;
    ASSERT_TRUE(session.up());
    CalendarOptions options;  // the settings' defaults: 15 minutes before, no category
    CalendarEntry entry = sampleEntry();
    const auto calendar = platform::services::makeEvolutionCalendar();
    platform::services::DesktopOpenerDouble desktop;
    ASSERT_TRUE(addCalendarEntry(entry, options, *calendar, desktop));
    EXPECT_TRUE(desktop.opened.empty()) << "without the form nothing is opened";

    const std::vector<std::string> events = session.events();
    ASSERT_EQ(events.size(), 1u);
    icalcomponent* event = icalparser_parse_string(events[0].c_str());
    ASSERT_NE(event, nullptr);
    EXPECT_STREQ(icalcomponent_get_summary(event), "Náměstí Míru - Radnice");
    EXPECT_STREQ(icalcomponent_get_description(event),
                 "Bus 15\n7:20\tMasarykovo náměstí\n7:31\tRadnice");
    icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    ASSERT_NE(start, nullptr);
    icalparameter* tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
    ASSERT_NE(tzid, nullptr);
    EXPECT_STREQ(icalparameter_get_tzid(tzid), "Europe/Prague");
    const icaltimetype from = icalproperty_get_dtstart(start);
    EXPECT_EQ((std::vector<int>{from.year, from.month, from.day, from.hour, from.minute}),
              (std::vector<int>{2026, 12, 10, 7, 16}));
    const icaltimetype to = icalcomponent_get_dtend(event);
    EXPECT_EQ((std::vector<int>{to.hour, to.minute}), (std::vector<int>{7, 31}));
    EXPECT_NE(icalcomponent_get_first_property(event, ICAL_DTSTAMP_PROPERTY), nullptr);
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    ASSERT_NE(alarm, nullptr);
    const icaltriggertype trigger =
        icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    EXPECT_EQ(icaldurationtype_as_int(trigger.duration), -15 * 60);
    icalcomponent_free(event);
    EXPECT_TRUE(session.zoneKnown_);
}

#endif

}  // namespace
}  // namespace pelorvant
