#pragma once
// The boardable departures of a timetable file's stops, in the direction of a search (real
// time, or mirrored time for arrival searches), ordered by minute of day and grouped by route.
// It depends only on the file, so it is built once per stop on first use and kept for every
// later search over the file; what changes from run to run (the usable trips of the
// parameters, the days a trip runs) is checked by the search as it reads it.
//
// A transfer wants, per group, the first departure after some minute: the groups let it find
// that with one binary search per group instead of walking every departure of a busy stop for
// hours ahead. A group holds the departures of trips that ride the same stops of one route
// record in the same direction, so that, unless one overtakes another, the first of them
// takes the traveller everywhere the later ones do, and sooner. Trips of opposite directions
// (or over different parts of a route record) share a route record but never a group.

#include <cstdint>
#include <memory>
#include <vector>

namespace trasovnik {

class cJizdniRad;

// Twelve bytes, as a busy network has millions of them.
struct StopDeparture {
    std::uint16_t minuteOfDay;  // departure minute in the search's direction, 0 to 1439
    std::int8_t daysBack;       // the trip started this many days before the event's day
                                // (below 0 in mirrored time: the trip's mirrored day is later)
    std::uint8_t position;      // stop position in the search's direction
    std::uint32_t trip;
    std::uint16_t group;  // index in StopDepartures::groups
};

// A departure of a group: its minute (searched without reaching into `all`) and its place
// in StopDepartures::all (a stop has at most 65535 passages).
struct GroupPlace {
    std::uint16_t minuteOfDay;
    std::uint16_t place;
};

struct GroupDepartures {
    std::uint32_t begin, end;  // range of StopDepartures::byGroup
    // How much longer the slowest departure of the group rides from the stop to the trip's
    // last stop than the fastest: a departure that many minutes or more after another never
    // reaches the last stop before it, so it cannot overtake it.
    std::int32_t rideSpread = 0;
};

struct StopDepartures {
    std::vector<StopDeparture> all;  // by minute of day, equal minutes in passage order
    // The departures by group, then as in `all` (ties of a minute keep its order).
    std::vector<GroupPlace> byGroup;
    std::vector<GroupDepartures> groups;
};

class StopDepartureIndex {
public:
    // `mirrored`: positions, minutes and boarding rights of the trips run backwards, as an
    // arrival search sees them.
    // The file must outlive the index.
    StopDepartureIndex(const cJizdniRad& file, bool mirrored);

    // The stop's departures, gathered on the first call. A stop outside the file raises
    // ENGINE_EXC_INDEX.
    const StopDepartures& of(std::uint16_t stop);

    const cJizdniRad& file() const { return *file_; }
    bool mirrored() const { return mirrored_; }

private:
    const cJizdniRad* file_;
    bool mirrored_;
    std::vector<std::unique_ptr<StopDepartures>> stops_;
};

// The indexes of the files a searcher has met, by file and direction. A file that was released
// drops its indexes at the next lookup (a new file may come at the same address).
class StopDepartureIndexes {
public:
    StopDepartureIndex& of(const std::shared_ptr<const cJizdniRad>& file, bool mirrored);

private:
    struct Entry {
        std::weak_ptr<const cJizdniRad> file;  // not kept alive by the index
        bool mirrored;
        std::unique_ptr<StopDepartureIndex> index;
    };
    std::vector<Entry> entries_;
};

}  // namespace trasovnik
