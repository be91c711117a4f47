#pragma once
// The trips section of a timetable file: route records (a run of stop items per route, its
// line and the line's own name), the line tables, validity calendars and entries, time
// patterns, stop items with boarding and alighting flags and distance steps, and the trips
// themselves. Answers, for the connection search, at what minute a trip is at a stop position,
// whether it runs on a day, where it may be boarded or left and how far it has gone.
//
// Positions are a trip's own stop positions, 0 to stopCount - 1; a reversed trip runs the
// stop items of its route backwards. Times are minutes after midnight of the day the trip
// starts on, so a value of 1440 or more lies on a following day.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/Lines.h"
#include "engine/data/TimePatterns.h"
#include "engine/data/ValidityCalendars.h"

namespace trasovnik {

class TimetableFileReader;
class cNazvy;
class cPoznamky;
class cVazbyPoznamek;
class cZastavky;
struct LoadObserver;

// A route record: the run of stop items a route's trips are at, its line and own name.
struct cTrasaSpoje {
    static constexpr std::uint16_t kDistanceInThousands = 0x8000;

    std::uint32_t itemOffset = 0;     // 24 bits: first stop item of the run
    std::uint32_t itemEnd = 0;        // end of the run: the next route's offset or the item count
    std::uint16_t lineNameIndex = 0;  // 15 bits, in the line-name table
    std::uint16_t distanceUnit = 0;   // 0 or kDistanceInThousands
    std::uint16_t line = 0;
};

// A validity entry: the trip's notes (an attachment index), a further value and the calendar.
struct cPlatnostSpoje {
    std::uint16_t notes = 0;
    std::uint16_t value = 0;
    std::uint16_t calendar = 0;
};

// A trip record as the engine keeps it.
struct cSpoj {
    static constexpr std::uint32_t kMinuteMask = 0x7FF;
    static constexpr std::uint32_t kReversed = 0x800;
    static constexpr std::uint32_t kNoRideWithinGroup = 0x1000;
    static constexpr int kRouteShift = 13;
    static constexpr std::uint32_t kRouteMask = 0x3FFFF;

    std::uint16_t arrivalPattern = 0;
    std::uint16_t departurePattern = 0;
    std::uint8_t firstOffset = 0;  // first position's offset in the route's run
    std::uint16_t validity = 0;
    std::uint8_t stopCount = 0;
    // Start minute (11 bits), reversed, no ride within one group, route record (18 bits).
    std::uint32_t packed = 0;

    int startMinute() const { return static_cast<int>(packed & kMinuteMask); }
    bool reversed() const { return (packed & kReversed) != 0; }
    bool noRideWithinGroup() const { return (packed & kNoRideWithinGroup) != 0; }
    std::uint32_t route() const { return (packed >> kRouteShift) & kRouteMask; }
};

// A time of a trip with whether the trip runs then.
struct TripTime {
    int minutes = 0;  // from midnight of the (mirrored) start day
    bool valid = false;
};

class cSpoje {
public:
    static constexpr std::uint16_t kNoDistance = 0x3FFF;
    static constexpr std::uint16_t kDistanceInOverflow = 0x3FFE;
    static constexpr int kMirrorDay = 0x7FFF;

    // Reads the trips section, the line tables at their place in it. Sends progress 43, 46, 50
    // and 55 and asks `observer` after each trip whether to stop; a stop leaves the trips read
    // so far. Every index read (stop, line, line name, calendar, note attachment, pattern,
    // validity entry, route record) is checked against its table, and every trip's stop range
    // against its route's run and its patterns (ENGINE_EXC_INDEX).
    void read(TimetableFileReader& reader, const cNazvy& names, const cPoznamky& notes,
              const cZastavky& stops, LoadObserver& observer);

    const cLinky& lines() const { return lines_; }
    const cKalendare& calendars() const { return calendars_; }
    const cVzoryCasu& patterns() const { return patterns_; }
    std::size_t tripCount() const { return trips_.size(); }
    std::size_t routeCount() const { return routes_.size(); }
    std::size_t validityCount() const { return validity_.size(); }
    std::size_t stopItemCount() const { return items_.size(); }
    // ENGINE_EXC_INDEX for an index out of range, here and in every operation below.
    // (Defined here: the connection search calls these for every event it handles.)
    const cSpoj& trip(std::size_t t) const {
        requireIndex(t < trips_.size());
        return trips_[t];
    }
    const cTrasaSpoje& route(std::size_t r) const {
        requireIndex(r < routes_.size());
        return routes_[r];
    }
    const cPlatnostSpoje& validity(std::size_t v) const {
        requireIndex(v < validity_.size());
        return validity_[v];
    }
    const cTrasaSpoje& routeOfTrip(std::size_t t) const { return route(trip(t).route()); }
    std::size_t stopCount(std::size_t t) const { return trip(t).stopCount; }
    std::size_t calendarOfTrip(std::size_t t) const { return validity(trip(t).validity).calendar; }
    std::size_t lineOfTrip(std::size_t t) const { return routeOfTrip(t).line; }

