// Journeys that come back to a stop they have already been at. Such a journey is never better
// than the same journey with the loop cut out: the traveller could have stayed at the stop and
// boarded there what the journey boards on its later visit, or left there what it leaves at
// the later visit. Passing a stop twice on one trip is a loop only where cutting it does not
// mean leaving the vehicle and boarding it again: it is boarded at the first visit or left at
// the second.

#include <algorithm>
#include <vector>

#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/connections/CandidatePath.h"

namespace trasovnik {
namespace {

// One stop of a journey, in the journey's order: whether the traveller could leave the journey
// there (`leave`) or join it again there (`join`), on which leg (the walk before the first
// leg is leg 0, the legs are 1 to n, the walk after the last is n + 1), and whether it is
// where that leg boards or is left.
struct Visit {
    std::uint32_t stop;  // timetable × 65536 + stop
    std::int32_t order;
    std::int32_t leg;
    bool leave, join;
    bool boards, alights;
};

std::uint32_t stopKey(std::size_t tt, std::size_t stop) {
    return static_cast<std::uint32_t>((tt << 16) | stop);
}

}  // namespace

bool PathRules::passesAStopTwice(const CandidatePath& path) const {
    std::vector<Visit> visits;
    auto add = [&](std::uint32_t stop, std::int32_t leg, bool leave, bool join, bool boards,
                   bool alights) {
        visits.push_back(Visit{stop, static_cast<std::int32_t>(visits.size()), leg, leave, join,
                               boards, alights});
    };
    const cZastavkaZadani& from = from_.list->at(path.fromIndex);
    if (from.walkMinutes != 0 && from.sourceTimetable >= 0 && from.sourceStop >= 0) {
        add(stopKey(static_cast<std::size_t>(from.sourceTimetable),
                    static_cast<std::size_t>(from.sourceStop)),
            0, true, false, true, false);
    }
    for (std::size_t i = 0; i < path.legs.size(); ++i) {
        const PathLeg& leg = path.legs[i];
        const auto legNumber = static_cast<std::int32_t>(i + 1);
        // A change at one stop is one visit, made where the next leg boards.
        std::size_t last = leg.alight;
        if (i + 1 < path.legs.size()) {
            const PathLeg& next = path.legs[i + 1];
            if (next.tt == leg.tt &&
                stopOf(next.tt, next.trip, next.board) == stopOf(leg.tt, leg.trip, leg.alight)) {
                --last;
            }
        }
        for (std::size_t q = leg.board; q <= last; ++q) {
            const bool boards = q == leg.board;
            const bool alights = q == leg.alight;
            add(stopKey(leg.tt, stopOf(leg.tt, leg.trip, q)), legNumber,
                boards || alights || mayAlight(leg.tt, leg.trip, q),
                boards || alights || mayBoard(leg.tt, leg.trip, q), boards, alights);
        }
    }
    const cZastavkaZadani& to = to_.list->at(path.toIndex);
    if (to.walkMinutes != 0 && to.sourceTimetable >= 0 && to.sourceStop >= 0) {
        add(stopKey(static_cast<std::size_t>(to.sourceTimetable),
                    static_cast<std::size_t>(to.sourceStop)),
            static_cast<std::int32_t>(path.legs.size() + 1), false, true, false, true);
    }
    std::sort(visits.begin(), visits.end(), [](const Visit& a, const Visit& b) {
        return a.stop != b.stop ? a.stop < b.stop : a.order < b.order;
    });
    for (std::size_t i = 0; i < visits.size(); ++i) {
        for (std::size_t j = i + 1; j < visits.size() && visits[j].stop == visits[i].stop; ++j) {
            const Visit& first = visits[i];
            const Visit& second = visits[j];
            if (first.leave && second.join &&
                (first.leg != second.leg || first.boards || second.alights)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace trasovnik
