#include "app/core/CalendarWriter.h"

#include "platform/draw/Utf.h"

#include <libical/ical.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace pelorvant {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// The rules of Central European time since 1996, for every year an entry can fall in.
constexpr const char* kPragueZone =
    "BEGIN:VTIMEZONE\r\n"
    "TZID:Europe/Prague\r\n"
    "BEGIN:DAYLIGHT\r\n"
    "TZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\n"
    "TZNAME:CEST\r\n"
    "DTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
    "END:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\n"
    "TZOFFSETFROM:+0200\r\n"
    "TZOFFSETTO:+0100\r\n"
    "TZNAME:CET\r\n"
    "DTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
    "END:STANDARD\r\n"
    "END:VTIMEZONE\r\n";

// A local time of the timetables' zone: the property with its TZID.
icalproperty* zonedTime(icalproperty* property, int year, int month, int day, int hour, int minute) {
    icaltimetype t = icaltime_null_time();
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = 0;
    t.is_date = 0;
    icalproperty_set_value(property, icalvalue_new_datetime(t));
    icalproperty_add_parameter(property, icalparameter_new_tzid(kCalendarTimeZone));
    return property;
}

std::string uniqueName() {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) + "-" +
           std::to_string(counter++);
}

platform::services::CalendarService* gReplacement = nullptr;

}  // namespace

CalendarOptions calendarOptionsOf(const AppSettings& settings) {
    CalendarOptions o;
    o.remindBeforeStart = settings.remindbeforestart;
    o.category = settings.calendarCategory;
    o.saveData = settings.calSaveData;
    o.status = settings.calStatus;
    o.sensitivity = settings.calSensitivity;
    return o;
}

platform::services::CalendarService& calendarService() {
    if (gReplacement != nullptr) return *gReplacement;
    static const std::unique_ptr<platform::services::CalendarService> real =
        platform::services::makeEvolutionCalendar();
    return *real;
}

platform::services::CalendarService* setCalendarService(platform::services::CalendarService* service) {
    platform::services::CalendarService* previous = gReplacement;
    gReplacement = service;
    return previous;
}

std::filesystem::path calendarFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (data != nullptr && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : "/tmp") / ".local" / "share";
    }
    return base / "trasa" / "calendar";
}

std::string calendarEntryText(const CalendarEntry& entry, const CalendarOptions& options, std::time_t stamp) {
    using platform::draw::toUtf8;
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Trasa//Pelorvant//CS"));
    if (icalcomponent* zone = icalparser_parse_string(kPragueZone)) icalcomponent_add_component(calendar.get(), zone);
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    const std::string uid = uniqueName() + "@trasa";
    icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(
        event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(event, icalproperty_new_summary(toUtf8(entry.subject).c_str()));
    icalcomponent_add_property(event, icalproperty_new_description(toUtf8(entry.body).c_str()));
    icalcomponent_add_property(event, zonedTime(icalproperty_new(ICAL_DTSTART_PROPERTY), entry.startYear,
                                                entry.startMonth, entry.startDay, entry.startHour, entry.startMinute));
    icalcomponent_add_property(event, zonedTime(icalproperty_new(ICAL_DTEND_PROPERTY), entry.endYear, entry.endMonth,
                                                entry.endDay, entry.endHour, entry.endMinute));
    if (!options.category.empty()) {
        icalcomponent_add_property(event, icalproperty_new_categories(toUtf8(options.category).c_str()));
    }
    // The busy status and sensitivity the user kept from the form apply to the form's entries.
    if (entry.extendedForm && options.saveData && options.status != -1) {
        icalcomponent_add_property(
            event, icalproperty_new_transp(options.status == 0 ? ICAL_TRANSP_TRANSPARENT : ICAL_TRANSP_OPAQUE));
        icalcomponent_add_property(
            event, icalproperty_new_class(options.sensitivity == 0 ? ICAL_CLASS_PUBLIC : ICAL_CLASS_PRIVATE));
    }
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(toUtf8(entry.subject).c_str()));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-60 * options.remindBeforeStart);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_component(event, alarm);
    icalcomponent_add_component(calendar.get(), event);
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string out = text ? text : "";
    std::free(text);
    return out;
}

bool addCalendarEntry(const CalendarEntry& entry, const CalendarOptions& options,
                      platform::services::CalendarService& calendar, platform::services::DesktopOpener& desktop) {
    const std::string text = calendarEntryText(entry, options);
    if (!entry.extendedForm) return calendar.add(text) == platform::services::CalendarResult::Added;
    std::error_code error;
    const std::filesystem::path folder = calendarFolder();
    std::filesystem::create_directories(folder, error);
    if (error) return false;
    const std::filesystem::path file = folder / ("spojeni-" + uniqueName() + ".ics");
    const std::filesystem::path partial = file.string() + ".part";
    {
        std::ofstream out(partial, std::ios::binary);
        out << text;
        out.flush();
        if (!out) {
            std::filesystem::remove(partial, error);
            return false;
        }
    }
    std::filesystem::rename(partial, file, error);
    if (error) return false;
    return desktop.openConfirmed(file.string());
}

}  // namespace pelorvant
