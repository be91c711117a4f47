#pragma once
// Writes a connection into the user's calendar. Without the form ("calEdit" off) the event goes
// straight into the default calendar of the calendar service (evolution-data-server), which
// the desktop's and the phone shell's calendars show; with the form, an iCalendar file in the
// program's calendar folder is handed to the desktop, whose calendar opens it for editing.
// The event: summary, description, start and end in Prague time (with their time zone), a
// time stamp, an alarm before the start and the category.
#include "app/core/AppSettings.h"

#include "platform/services/calendar/CalendarService.h"
#include "platform/services/launcher/DesktopOpener.h"

#include <ctime>
#include <filesystem>
#include <string>

namespace pelorvant {

// An appointment for a connection: start and end in local time, the listing as its body.
struct CalendarEntry {
    int startDay = 0, startMonth = 0, startYear = 0, startHour = 0, startMinute = 0;
    int endDay = 0, endMonth = 0, endYear = 0, endHour = 0, endMinute = 0;
    std::u16string body;
    std::u16string subject;
    bool extendedForm = false;  // open the entry for editing
};

// The settings an entry is written with, copied on the user-interface thread.
struct CalendarOptions {
    std::int32_t remindBeforeStart = 15;  // minutes
    std::u16string category;              // none when empty
    bool saveData = false;                // the form's busy status and sensitivity apply
    std::int32_t status = -1;             // -1: none; 0 free, else busy
    std::int32_t sensitivity = -1;        // 0 public, else private
};
CalendarOptions calendarOptionsOf(const AppSettings& settings);

// The time zone of the timetables' times.
inline constexpr const char* kCalendarTimeZone = "Europe/Prague";

// The calendar service in force (not owned by the caller); made on first use.
platform::services::CalendarService& calendarService();
// Puts `service` (not owned; null: the real one again) in force and returns the previous one
// (null when that was the real one).
platform::services::CalendarService* setCalendarService(
    platform::services::CalendarService* service);

// The folder the files for the form go to: $XDG_DATA_HOME/trasa/calendar (~/.local/share when
// unset).
std::filesystem::path calendarFolder();
// The iCalendar text of an entry, stamped with `stamp`.
std::string calendarEntryText(const CalendarEntry& entry, const CalendarOptions& options,
                              std::time_t stamp = std::time(nullptr));
// Adds the entry to the calendar, or with the form writes its file and has the desktop open it;
// false when the calendar did not take it or no program took the file. Blocks on the calendar
// service and the desktop: call it from a worker thread.
bool addCalendarEntry(const CalendarEntry& entry, const CalendarOptions& options,
                      platform::services::CalendarService& calendar,
                      platform::services::DesktopOpener& desktop);

}  // namespace pelorvant
