#include "platform/services/calendar/CalendarService.h"

#include <dlfcn.h>
#include <gio/gio.h>
#include <libical/ical.h>

#include <initializer_list>
#include <mutex>

namespace platform::services {
namespace {

// The few entry points of evolution-data-server's client libraries that an event needs,
// declared here with their C signatures: the libraries are opened at run time, so a machine
// without them builds and runs the program. The objects are GObjects.
using Registry = void;
using Source = void;
using Client = void;
using Component = void;
using Timezone = void;
constexpr int kEventsSourceType = 0;  // E_CAL_CLIENT_SOURCE_TYPE_EVENTS
constexpr int kNoOperationFlags = 0;  // E_CAL_OPERATION_FLAG_NONE
// A calendar that is not connected at once opens offline and keeps the event until it is.
constexpr unsigned kConnectWaitSeconds = 2;

struct EdsLibrary {
    Registry* (*registryNew)(GCancellable*, GError**) = nullptr;
    Source* (*defaultCalendar)(Registry*) = nullptr;
    Client* (*connect)(Source*, int, guint32, GCancellable*, GError**) = nullptr;
    gboolean (*addTimezone)(Client*, Timezone*, GCancellable*, GError**) = nullptr;
    gboolean (*createObject)(Client*, Component*, int, gchar**, GCancellable*, GError**) = nullptr;
    Component* (*componentFromString)(const gchar*) = nullptr;
    Timezone* (*timezoneNew)() = nullptr;
    gint (*timezoneSetComponent)(Timezone*, Component*) = nullptr;

    bool complete() const {
        return registryNew && defaultCalendar && connect && addTimezone && createObject &&
               componentFromString && timezoneNew && timezoneSetComponent;
    }
};

void* openFirst(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (void* handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL))
            return handle;
    }
    return nullptr;
}

template <typename F>
void bind(void* library, const char* name, F& out) {
    out = library ? reinterpret_cast<F>(::dlsym(library, name)) : nullptr;
}

// Opened once and kept for the life of the process (their types stay registered with GLib).
const EdsLibrary& library() {
    static EdsLibrary eds;
    static std::once_flag once;
    std::call_once(once, [] {
        void* server = openFirst({"libedataserver-1.2.so.27", "libedataserver-1.2.so"});
        void* ecal = openFirst({"libecal-2.0.so.2", "libecal-2.0.so"});
        void* ical = openFirst({"libical-glib.so.3", "libical-glib.so"});
        bind(server, "e_source_registry_new_sync", eds.registryNew);
        bind(server, "e_source_registry_ref_default_calendar", eds.defaultCalendar);
        bind(ecal, "e_cal_client_connect_sync", eds.connect);
        bind(ecal, "e_cal_client_add_timezone_sync", eds.addTimezone);
        bind(ecal, "e_cal_client_create_object_sync", eds.createObject);
        bind(ical, "i_cal_component_new_from_string", eds.componentFromString);
        bind(ical, "i_cal_timezone_new", eds.timezoneNew);
        bind(ical, "i_cal_timezone_set_component", eds.timezoneSetComponent);
    });
    return eds;
}

struct Unref {
    void operator()(gpointer object) const {
        if (object)
            g_object_unref(object);
    }
};
using Object = std::unique_ptr<void, Unref>;

struct Error {
    GError* raw = nullptr;
    ~Error() {
        if (raw)
            g_error_free(raw);
    }
    GError** out() { return &raw; }
};

struct Parsed {
    std::vector<std::string> timezones;
    std::string event;
};

// The VTIMEZONEs and the one VEVENT of a VCALENDAR as texts of their own; no event: false.
bool split(const std::string& icalendar, Parsed& out) {
    icalcomponent* calendar = icalparser_parse_string(icalendar.c_str());
    if (calendar == nullptr)
        return false;
    icalcomponent* event = icalcomponent_isa(calendar) == ICAL_VEVENT_COMPONENT
                               ? calendar
                               : icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
    if (event != nullptr) {
        char* text = icalcomponent_as_ical_string_r(event);
        out.event = text ? text : "";
        std::free(text);
        for (icalcomponent* zone =
                 icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
             zone != nullptr;
             zone = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
            char* zoneText = icalcomponent_as_ical_string_r(zone);
            if (zoneText)
                out.timezones.emplace_back(zoneText);
            std::free(zoneText);
        }
    }
    icalcomponent_free(calendar);
    return !out.event.empty();
}

class EvolutionCalendar final : public CalendarService {
public:
    CalendarResult add(const std::string& icalendar) override {
        Parsed parsed;
        if (!split(icalendar, parsed))
            return CalendarResult::BadEvent;
        const EdsLibrary& eds = library();
        if (!eds.complete())
            return CalendarResult::NoService;
        Error error;
        const Object registry(eds.registryNew(nullptr, error.out()));
        if (!registry)
            return CalendarResult::NoService;
        const Object source(eds.defaultCalendar(registry.get()));
        if (!source)
            return CalendarResult::NoCalendar;
        Error connectError;
        const Object client(eds.connect(source.get(), kEventsSourceType, kConnectWaitSeconds,
                                        nullptr, connectError.out()));
        if (!client)
            return CalendarResult::NoCalendar;
        // The zones first, so that the calendar knows every time of the event as local time.
        for (const std::string& text : parsed.timezones) {
            const Object component(eds.componentFromString(text.c_str()));
            const Object zone(eds.timezoneNew());
            if (!component || !zone)
                return CalendarResult::BadEvent;
            eds.timezoneSetComponent(zone.get(), component.get());
            Error zoneError;
            if (!eds.addTimezone(client.get(), zone.get(), nullptr, zoneError.out()))
                return CalendarResult::Refused;
        }
        const Object event(eds.componentFromString(parsed.event.c_str()));
        if (!event)
            return CalendarResult::BadEvent;
        gchar* uid = nullptr;
        Error createError;
        const gboolean created = eds.createObject(client.get(), event.get(), kNoOperationFlags,
                                                  &uid, nullptr, createError.out());
        g_free(uid);
        return created ? CalendarResult::Added : CalendarResult::Refused;
    }
};

}  // namespace

std::unique_ptr<CalendarService> makeEvolutionCalendar() {
    return std::make_unique<EvolutionCalendar>();
}

}  // namespace platform::services
