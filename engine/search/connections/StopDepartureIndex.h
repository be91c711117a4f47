#pragma once
// The boardable departures of a timetable file's stops, in the direction of a search (real
// time, or mirrored time for arrival searches), grouped by route. It depends only on the file,
// so it is built once, for every stop, while the file loads (FileSearchTables), and read by
// every search over it; what changes from run to run (the usable trips of the parameters, the
// days a trip runs) is checked by the search as it reads it.
//
// It is kept small by storing the trips, not their stop events: a route variant (the trips of
// one route record over the same stops in the same direction) splits into streams of trips
// that keep the same times (the same time patterns), and within a stream the trips depart
// every one of their stops in the order of their start minutes. A stream's trips are stored
// once, in that order; a stop lists the streams that call there (a call: the stream, the
// position and the minute after the trip's start at which it departs there). A departure at
// a stop is then a trip of a call's stream, found by binary search on the start minutes.
//
// A group of a stop holds the calls of one route variant, so that, unless one overtakes
// another, the first of its departures takes the traveller everywhere the later ones do, and
// sooner. Trips of opposite directions (or over different parts of a route record) share a
// route record but never a group.
//
// Departures at one stop and minute come in the order of the stop's passages. The passages
// of files written by the project's compiler are ordered by departure minute of day, trip and
// position, which `tieOf` gives without a table; for any other order the index keeps each
// stop event's passage slot.

#include <cstdint>
#include <span>
#include <vector>

namespace trasovnik {

class cJizdniRad;

class StopDepartureIndex {
public:
    // A stream at a stop. The trip at place i of the stream departs there at minute
    // offset + keys()[i] of the day it starts on (in the search's direction: a mirrored
    // minute in an arrival search).
    struct Call {
        std::uint32_t begin, end;  // the stream: range of trips() and keys()
        std::int32_t offset;
        std::int32_t ride;  // minutes from the departure to the trip's last stop
        // The real departure minute at the stop is realOffset + the trip's start minute.
        std::int32_t realOffset;
        std::uint8_t position;      // stop position in the search's direction
        std::uint8_t realPosition;  // the same on the real trip
    };
    // The calls of one route variant at a stop.
    struct Group {
        std::uint32_t begin, end;  // range of calls
        // How much longer the slowest departure of the group rides from the stop to the trip's
        // last stop than the fastest: a departure that many minutes or more after another
        // never reaches the last stop before it, so it cannot overtake it.
        std::int32_t rideSpread;
    };

    // `mirrored`: positions, minutes and boarding rights of the trips run backwards, as an
    // arrival search sees them. The file must outlive the index.
    StopDepartureIndex(const cJizdniRad& file, bool mirrored);
    // The same when it is known whether the file's passages are in the compiler's order
    // (passagesInCompilerOrder), which both directions share.
    StopDepartureIndex(const cJizdniRad& file, bool mirrored, bool compilerOrder);
    // Whether every stop's passages run by departure minute of day, then trip, then position.
    static bool passagesInCompilerOrder(const cJizdniRad& file);

    // The groups of a stop; ENGINE_EXC_INDEX for a stop outside the file.
    std::span<const Group> groupsAt(std::uint16_t stop) const;
    std::span<const Call> callsOf(const Group& g) const {
        return {calls_.data() + g.begin, calls_.data() + g.end};
    }
    // The trips of all streams, stream by stream, each in departure order; and their keys:
    // the start minute in real time, its negation in mirrored time.
    const std::vector<std::uint32_t>& trips() const { return trips_; }
    const std::vector<std::int16_t>& keys() const { return keys_; }
    // The earliest and the latest departure minute of the call's stream.
    std::int32_t firstMinute(const Call& c) const { return c.offset + keys_[c.begin]; }
    std::int32_t lastMinute(const Call& c) const { return c.offset + keys_[c.end - 1]; }
    // Orders two departures at the same stop and minute: the lower one comes first. `place` is
    // the trip's place in trips() of call `c`.
    std::uint64_t tieOf(const Call& c, std::uint32_t place) const;

    const cJizdniRad& file() const { return *file_; }
    bool mirrored() const { return mirrored_; }
    // Bytes the index holds.
    std::size_t bytes() const;

private:
    const cJizdniRad* file_;
    bool mirrored_;
    std::vector<std::uint32_t> trips_;
    std::vector<std::int16_t> keys_;
    std::vector<Call> calls_;
    std::vector<Group> groups_;
    std::vector<std::uint32_t> groupBegin_;  // per stop, and the end
    // Only for passages not in the compiler's order: per trip its first stop event, and per
    // stop event (trip's first + real position) its slot in the stop's passages.
    std::vector<std::uint32_t> firstEvent_;
    std::vector<std::uint16_t> slots_;
};

}  // namespace trasovnik
