// The result of a search run: the selected connections built in real time and real order,
// with the walks between their legs and to and from the places searched.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>
#include <string>

namespace trasovnik::searchrun {

BuiltConnection Searcher::buildConnection(const Candidate& c) {
    struct SearchLeg {
        std::size_t tt;
        std::uint32_t trip;
        std::int32_t tripDay;
        std::size_t board, alight;  // search positions
        std::uint8_t walkBefore;
    };
    std::vector<SearchLeg> legs;
    std::size_t alight = c.alightPosition;
    const PathNode* origin = nullptr;
    for (const PathNode* b = c.node; b != nullptr;) {
        legs.push_back(SearchLeg{b->tt, b->trip, b->tripDay, b->position, alight, b->walk});
        const PathNode* a = b->parent;
        if (a->kind == PathNode::kOrigin) {
            origin = a;
            break;
        }
        alight = a->position;
        b = a->parent;
    }
    std::reverse(legs.begin(), legs.end());
    const cZastavkaZadani& searchFrom = work_.from.at(origin->position);
    const cZastavkaZadani& searchTo = work_.to.at(static_cast<std::size_t>(c.toIndex));
    const cZastavkaZadani& realFrom = mirrored_ ? searchTo : searchFrom;
    const cZastavkaZadani& realTo = mirrored_ ? searchFrom : searchTo;

    BuiltConnection out;
    const std::size_t count = legs.size();
    std::vector<cUsekSpojeni> real;
    for (std::size_t j = 0; j < count; ++j) {
        const SearchLeg& sl = mirrored_ ? legs[count - 1 - j] : legs[j];
        const cJizdniRad& jr = combination_.timetable(sl.tt);
        const cSpoje& s = jr.trips;
        const std::size_t n = s.stopCount(sl.trip);
        const std::size_t rb = mirrored_ ? n - 1 - sl.alight : sl.board;
        const std::size_t ra = mirrored_ ? n - 1 - sl.board : sl.alight;
        const std::int64_t day = mirrored_ ? kMirrorDay - sl.tripDay : sl.tripDay;
        const std::uint16_t boardStop = s.stopAt(sl.trip, rb);
        const std::uint16_t alightStop = s.stopAt(sl.trip, ra);
        const std::int64_t dep =
            day * kMinutesPerDay + s.departureTime(sl.trip, rb) + shiftOf(sl.tt, boardStop);
        const std::int64_t arr =
            day * kMinutesPerDay + s.arrivalTime(sl.trip, ra) + shiftOf(sl.tt, alightStop);
        cUsekSpojeni leg{};
        leg.trip = sl.trip;
        leg.boardPosition = static_cast<std::uint8_t>(rb);
        leg.alightPosition = static_cast<std::uint8_t>(ra);
        leg.departureMinute = static_cast<std::int16_t>(((dep % 1440) + 1440) % 1440);
        leg.departureDay = static_cast<std::int16_t>(floorDiv(dep, 1440));
        leg.arrivalMinute = static_cast<std::int16_t>(((arr % 1440) + 1440) % 1440);
        leg.arrivalDay = static_cast<std::int16_t>(floorDiv(arr, 1440));
        const std::uint32_t slot =
            jr.passages.findPassage(boardStop, sl.trip, static_cast<std::uint8_t>(rb));
        leg.departureSlot = static_cast<std::uint16_t>(
            slot == cPrujezdyZastavek::kNoPassage ? cUsekSpojeni::kWalkingSlot - 1 : slot);
        const std::int32_t d1 = s.distanceTo(sl.trip, rb);
        const std::int32_t d2 = s.distanceTo(sl.trip, ra);
        leg.distance = (d1 < 0 || d2 < 0) ? -1 : d2 - d1;
        leg.rideMinutes = static_cast<std::int32_t>(arr - dep);
        leg.timetable = static_cast<std::uint8_t>(sl.tt);
        leg.boardStop = boardStop;
        leg.alightStop = alightStop;
        leg.walkTimetable = static_cast<std::uint8_t>(sl.tt);
        leg.walkStop = alightStop;
        leg.walkMinutes = cUsekSpojeni::kNoWalkLink;
        real.push_back(leg);
        out.lineNames.push_back(s.lineNameOfTrip(sl.trip, jr.noteLinks()));
    }
    // Walks between legs: the walk from real leg j to leg j + 1 is kept on the search leg
    // boarded after it (in the mirrored search that is the leg that comes first in reality).
    for (std::size_t j = 0; j + 1 < count; ++j) {
        const std::uint8_t walk =
            mirrored_ ? legs[count - 1 - j].walkBefore : legs[j + 1].walkBefore;
        cUsekSpojeni& leg = real[j];
        const cUsekSpojeni& next = real[j + 1];
        leg.walkTimetable = next.timetable;
        leg.walkStop = next.boardStop;
        if (next.timetable != leg.timetable || next.boardStop != leg.alightStop) {
            leg.walkMinutes = walk;
        }
    }
    if (realTo.walkMinutes != 0) {
        cUsekSpojeni& last = real.back();
        last.walkMinutes = realTo.walkMinutes;
        if (realTo.sourceTimetable >= 0 && realTo.sourceStop >= 0) {
            last.walkTimetable = static_cast<std::uint8_t>(realTo.sourceTimetable);
            last.walkStop = static_cast<std::uint16_t>(realTo.sourceStop);
        }
    }
    out.finalWalkMinutes = realTo.walkMinutes;
    {
        // Elapsed time on the timetables' own clock, without the stops' shifts.
        const SearchLeg& firstLeg = mirrored_ ? legs.back() : legs.front();
        const SearchLeg& lastLeg = mirrored_ ? legs.front() : legs.back();
        const cSpoje& fs = trips(firstLeg.tt);
        const cSpoje& ls = trips(lastLeg.tt);
        const std::size_t fn = fs.stopCount(firstLeg.trip);
        const std::size_t ln = ls.stopCount(lastLeg.trip);
        const std::int64_t fday = mirrored_ ? kMirrorDay - firstLeg.tripDay : firstLeg.tripDay;
        const std::int64_t lday = mirrored_ ? kMirrorDay - lastLeg.tripDay : lastLeg.tripDay;
        const std::int64_t dep =
            fday * kMinutesPerDay +
            fs.departureTime(firstLeg.trip, mirrored_ ? fn - 1 - firstLeg.alight : firstLeg.board);
        const std::int64_t arr =
            lday * kMinutesPerDay +
            ls.arrivalTime(lastLeg.trip, mirrored_ ? ln - 1 - lastLeg.board : lastLeg.alight);
        out.elapsedMinutes =
            static_cast<std::int32_t>(arr - dep + realFrom.walkMinutes + realTo.walkMinutes);
    }
    if (realFrom.walkMinutes != 0) {
        const cUsekSpojeni& first = real.front();
        cUsekSpojeni walk{};
        const std::int64_t dep =
            static_cast<std::int64_t>(first.departureDay) * 1440 + first.departureMinute;
        const std::int64_t start = dep - realFrom.walkMinutes;
        walk.departureMinute = static_cast<std::int16_t>(((start % 1440) + 1440) % 1440);
        walk.departureDay = static_cast<std::int16_t>(floorDiv(start, 1440));
        walk.arrivalMinute = first.departureMinute;
        walk.arrivalDay = first.departureDay;
        walk.departureSlot = cUsekSpojeni::kWalkingSlot;
        walk.distance = -1;
        walk.rideMinutes = realFrom.walkMinutes;
        walk.timetable = first.timetable;
        walk.boardStop = first.boardStop;
        if (realFrom.sourceTimetable == first.timetable && realFrom.sourceStop >= 0) {
            walk.boardStop = static_cast<std::uint16_t>(realFrom.sourceStop);
        }
        walk.alightStop = first.boardStop;
        walk.walkTimetable = first.timetable;
        walk.walkStop = first.boardStop;
        walk.walkMinutes = realFrom.walkMinutes;
        real.insert(real.begin(), walk);
        out.lineNames.insert(out.lineNames.begin(), std::string());
    }
    out.legs = std::move(real);
    return out;
}

std::unique_ptr<cVysledekHledani> Searcher::buildResult(const cZadaniHledani& realRequest) {
    auto result = std::make_unique<cVysledekHledani>();
    for (const std::size_t i : found_.selected) {
        const Candidate& c = found_.candidates[i];
        if (c.start > standardWindow_) {
            continue;
        }
        result->addConnection(c.node != nullptr ? buildConnection(c) : buildWalk(c, realRequest));
    }
    result->request = realRequest;
    result->focus = 0;
    result->finish();
    return result;
}

}  // namespace trasovnik::searchrun
