// The walk between the places of a search run: when a walking link joins a stop of the From
// place to one of the To place, walking there is a connection of its own, with one walking
// leg and no trip. It is judged by the same ranking and selection as the journeys that ride.

#include "engine/search/connections/RunSearcher.h"

#include <string>

#include "engine/search/connections/Ranking.h"

namespace trasovnik::searchrun {
namespace {

// The stop a candidate of a place is walked to from, or the candidate's own stop.
std::int32_t walkEnd(const cZastavkaZadani& c) {
    return c.walkMinutes != 0 ? c.sourceStop : c.stop;
}

}  // namespace

void Searcher::offerWalk() {
    std::int32_t bestFrom = -1, bestTo = -1, bestMinutes = 0;
    for (std::size_t f = 0; f < work_.from.size(); ++f) {
        const cZastavkaZadani& from = work_.from[f];
        for (std::size_t t = 0; t < work_.to.size(); ++t) {
            const cZastavkaZadani& to = work_.to[t];
            // One link: the stop is a place's own stop and a linked stop of the other place.
            if (from.timetable != to.timetable || from.stop != to.stop ||
                (from.walkMinutes != 0 && to.walkMinutes != 0)) {
                continue;
            }
            const cZastavkaZadani& walked = from.walkMinutes != 0 ? from : to;
            const std::int32_t minutes = walked.walkMinutes;
            // The leg names both its stops in one timetable.
            if (minutes == 0 || walked.sourceTimetable != walked.timetable ||
                walked.sourceStop < 0) {
                continue;
            }
            if (bestFrom < 0 || minutes < bestMinutes) {
                bestFrom = static_cast<std::int32_t>(f);
                bestTo = static_cast<std::int32_t>(t);
                bestMinutes = minutes;
            }
        }
    }
    if (bestFrom < 0) {
        return;
    }
    const cZastavkaZadani& from = work_.from[static_cast<std::size_t>(bestFrom)];
    Candidate c;
    c.fromIndex = bestFrom;
    c.toIndex = bestTo;
    c.start = 0;
    c.arrival = bestMinutes;
    c.o = bestMinutes;
    c.m = bestMinutes;
    c.bus = combination_.timetable(static_cast<std::size_t>(from.timetable)).header.notBusFlag == 0;
    c.rank = rankOf(c.o, c.g, c.h, c.l, c.m);
    c.cls = kNoClass;
    if (accepted(Journey{c.start, c.o, c.g, c.h, c.l, c.m, c.rank, c.sc, c.bus})) {
        admit(std::move(c));
    }
}

BuiltConnection Searcher::buildWalk(const Candidate& c, const cZadaniHledani& realRequest) const {
    const cZastavkaZadani& searchFrom = work_.from.at(static_cast<std::size_t>(c.fromIndex));
    const cZastavkaZadani& searchTo = work_.to.at(static_cast<std::size_t>(c.toIndex));
    const cZastavkaZadani& realFrom = mirrored_ ? searchTo : searchFrom;
    const cZastavkaZadani& realTo = mirrored_ ? searchFrom : searchTo;
    // The request's minute is the departure, or in an arrival search the arrival.
    const std::int64_t requested =
        static_cast<std::int64_t>(realRequest.day) * kMinutesPerDay + realRequest.minute;
    const std::int64_t departure = mirrored_ ? requested - c.o : requested;
    const std::int64_t arrival = departure + c.o;
    cUsekSpojeni walk{};
    walk.departureMinute =
        static_cast<std::int16_t>(departure - floorDiv(departure, kMinutesPerDay) * kMinutesPerDay);
    walk.departureDay = static_cast<std::int16_t>(floorDiv(departure, kMinutesPerDay));
    walk.arrivalMinute =
        static_cast<std::int16_t>(arrival - floorDiv(arrival, kMinutesPerDay) * kMinutesPerDay);
    walk.arrivalDay = static_cast<std::int16_t>(floorDiv(arrival, kMinutesPerDay));
    walk.departureSlot = cUsekSpojeni::kWalkingSlot;
    walk.distance = -1;
    walk.rideMinutes = c.o;
    walk.timetable = static_cast<std::uint8_t>(realFrom.timetable);
    walk.boardStop = static_cast<std::uint16_t>(walkEnd(realFrom));
    walk.alightStop = static_cast<std::uint16_t>(walkEnd(realTo));
    walk.walkTimetable = walk.timetable;
    walk.walkStop = walk.alightStop;
    walk.walkMinutes = static_cast<std::uint8_t>(c.o);
    BuiltConnection out;
    out.legs.push_back(walk);
    out.lineNames.emplace_back();
    out.elapsedMinutes = c.o;
    return out;
}

}  // namespace trasovnik::searchrun
