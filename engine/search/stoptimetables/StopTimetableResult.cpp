#include "engine/search/stoptimetables/StopTimetableResult.h"

#include <array>

#include "engine/data/DayNumber.h"

namespace trasovnik {

namespace {

constexpr std::array<const char*, 7> kWeekdays = {
    "{stDateMonday}", "{stDateTuesday}",  "{stDateWednesday}", "{stDateThursday}",
    "{stDateFriday}", "{stDateSaturday}", "{stDateSunday}"};
constexpr int kSaturday = 5;
constexpr int kSunday = 6;

// Appends pieces while the text stays below its limit; the first piece that would reach it
// ends the text.
class LimitedText {
public:
    explicit LimitedText(std::size_t limit) : limit_(limit) {}
    bool add(const std::string& piece) {
        if (full_ || text_.size() + piece.size() >= limit_) {
            full_ = true;
            return false;
        }
        text_ += piece;
        return true;
    }
    std::string take() { return std::move(text_); }

private:
    std::size_t limit_;
    std::string text_;
    bool full_ = false;
};

}  // namespace

bool cStDatum::empty() const {
    for (const auto& h : hours) {
        if (!h.empty()) {
            return false;
        }
    }
    return true;
}

std::string stValidityText(const std::vector<std::int32_t>& days, bool week) {
    const std::size_t n = days.size();
    if (!week) {
        if (n != 1) {
            return {};
        }
        const CalendarDate d = dayNumberToDate(static_cast<std::int16_t>(days[0]));
        return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year);
    }
    if (n == 0) {
        return {};
    }
    if (n == 5) {
        bool workingDays = true;
        for (std::size_t i = 0; i < 5; ++i) {
            workingDays = workingDays && weekdayOfDay(days[i]) == static_cast<int>(i);
        }
        if (workingDays) {
            return "{stDateWorkingDays}";
        }
    }
    if (n == 7) {
        return "{stDateDaily}";
    }
    bool saturday = false;
    bool sunday = false;
    bool other = false;
    for (std::int32_t d : days) {
        const int w = weekdayOfDay(d);
        saturday = saturday || w == kSaturday;
        sunday = sunday || w == kSunday;
        other = other || (w != kSaturday && w != kSunday);
    }
    if (saturday && sunday && !other) {
        return "{stDateWeekend}";
    }
    if (saturday && !sunday && other) {
        return "{stDateSaturday} + {stDateHolidays}";
    }
    if (sunday && !saturday && other) {
        return "{stDateSunday} + {stDateHolidays}";
    }
    if (n == 1) {
        return kWeekdays[static_cast<std::size_t>(weekdayOfDay(days[0]))];
    }
    return std::string(kWeekdays[static_cast<std::size_t>(weekdayOfDay(days.front()))]) + "-" +
           kWeekdays[static_cast<std::size_t>(weekdayOfDay(days.back()))];
}

std::string stNoteText(const cStPoznamka& note, const std::vector<std::string>& stopNames) {
    LimitedText text(kStNoteTextLimit);
    auto nameOf = [&](std::int32_t stop) {
        return stop >= 0 && static_cast<std::size_t>(stop) < stopNames.size()
                   ? stopNames[static_cast<std::size_t>(stop)]
                   : std::string();
    };
    text.add(" ");
    auto list = [&](std::int32_t kind, const char* prefix) {
        bool added = false;
        for (std::size_t i = 0; i < note.kinds.size(); ++i) {
            if (note.kinds[i] != kind) {
                continue;
            }
            text.add(added ? ", " : prefix);
            text.add(nameOf(note.stops[i]));
            added = true;
        }
        if (added) {
            text.add(", ");
        }
    };
    list(kStRunsThrough, "{stRunsThourgh} ");
    list(kStDoesNotRunThrough, "{stDoesNotRunThrough} ");
    for (std::size_t i = note.kinds.size(); i-- > 0;) {
        if (note.kinds[i] == kStEndsAt) {
            text.add("{stEndsAt} ");
            text.add(nameOf(note.stops[i]));
            break;
        }
    }
    return text.take();
}

}  // namespace trasovnik
