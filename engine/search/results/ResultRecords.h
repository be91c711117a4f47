#pragma once
// The records of a search result as the program reads them directly from the engine's memory:
// one connection, its legs and the alternatives of a leg, and one candidate stop of a place.
// They are plain structures with fixed-width fields in a fixed order; the static_asserts below
// pin their layout on both 32-bit and 64-bit builds so that both sides agree.
//
// Ownership: every record reached from a stored result (connections, their leg arrays, the
// line-name texts, the alternatives linked from a leg) belongs to that stored result and lives
// until the result leaves the store (cVysledkyHledani). The program never frees them.

#include <cstddef>
#include <cstdint>

namespace trasovnik {

struct cUsekSpojeni;
// An alternative trip for a leg has the layout of a leg.
using cVysledekSpoj = cUsekSpojeni;

// One leg of a connection.
struct cUsekSpojeni {
    static constexpr std::uint16_t kWalkingSlot = 0xFFFF;  // departureSlot of a walking leg
    static constexpr std::uint8_t kNoWalkLink = 255;       // walkMinutes without a link
    static constexpr std::uint8_t kWholeTrip = 255;        // both positions: the whole trip

    std::uint32_t trip;          // trip index in its timetable
    std::uint8_t boardPosition;  // positions on the trip's route
    std::uint8_t alightPosition;
    std::int16_t departureMinute;  // 0..1439, local time of the boarding stop
    std::int16_t arrivalMinute;    // 0..1439, local time of the alighting stop
    std::int16_t departureDay;     // day numbers
    std::int16_t arrivalDay;
    std::uint16_t departureSlot;  // index in the boarding stop's departures; kWalkingSlot
    std::int32_t distance;        // ridden; -1 when the timetable has no distances
    std::int32_t rideMinutes;     // arrival - departure
    char* lineName;               // Windows-1250 display name, not terminated
    std::int32_t lineNameLength;
    std::uint8_t timetable;   // timetable index in the set
    std::uint16_t boardStop;  // stop indexes in that timetable
    std::uint16_t alightStop;
    std::uint8_t walkTimetable;  // the stop walked to after the leg
    std::uint16_t walkStop;
    std::uint8_t walkMinutes;  // kNoWalkLink when the stops have no link
    cVysledekSpoj* next;       // alternatives, null until asked
    cVysledekSpoj* previous;
};

// One connection: its legs, first leg first.
struct cSpojeni {
    cUsekSpojeni* legs;
    std::int32_t legCount;
    std::int32_t distance;      // sum of the legs' distances, -1 when a leg has none
    std::int32_t totalMinutes;  // first departure to last arrival, the final walk included
};

// One candidate stop of a place.
struct cZastavkaZadani {
    std::int32_t timetable;        // index in the set
    std::uint16_t stop;            // stop index in that timetable
    std::uint8_t walkMinutes;      // 0 for the place's own stops
    std::int32_t sourceTimetable;  // the stop it is walked to from, -1 when none
    std::int16_t sourceStop;       // -1 when none
};

// Layout checks.
inline constexpr std::size_t kPointerBytes = sizeof(void*);

static_assert(offsetof(cUsekSpojeni, trip) == 0);
static_assert(offsetof(cUsekSpojeni, boardPosition) == 4);
static_assert(offsetof(cUsekSpojeni, alightPosition) == 5);
static_assert(offsetof(cUsekSpojeni, departureMinute) == 6);
static_assert(offsetof(cUsekSpojeni, arrivalMinute) == 8);
static_assert(offsetof(cUsekSpojeni, departureDay) == 10);
static_assert(offsetof(cUsekSpojeni, arrivalDay) == 12);
static_assert(offsetof(cUsekSpojeni, departureSlot) == 14);
static_assert(offsetof(cUsekSpojeni, distance) == 16);
static_assert(offsetof(cUsekSpojeni, rideMinutes) == 20);
static_assert(offsetof(cUsekSpojeni, lineName) == 24);
static_assert(offsetof(cUsekSpojeni, lineNameLength) == 24 + kPointerBytes);
static_assert(offsetof(cUsekSpojeni, timetable) == 28 + kPointerBytes);
static_assert(offsetof(cUsekSpojeni, boardStop) == 30 + kPointerBytes);
static_assert(offsetof(cUsekSpojeni, alightStop) == 32 + kPointerBytes);
static_assert(offsetof(cUsekSpojeni, walkTimetable) == 34 + kPointerBytes);
static_assert(offsetof(cUsekSpojeni, walkStop) == 36 + kPointerBytes);
static_assert(offsetof(cUsekSpojeni, walkMinutes) == 38 + kPointerBytes);
static_assert(offsetof(cUsekSpojeni, next) == (kPointerBytes == 4 ? 44 : 48));
static_assert(offsetof(cUsekSpojeni, previous) == (kPointerBytes == 4 ? 48 : 56));
static_assert(sizeof(cUsekSpojeni) == (kPointerBytes == 4 ? 52 : 64));

static_assert(offsetof(cSpojeni, legs) == 0);
static_assert(offsetof(cSpojeni, legCount) == kPointerBytes);
static_assert(offsetof(cSpojeni, distance) == kPointerBytes + 4);
static_assert(offsetof(cSpojeni, totalMinutes) == kPointerBytes + 8);
static_assert(sizeof(cSpojeni) == (kPointerBytes == 4 ? 16 : 24));

static_assert(offsetof(cZastavkaZadani, timetable) == 0);
static_assert(offsetof(cZastavkaZadani, stop) == 4);
static_assert(offsetof(cZastavkaZadani, walkMinutes) == 6);
static_assert(offsetof(cZastavkaZadani, sourceTimetable) == 8);
static_assert(offsetof(cZastavkaZadani, sourceStop) == 12);
static_assert(sizeof(cZastavkaZadani) == 16);

}  // namespace trasovnik
