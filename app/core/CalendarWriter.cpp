#include "app/core/CalendarWriter.h"

#include "app/core/DesktopServices.h"

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

icaltimetype localTime(int year, int month, int day, int hour, int minute) {
    icaltimetype t = icaltime_null_time();
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = 0;
    t.is_date = 0;
    return t;
}

std::string uniqueName() {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) + "-" +
           std::to_string(counter++);
}

}  // namespace

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

std::string calendarEntryText(const CalendarEntry& entry, const AppSettings& settings) {
    using platform::draw::toUtf8;
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Trasa//Pelorvant//CS"));
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    const std::string uid = uniqueName() + "@trasa";
    icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(event, icalproperty_new_summary(toUtf8(entry.subject).c_str()));
    icalcomponent_add_property(event, icalproperty_new_description(toUtf8(entry.body).c_str()));
    icalcomponent_add_property(
        event, icalproperty_new_dtstart(localTime(entry.startYear, entry.startMonth, entry.startDay, entry.startHour,
                                                  entry.startMinute)));
    icalcomponent_add_property(
        event, icalproperty_new_dtend(localTime(entry.endYear, entry.endMonth, entry.endDay, entry.endHour,
                                                entry.endMinute)));
    if (!settings.calendarCategory.empty()) {
        icalcomponent_add_property(event, icalproperty_new_categories(toUtf8(settings.calendarCategory).c_str()));
    }
    if (settings.calSaveData && settings.calStatus != -1) {
        icalcomponent_add_property(event, icalproperty_new_transp(settings.calStatus == 0 ? ICAL_TRANSP_TRANSPARENT
                                                                                       : ICAL_TRANSP_OPAQUE));
        icalcomponent_add_property(event, icalproperty_new_class(settings.calSensitivity == 0 ? ICAL_CLASS_PUBLIC
                                                                                           : ICAL_CLASS_PRIVATE));
    }
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(toUtf8(entry.subject).c_str()));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-60 * settings.remindbeforestart);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_component(event, alarm);
    icalcomponent_add_component(calendar.get(), event);
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string out = text ? text : "";
    std::free(text);
    return out;
}

bool addCalendarEntry(const CalendarEntry& entry, const AppSettings& settings) {
    std::error_code error;
    const std::filesystem::path folder = calendarFolder();
    std::filesystem::create_directories(folder, error);
    if (error) return false;
    const std::filesystem::path file = folder / ("spojeni-" + uniqueName() + ".ics");
    const std::filesystem::path partial = file.string() + ".part";
    {
        std::ofstream out(partial, std::ios::binary);
        out << calendarEntryText(entry, settings);
        out.flush();
        if (!out) {
            std::filesystem::remove(partial, error);
            return false;
        }
    }
    std::filesystem::rename(partial, file, error);
    if (error) return false;
    if (entry.extendedForm) return desktopOpener().open(file.string());
    return true;
}

}  // namespace pelorvant
