#pragma once
// The answer of a stop-timetable search: the finished timetable (route stops, day groups with
// their departures per hour, route notes and validity texts) or the choices that settle an
// ambiguous query. Texts carry placeholders in braces ("{stDateMonday}") that the program
// replaces by texts of its own language.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trasovnik {

class cNazvy;

// Statuses of a stop-timetable search.
inline constexpr std::int32_t ST_OK = 0;
inline constexpr std::int32_t ST_NO_LINE = -201;
inline constexpr std::int32_t ST_MANY_LINES = -202;
inline constexpr std::int32_t ST_BAD_OBJECTS = -203;
inline constexpr std::int32_t ST_CHOOSE_FROM = -204;
inline constexpr std::int32_t ST_CHOOSE_DIRECTION = -205;
inline constexpr std::int32_t ST_NOT_FOUND = -206;

// Longest texts, in characters, that the result holds (both stay below them).
inline constexpr std::size_t kStValidityTextLimit = 50;
inline constexpr std::size_t kStNoteTextLimit = 1000;

struct cStZastavkaTrasy {
    std::int32_t stop = 0;
    std::int32_t occurrence = 0;
    std::int32_t minutes = -1;  // from the from stop; -1 before it
    double distance = -1.0;     // from the from stop; -1.0 before it or when unknown
};

struct cStOdjezd {
    std::int32_t trip = 0;
    std::int32_t minute = 0;    // within the hour
    std::int32_t position = 0;  // of the from stop in the trip
    std::int32_t note = -1;     // in the group's notes, -1 for none
};
static_assert(sizeof(cStOdjezd) == 16, "a departure is four 32-bit values");

// Kinds of route note items.
inline constexpr std::int32_t kStRunsThrough = 1;
inline constexpr std::int32_t kStEndsAt = 2;
inline constexpr std::int32_t kStDoesNotRunThrough = 3;

struct cStPoznamka {
    std::vector<std::int32_t> kinds;
    std::vector<std::int32_t> stops;
    std::string text;  // Windows-1250
    bool sameItems(const cStPoznamka& other) const {
        return kinds == other.kinds && stops == other.stops;
    }
};

struct cStDatum {
    std::array<std::vector<cStOdjezd>, 24> hours;
    std::vector<std::int32_t> days;  // ascending day numbers
    std::int32_t week = 0;
    std::vector<cStPoznamka> notes;
    std::string text;  // validity text, Windows-1250
    bool empty() const;
};

struct cStVysledek {
    std::vector<cStZastavkaTrasy> routeStops;
    std::vector<std::unique_ptr<cStDatum>> groups;
    std::vector<std::int32_t> choiceStops;
    std::vector<std::int32_t> choiceOccurrences;
    std::vector<std::vector<std::int32_t>> directionLists;   // one per choice stop (or one alone)
    std::vector<std::int32_t> queryItems;                    // stop elements
    std::vector<std::vector<std::int32_t>> queryDirections;  // per query item
    std::vector<std::int32_t> lineCandidates;
    const cNazvy* names = nullptr;  // of the searched file; not owned
    std::int32_t status = ST_OK;
    std::int32_t reserved = 0;
};

// "{stDateWorkingDays}", "{stDateWeekend}", a weekday, a range of weekdays and the like for a
// week search; the date ("5.3.2012") of a one-day search of one day.
std::string stValidityText(const std::vector<std::int32_t>& days, bool week);
// " {stRunsThourgh} A, B, {stDoesNotRunThrough} C, {stEndsAt} D" with the stops' names.
std::string stNoteText(const cStPoznamka& note, const std::vector<std::string>& stopNames);

}  // namespace trasovnik
