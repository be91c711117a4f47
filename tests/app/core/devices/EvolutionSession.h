#pragma once
// evolution-data-server for the tests that put entries into a real calendar: a session bus of
// the test's own, on which the bus starts the registry and the calendar factory on demand,
// with every folder they use in a temporary folder; and the default calendar's events read
// back through the server's own client library.
#include "app/core/CalendarWriter.h"
#include "tests/platform/services/SpawnedChild.h"
#include "tests/support/TempFolder.h"

#include <libecal/libecal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace trasa::testing {

// Sets the test process's session variables to the bus and the folders while it lives.
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
    const std::string& address() const { return address_; }

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
            e_cal_client_get_timezone_sync(E_CAL_CLIENT(client), pelorvant::kCalendarTimeZone, &zone, nullptr,
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
    // Whether the zone the event's times name was known to the calendar at the last events().
    mutable bool zoneKnown_ = false;

private:
    trasa::testing::TempFolder folder_;
    platform::services::testing::SpawnedChild daemon_;
    std::vector<std::string> env_;
    std::string address_;
};

}  // namespace trasa::testing