    // Minutes from midnight of the start day at a position (1440 or more on later days).
    int arrivalTime(std::size_t t, std::size_t position) const {
        const cSpoj& s = trip(t);
        requireIndex(position < s.stopCount);
        return s.startMinute() + patterns_.arrivalAt(s.arrivalPattern, position);
    }
    int departureTime(std::size_t t, std::size_t position) const {
        const cSpoj& s = trip(t);
        requireIndex(position < s.stopCount);
        return s.startMinute() + patterns_.departureAt(s.departurePattern, position);
    }
    // The same as a minute of day, 0 to 1439.
    int arrivalMinute(std::size_t t, std::size_t position) const;
    int departureMinute(std::size_t t, std::size_t position) const;
    // The time at a position of a trip seen on `day` (the day of that time): minutes from the
    // start day, and whether the trip's calendar holds on the day it started (day - 1 for
    // times of 1440 and more).
    TripTime departureOnDay(std::size_t t, std::size_t position, int day) const;
    TripTime arrivalOnDay(std::size_t t, std::size_t position, int day) const;
    bool runsOnStartDay(std::size_t t, int startDay) const;

    std::uint16_t stopAt(std::size_t t, std::size_t position) const {
        return static_cast<std::uint16_t>(items_[itemIndex(t, position)] >> 16);
    }
    bool canBoard(std::size_t t, std::size_t position) const {
        return (items_[itemIndex(t, position)] & kBoardingBit) != 0;
    }
    bool canAlight(std::size_t t, std::size_t position) const {
        return (items_[itemIndex(t, position)] & kAlightingBit) != 0;
    }

    // Mirrored forms for the arrival search, which runs trips backwards on minutes 1439 - m
    // and days 0x7FFF - d: position q of the mirrored trip is position stopCount - q - 1.
    std::size_t mirroredPosition(std::size_t t, std::size_t q) const;
    // 1439 - the arrival (departure) minute at the mirrored position. The mirrored search
    // boards where the real trip arrives, so it departs at the mirrored arrival.
    int mirroredArrivalMinute(std::size_t t, std::size_t q) const;
    int mirroredDepartureMinute(std::size_t t, std::size_t q) const;
    // The mirrored time on mirrored day `mirroredDay` (that of the event): minutes from
    // midnight of the mirrored start day (0x7FFF - the real start day; negative when the real
    // time lies on a later day than the start), and whether the trip's calendar holds on the
    // real day it started.
    TripTime mirroredArrivalFrom(std::size_t t, std::size_t q, int mirroredDay) const;
    TripTime mirroredDepartureFrom(std::size_t t, std::size_t q, int mirroredDay) const;

    // 0 when the trip may not be ridden within one stop group and every stop from position i
    // to j has the group value of the stop at i; else 1.
    int isRideAllowed(std::size_t t, std::size_t i, std::size_t j) const;
    // Distance of position n from the trip's first stop: the sum of the distance steps
    // between them (the step of a stop item is its distance from the item before it on the
    // route); -1 when a step is missing (or the sum does not fit). Multiplied by 1000 when the
    // route counts distances in thousands.
    std::int32_t distanceTo(std::size_t t, std::size_t n) const;

    // The display name of the trip's line with the marks of the trip's notes.
    std::string lineNameOfTrip(std::size_t t, const cVazbyPoznamek& notes) const;
    // The text of the validity note of the trip's calendar.
    std::string dateNoteOfTrip(std::size_t t, const cNazvy& names) const;
    // The trip's remarks, and those of the trip at one stop position (none when it has none).
    std::vector<std::uint16_t> tripNotes(std::size_t t, const cVazbyPoznamek& notes) const;
    std::vector<std::uint16_t> notesOfPassage(std::size_t t, std::size_t position,
                                              const cVazbyPoznamek& notes) const;
    // The trip's notes that are kinds (operator, line name, reservations, ...).
    std::vector<std::uint16_t> tripKindNotes(std::size_t t, const cVazbyPoznamek& notes) const;

private:
    static constexpr std::uint16_t kBoardingBit = 0x8000;
    static constexpr std::uint16_t kAlightingBit = 0x4000;
    static void requireIndex(bool inRange) {
        if (!inRange) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
    }
    std::size_t itemIndex(std::size_t t, std::size_t position) const {
        const cSpoj& s = trip(t);
        requireIndex(position < s.stopCount);
        const std::size_t along = s.reversed() ? s.stopCount - 1 - position : position;
        return routes_[s.route()].itemOffset + s.firstOffset + along;
    }
    std::int64_t distanceStep(std::size_t item) const;
    void readRoutes(TimetableFileReader& reader);
    void readValidity(TimetableFileReader& reader, std::size_t attachmentCount);
    void readStopItems(TimetableFileReader& reader, std::size_t stopCount,
                       std::size_t attachmentCount);
    void readTrip(TimetableFileReader& reader);
    void closeRouteRuns();

    cLinky lines_;
    std::vector<cTrasaSpoje> routes_;
    cKalendare calendars_;
    std::vector<cPlatnostSpoje> validity_;
    cVzoryCasu patterns_;
    // Stop item: stop index << 16 | packed value (bit 15 boarding, bit 14 alighting, 14-bit
    // distance step).
    std::vector<std::uint32_t> items_;
    // Passage notes: per item 0 (none) or 1 + an index in passageNoteTable_, which holds
    // attachment indexes. Empty when the file has no passage notes.
    std::vector<std::uint8_t> itemNotes_;
    std::vector<std::uint32_t> passageNoteTable_;
    // (stop item index, distance) for steps of 0x3FFE, ascending by index.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> overflow_;
    std::vector<cSpoj> trips_;
    // Group value of every stop, for the no-ride-within-one-group rule.
    std::vector<int> stopGroups_;
};

}  // namespace trasovnik
