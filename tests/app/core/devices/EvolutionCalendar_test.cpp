// A connection's calendar entry put into the default calendar of a real evolution-data-server,
// started for the test on a private session bus with its folders in a temporary folder, and
// read back through the server's own client library; and the answers without a server.
#include "app/core/CalendarWriter.h"

#include "platform/services/calendar/CalendarService.h"
#include "tests/platform/services/SpawnedChild.h"
#include "tests/support/SampleCalendarEntry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <libical/ical.h>
#include <unistd.h>

#if TRASA_HAVE_ECAL
#include <libecal/libecal.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// evolution-data-server on a session bus of the test's own: the bus starts the registry and
// the calendar factory on demand, and every folder they use lies in a temporary folder.
class EvolutionSession {
public:
    EvolutionSession() {
        const std::filesystem::path home = folder_.path();
        for (const char* sub : {"config", "data", "cache", "runtime"})
            std::filesystem::create_directories(home / sub);
        std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all);
        std::ofstream(home / "bus.conf")
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
               "1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</"
               "auth>\n"
               "<servicedir>/usr/share/dbus-1/services</servicedir>\n"
               "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
        env_ = {"HOME=" + home.string(),
                "XDG_CONFIG_HOME=" + (home / "config").string(),
                "XDG_DATA_HOME=" + (home / "data").string(),
                "XDG_CACHE_HOME=" + (home / "cache").string(),
                "XDG_RUNTIME_DIR=" + (home / "runtime").string(),
                "GSETTINGS_BACKEND=memory"};
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        const bool started =
            daemon_.start({"dbus-daemon", "--config-file=" + (home / "bus.conf").string(),
                           "--nofork", "--print-address=1"},
                          env_, fds[1]);
        ::close(fds[1]);
        char buffer[512] = {};
        std::size_t used = 0;
        while (started && used < sizeof buffer - 1) {
            const ssize_t n = ::read(fds[0], buffer + used, sizeof buffer - 1 - used);
            if (n <= 0)
                break;
            used += static_cast<std::size_t>(n);
            if (std::string(buffer, used).find('\n') != std::string::npos)
                break;
        }
        ::close(fds[0]);
        address_.assign(buffer, used);
        address_.erase(address_.find_last_not_of("\r\n") + 1);
        // This process is the program: it finds the bus and the folders as a session gives them.
        for (const std::string& e : env_) {
            const auto at = e.find('=');
            ::setenv(e.substr(0, at).c_str(), e.substr(at + 1).c_str(), 1);
        }
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
    }
    ~EvolutionSession() {
        for (const std::string& e : env_)
            ::unsetenv(e.substr(0, e.find('=')).c_str());
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    bool up() const { return !address_.empty(); }

    // Every event of the default calendar, as iCalendar texts, read through the server.
    std::vector<std::string> events() const {
        std::vector<std::string> out;
        GError* error = nullptr;
        ESourceRegistry* registry = e_source_registry_new_sync(nullptr, &error);
        if (registry == nullptr)
            return out;
        ESource* source = e_source_registry_ref_default_calendar(registry);
        EClient* client = e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS,
                                                    static_cast<guint32>(-1), nullptr, &error);
        GSList* objects = nullptr;
        if (client != nullptr && e_cal_client_get_object_list_sync(E_CAL_CLIENT(client), "#t",
                                                                   &objects, nullptr, &error)) {
            for (GSList* o = objects; o != nullptr; o = o->next) {
                gchar* text = i_cal_component_as_ical_string(static_cast<ICalComponent*>(o->data));
                out.emplace_back(text);
                g_free(text);
            }
            g_slist_free_full(objects, g_object_unref);
        }
        // The zone the event's times name is known to the calendar.
        ICalTimezone* zone = nullptr;
        if (client != nullptr &&
            e_cal_client_get_timezone_sync(E_CAL_CLIENT(client), kCalendarTimeZone, &zone, nullptr,
                                           &error)) {
            zoneKnown_ = zone != nullptr;
        }
        if (error)
            g_error_free(error);
        if (client)
            g_object_unref(client);
        if (source)
            g_object_unref(source);
        g_object_unref(registry);
        return out;
    }
    mutable bool zoneKnown_ = false;

private:
    trasa::testing::TempFolder folder_;
    platform::services::testing::SpawnedChild daemon_;
    std::vector<std::string> env_;
    std::string address_;
};

TEST(EvolutionCalendar, TheEntryIsInTheDefaultCalendarWithItsReminderAndZone) {
    if (!std::filesystem::exists("/usr/libexec/evolution-source-registry")) {
        GTEST_SKIP() << "evolution-data-server is not installed";
    }
    EvolutionSession session;
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
