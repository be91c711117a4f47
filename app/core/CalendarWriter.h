#pragma once
// Writes a connection into the user's calendar: an iCalendar file (one VEVENT with summary,
// description, start, end, an alarm before the start and the category) in the calendar folder
// under $XDG_DATA_HOME, opened for editing by the desktop when the settings ask for the form.
#include "app/core/AppSettings.h"

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

// The folder the entries go to: $XDG_DATA_HOME/trasa/calendar (~/.local/share when unset).
std::filesystem::path calendarFolder();
// The iCalendar text of an entry.
std::string calendarEntryText(const CalendarEntry& entry, const AppSettings& settings);
// Writes the entry as a new file and, with "calEdit", opens it; false when it cannot be written
// (or opened).
bool addCalendarEntry(const CalendarEntry& entry, const AppSettings& settings);

}  // namespace pelorvant
