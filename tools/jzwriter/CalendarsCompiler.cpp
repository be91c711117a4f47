#include "tools/jzwriter/CalendarsCompiler.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tools/jzwriter/TextEncoding.h"
#include "tools/jzwriter/TripTimes.h"

namespace jz {

namespace {

using nlohmann::json;

struct CalendarDays {
    std::set<int> days;
    std::uint32_t note = 0;
};

CalendarDays daysOf(CompileContext& ctx, const json& c, const std::string& where) {
    CalendarDays out;
    int from = parseCalendarDate(c.at("from"), where + ".from");
    int to = parseCalendarDate(c.at("to"), where + ".to");
    std::string weekdays = c.value("weekdays", std::string("1111111"));
    if (weekdays.size() != 7 || weekdays.find_first_not_of("01") != std::string::npos) {
        throw CompileError(where + ".weekdays: seven 0/1 characters, Monday first");
    }
    for (int d = from; d <= to; ++d) {
        // Day 0, 1 January 2004, is a Thursday; weekday 0 is Monday.
        if (weekdays[static_cast<std::size_t>(((d + 3) % 7 + 7) % 7)] == '1') {
            out.days.insert(d);
        }
    }
    for (const json& e : c.value("except", json::array())) {
        out.days.erase(parseCalendarDate(e, where + ".except"));
    }
    for (const json& e : c.value("extra", json::array())) {
        out.days.insert(parseCalendarDate(e, where + ".extra"));
    }
    // The validity note is the text of a note of the description.
    std::string text;
    if (c.contains("note")) {
        int note = lookupId(ctx.noteIndex, c.at("note").get<std::string>(), "note");
        text = ctx.doc.at("notes").at(static_cast<std::size_t>(note)).value("text", std::string());
    }
    out.note = ctx.names.intern(toCp1250(text, where + ".note"));
    return out;
}

}  // namespace

void writeCalendars(CompileContext& ctx, ContentWriter& out) {
    const json calendars = ctx.doc.value("calendars", json::array());
    std::vector<CalendarDays> byIndex(calendars.size());
    int first = 0, last = -1;
    bool any = false;
    for (std::size_t i = 0; i < calendars.size(); ++i) {
        const json& c = calendars[i];
        std::string where = "calendars[" + std::to_string(i) + "]";
        int index = lookupId(ctx.calendarIndex, c.at("id").get<std::string>(), "calendar");
        if (index < 0 || static_cast<std::size_t>(index) >= byIndex.size()) {
            throw CompileError(where + ": calendar index out of range");
        }
        CalendarDays days = daysOf(ctx, c, where);
        int from = parseCalendarDate(c.at("from"), where + ".from");
        int to = parseCalendarDate(c.at("to"), where + ".to");
        if (!days.days.empty()) {
            from = std::min(from, *days.days.begin());
            to = std::max(to, *days.days.rbegin());
        }
        first = any ? std::min(first, from) : from;
        last = any ? std::max(last, to) : to;
        any = true;
        byIndex[static_cast<std::size_t>(index)] = std::move(days);
    }

    out.skippedSection("calendars");
    out.i16(static_cast<std::int16_t>(first));
    out.i16(static_cast<std::int16_t>(last));
    out.i16(static_cast<std::int16_t>(first));  // base day
    out.u32(static_cast<std::uint32_t>(byIndex.size()));
    const std::size_t bytes = last >= first ? static_cast<std::size_t>(last - first) / 7 + 1 : 0;
    for (const CalendarDays& c : byIndex) {
        std::vector<std::uint8_t> bitmap(bytes, 0);
        for (int d : c.days) {
            std::size_t offset = static_cast<std::size_t>(d - first);
            bitmap[offset / 7] = static_cast<std::uint8_t>(bitmap[offset / 7] | 1u << (offset % 7));
        }
        out.u32(static_cast<std::uint32_t>(bitmap.size()));
        out.bytes(bitmap);
        out.u32(c.note);
    }
    out.skippedSection("end of calendars");
}

}  // namespace jz
