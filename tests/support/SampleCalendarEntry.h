#pragma once
// A connection's calendar entry for tests: 10 December 2026 from 7:16 to 7:31.
#include "app/core/CalendarWriter.h"

#include <string>

namespace trasa::testing {

inline pelorvant::CalendarEntry sampleCalendarEntry(std::u16string subject, std::u16string body) {
    pelorvant::CalendarEntry e;
    e.startDay = e.endDay = 10;
    e.startMonth = e.endMonth = 12;
    e.startYear = e.endYear = 2026;
    e.startHour = e.endHour = 7;
    e.startMinute = 16;
    e.endMinute = 31;
    e.subject = std::move(subject);
    e.body = std::move(body);
    return e;
}

}  // namespace trasa::testing
