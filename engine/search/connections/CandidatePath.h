#pragma once
// A candidate journey of the connection search as the legs it rides, and the rules that tidy
// and judge it before it may join the found connections: the first boarding and the last
// alighting move to the preferred stop of the From and To place along the same trip, a
// transfer inside a timetable that names its stops "place/stop" moves to the stop with the
// most general name, a walk between two stops of one name that a neighbouring stop of the same
// trip would shorten rules the journey out, and no leg may ride a trip only between stops of
// one group when the trip forbids it.
//
// Everything here works in the search's own direction: in an arrival search positions run
// backwards along the real trips and minutes are mirrored, so "boarding" is the real
// alighting and the From place is the real To place.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/search/results/SearchRequest.h"

namespace trasovnik {

class cJizdniRadySestavy;
class cParametryHledani;
class cSpoje;

// One ridden trip: boarded at `board` and left at `alight` (search positions), reached by
// walking `walkBefore` minutes from where the previous leg was left.
struct PathLeg {
    std::size_t tt = 0;
    std::uint32_t trip = 0;
    std::int32_t tripDay = 0;
    std::size_t board = 0;
    std::size_t alight = 0;
    std::uint8_t walkBefore = 0;
};

struct CandidatePath {
    std::size_t fromIndex = 0;  // the From candidate it leaves from
    std::size_t toIndex = 0;    // the To candidate it reaches
    std::vector<PathLeg> legs;  // in the order they are ridden in the search's direction
};

// A place of the run: its candidates and, per timetable and stop, the index of the candidate
// that marked the stop (-1 for a stop of no candidate).
struct RunPlace {
    const std::vector<cZastavkaZadani>* list = nullptr;
    const std::vector<std::vector<std::int32_t>>* index = nullptr;

    std::int32_t at(std::size_t tt, std::size_t stop) const { return (*index)[tt][stop]; }
    bool ownStop(std::int32_t i) const {
        return i >= 0 && (*list)[static_cast<std::size_t>(i)].walkMinutes == 0;
    }
};

class PathRules {
public:
    // `base` is the run's start as day × 1440 + minute in the search's direction.
    PathRules(const cJizdniRadySestavy& set, const cParametryHledani& params, bool mirrored,
              std::int64_t base, RunPlace from, RunPlace to);

    // Moves the first boarding back along the first trip to the From stop that comes first in
    // the From list; true when it moved. Only for a journey that boards at a stop of the From
    // place itself (not reached on foot) that is not a via stop.
    bool tidyFirstBoarding(CandidatePath& path) const;
    // Moves the last alighting forward along the last trip to the To stop that comes first in
    // the To list; true when it moved. Only for a journey that leaves at a stop of the To
    // place itself (not reached on foot) that is not a via stop.
    bool tidyLastAlighting(CandidatePath& path) const;
    // In timetables with header flag A, moves each transfer made at one stop to the stop of
    // the two trips' common section whose name has the earliest "/", as long as every
    // transfer still keeps its minimum minutes and its shortfall stays within `shortfall`;
    // true when a transfer moved.
    bool preferNamedTransfers(CandidatePath& path, std::int32_t shortfall) const;
    // True when some transfer walks between two different stops of one name although the trip
    // left there calls, just before or after, at a stop from which a shorter walk (or none)
    // reaches the same departure at least as comfortably.
    bool walksFurtherThanNeeded(const CandidatePath& path) const;
    // True when the journey comes back to a stop it has been at before (on an earlier leg, or
    // walking from or to its places), where it could have waited instead of going round.
    bool passesAStopTwice(const CandidatePath& path) const;
    // Whether the trip may be ridden from search position `q1` to `q2`.
    bool rideAllowed(std::size_t tt, std::uint32_t trip, std::size_t q1, std::size_t q2) const;

    // Minutes relative to the run's start at a position of a leg's trip.
    std::int32_t departure(const PathLeg& leg, std::size_t q) const;
    std::int32_t arrival(const PathLeg& leg, std::size_t q) const;

private:
    const cSpoje& trips(std::size_t tt) const;
    std::size_t realPosition(std::size_t tt, std::uint32_t t, std::size_t q) const;
    std::uint16_t stopOf(std::size_t tt, std::uint32_t t, std::size_t q) const;
    bool mayBoard(std::size_t tt, std::uint32_t t, std::size_t q) const;
    bool mayAlight(std::size_t tt, std::uint32_t t, std::size_t q) const;
    bool isVia(std::size_t tt, std::size_t stop) const;
    std::string_view stopName(std::size_t tt, std::size_t stop) const;
    // Walking minutes of the link from one stop to another of the same timetable, -1 when none.
    int walkLink(std::size_t tt, std::uint16_t from, std::uint16_t to) const;

    const cJizdniRadySestavy& set_;
    const cParametryHledani& params_;
    bool mirrored_;
    std::int64_t base_;
    RunPlace from_;
    RunPlace to_;
};

// The length of the part of a stop name that names its place: up to the first "/", or the
// whole name when it has none. Shorter is the more general name.
std::size_t placePartLength(std::string_view name);

}  // namespace trasovnik
