#pragma once
// Puts an event into the user's default calendar, the one that the desktop's and the phone
// shell's calendars show, without any window: the event is stored and the call returns.
#include <memory>
#include <string>
#include <vector>

namespace platform::services {

enum class CalendarResult {
    Added,
    NoService,   // no calendar service answers (none installed, no session bus, not running)
    NoCalendar,  // the service has no default calendar, or it cannot be opened
    Refused,     // the calendar did not take the event
    BadEvent,    // the text is not an iCalendar object with one event
};

class CalendarService {
public:
    virtual ~CalendarService() = default;
    // Adds the event of an iCalendar text (VCALENDAR with one VEVENT, its alarm, and the
    // VTIMEZONE its times name). Blocks until the service has answered: call it from a worker.
    virtual CalendarResult add(const std::string& icalendar) = 0;
};

// evolution-data-server on the session bus (DBUS_SESSION_BUS_ADDRESS). Its libraries are
// loaded on first use; without them every add answers NoService. The caller owns the result.
std::unique_ptr<CalendarService> makeEvolutionCalendar();

// The test double: records every text it is given and answers `result`.
class CalendarServiceDouble final : public CalendarService {
public:
    std::vector<std::string> events;
    CalendarResult result = CalendarResult::Added;
    CalendarResult add(const std::string& icalendar) override {
        events.push_back(icalendar);
        return result;
    }
};

}  // namespace platform::services
