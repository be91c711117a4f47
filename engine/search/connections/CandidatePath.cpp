#include "engine/search/connections/CandidatePath.h"

#include <algorithm>

#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/results/SearchParameters.h"

namespace trasovnik {
namespace {

constexpr int kMinutesPerDay = 1440;
// Looking along a trip for a better stop of a place gives up at the third stop that belongs
// to no candidate of the place.
constexpr int kMaxOtherStops = 3;

}  // namespace

std::size_t placePartLength(std::string_view name) {
    const std::size_t slash = name.find('/');
    return slash == std::string_view::npos ? name.size() : slash;
}

PathRules::PathRules(const cJizdniRadySestavy& set, const cParametryHledani& params, bool mirrored,
                     std::int64_t base, RunPlace from, RunPlace to)
    : set_(set), params_(params), mirrored_(mirrored), base_(base), from_(from), to_(to) {}

const cSpoje& PathRules::trips(std::size_t tt) const {
    return set_.timetable(tt).trips;
}

std::size_t PathRules::realPosition(std::size_t tt, std::uint32_t t, std::size_t q) const {
    return mirrored_ ? trips(tt).stopCount(t) - 1 - q : q;
}

std::uint16_t PathRules::stopOf(std::size_t tt, std::uint32_t t, std::size_t q) const {
    return trips(tt).stopAt(t, realPosition(tt, t, q));
}

bool PathRules::mayBoard(std::size_t tt, std::uint32_t t, std::size_t q) const {
    const std::size_t r = realPosition(tt, t, q);
    return mirrored_ ? trips(tt).canAlight(t, r) : trips(tt).canBoard(t, r);
}

bool PathRules::mayAlight(std::size_t tt, std::uint32_t t, std::size_t q) const {
    const std::size_t r = realPosition(tt, t, q);
    return mirrored_ ? trips(tt).canBoard(t, r) : trips(tt).canAlight(t, r);
}

bool PathRules::isVia(std::size_t tt, std::size_t stop) const {
    return (params_.record(tt).stopFlags.at(stop) & kStopVia) != 0;
}

std::string_view PathRules::stopName(std::size_t tt, std::size_t stop) const {
    const cJizdniRad& jr = set_.timetable(tt);
    return jr.stops.name(jr.names, stop);
}

int PathRules::walkLink(std::size_t tt, std::uint16_t from, std::uint16_t to) const {
    int best = -1;
    for (const cPesiPrechod& w : set_.timetable(tt).stops.walkingLinks(from)) {
        if (w.stop == to && (best < 0 || w.minutes < best)) {
            best = w.minutes;
        }
    }
    return best;
}

bool PathRules::rideAllowed(std::size_t tt, std::uint32_t trip, std::size_t q1,
                            std::size_t q2) const {
    // The rule looks at the stops between the two positions, so the direction does not matter.
    const std::size_t r1 = realPosition(tt, trip, q1);
    const std::size_t r2 = realPosition(tt, trip, q2);
    return trips(tt).isRideAllowed(trip, std::min(r1, r2), std::max(r1, r2)) != 0;
}

std::int32_t PathRules::departure(const PathLeg& leg, std::size_t q) const {
    const cSpoje& s = trips(leg.tt);
    const int tau = mirrored_ ? 1439 - s.arrivalTime(leg.trip, s.stopCount(leg.trip) - 1 - q)
                              : s.departureTime(leg.trip, q);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(leg.tripDay) * kMinutesPerDay + tau -
                                     base_);
}

std::int32_t PathRules::arrival(const PathLeg& leg, std::size_t q) const {
    const cSpoje& s = trips(leg.tt);
    const int tau = mirrored_ ? 1439 - s.departureTime(leg.trip, s.stopCount(leg.trip) - 1 - q)
                              : s.arrivalTime(leg.trip, q);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(leg.tripDay) * kMinutesPerDay + tau -
                                     base_);
}

bool PathRules::tidyFirstBoarding(CandidatePath& path) const {
    if (path.legs.empty() || !from_.ownStop(static_cast<std::int32_t>(path.fromIndex))) {
        return false;
    }
    PathLeg& first = path.legs.front();
    const std::size_t tt = first.tt;
    if (isVia(tt, stopOf(tt, first.trip, first.board))) {
        return false;  // the journey may meet its via condition by starting there
    }
    std::size_t best = first.board;
    auto bestIndex = static_cast<std::int32_t>(path.fromIndex);
    int others = 0;
    for (std::size_t q = first.board; q-- > 0 && others < kMaxOtherStops;) {
        const std::int32_t fi = from_.at(tt, stopOf(tt, first.trip, q));
        if (fi < 0) {
            ++others;
            continue;
        }
        if (departure(first, q) < 0) {
            break;  // boarding there would start before the requested minute
        }
        // Only stops of the place itself: moving onto a stop reached on foot would add a walk.
        if (!from_.ownStop(fi) || fi >= bestIndex || !mayBoard(tt, first.trip, q) ||
            !rideAllowed(tt, first.trip, q, first.alight)) {
            continue;
        }
        best = q;
        bestIndex = fi;
    }
    if (best == first.board) {
        return false;
    }
    first.board = best;
    path.fromIndex = static_cast<std::size_t>(bestIndex);
    return true;
}

bool PathRules::tidyLastAlighting(CandidatePath& path) const {
    if (path.legs.empty() || !to_.ownStop(static_cast<std::int32_t>(path.toIndex))) {
        return false;
    }
    PathLeg& last = path.legs.back();
    const std::size_t tt = last.tt;
    if (isVia(tt, stopOf(tt, last.trip, last.alight))) {
        return false;  // the journey may meet its via condition by ending there
    }
    const std::size_t n = trips(tt).stopCount(last.trip);
    std::size_t best = last.alight;
    auto bestIndex = static_cast<std::int32_t>(path.toIndex);
    int others = 0;
    for (std::size_t q = last.alight + 1; q < n && others < kMaxOtherStops; ++q) {
        const std::int32_t ti = to_.at(tt, stopOf(tt, last.trip, q));
        if (ti < 0) {
            ++others;
            continue;
        }
        if (!to_.ownStop(ti) || ti >= bestIndex || !mayAlight(tt, last.trip, q) ||
            !rideAllowed(tt, last.trip, last.board, q)) {
            continue;
        }
        best = q;
        bestIndex = ti;
    }
    if (best == last.alight) {
        return false;
    }
    last.alight = best;
    path.toIndex = static_cast<std::size_t>(bestIndex);
    return true;
}

bool PathRules::preferNamedTransfers(CandidatePath& path, std::int32_t shortfall) const {
    bool changed = false;
    for (std::size_t k = 0; k + 1 < path.legs.size(); ++k) {
        PathLeg& a = path.legs[k];
        PathLeg& b = path.legs[k + 1];
        if (a.tt != b.tt || b.walkBefore != 0 || set_.timetable(a.tt).header.flagA == 0) {
            continue;
        }
        const std::size_t tt = a.tt;
        const std::uint16_t here = stopOf(tt, a.trip, a.alight);
        if (here != stopOf(tt, b.trip, b.board) || isVia(tt, here)) {
            continue;
        }
        const cParametryHledaniRadu& p = params_.record(tt);
        std::size_t bestKey = placePartLength(stopName(tt, here));
        std::size_t bestA = a.alight, bestB = b.board;
        const std::size_t na = trips(tt).stopCount(a.trip);
        for (std::size_t qa = a.board + 1; qa < na; ++qa) {
            const std::uint16_t stop = stopOf(tt, a.trip, qa);
            const std::size_t key = placePartLength(stopName(tt, stop));
            if (key >= bestKey || !mayAlight(tt, a.trip, qa) ||
                !rideAllowed(tt, a.trip, a.board, qa)) {
                continue;
            }
            const std::int32_t arrived = arrival(a, qa);
            for (std::size_t qb = 0; qb < b.alight; ++qb) {
                if (stopOf(tt, b.trip, qb) != stop || !mayBoard(tt, b.trip, qb) ||
                    !rideAllowed(tt, b.trip, qb, b.alight)) {
                    continue;
                }
                // The transfer keeps its minimum minutes and adds no shortfall beyond the
                // journey's, so the journey's rank stays what it was.
                const std::int32_t waited = departure(b, qb) - arrived;
                if (waited < p.minimumTransfer || p.safeTransfer - waited > shortfall) {
                    continue;
                }
                bestKey = key;
                bestA = qa;
                bestB = qb;
                break;
            }
        }
        if (bestA != a.alight) {
            a.alight = bestA;
            b.board = bestB;
            changed = true;
        }
    }
    return changed;
}

bool PathRules::walksFurtherThanNeeded(const CandidatePath& path) const {
    for (std::size_t k = 0; k + 1 < path.legs.size(); ++k) {
        const PathLeg& a = path.legs[k];
        const PathLeg& b = path.legs[k + 1];
        if (a.tt != b.tt || b.walkBefore == 0) {
            continue;
        }
        const std::size_t tt = a.tt;
        const std::uint16_t left = stopOf(tt, a.trip, a.alight);
        const std::uint16_t boarded = stopOf(tt, b.trip, b.board);
        if (left == boarded || isVia(tt, left)) {
            continue;
        }
        const std::string_view leftName = stopName(tt, left);
        const std::string_view boardedName = stopName(tt, boarded);
        if (leftName.substr(0, placePartLength(leftName)) !=
            boardedName.substr(0, placePartLength(boardedName))) {
            continue;
        }
        const cParametryHledaniRadu& p = params_.record(tt);
        const std::int32_t departs = departure(b, b.board);
        const std::int32_t shortfall =
            std::max(0, p.safeTransfer - (departs - arrival(a, a.alight) - b.walkBefore));
        const std::size_t na = trips(tt).stopCount(a.trip);
        for (const std::size_t q : {a.alight - 1, a.alight + 1}) {
            if (q <= a.board || q >= na || !mayAlight(tt, a.trip, q) ||
                !rideAllowed(tt, a.trip, a.board, q)) {
                continue;
            }
            const std::uint16_t next = stopOf(tt, a.trip, q);
            if (isVia(tt, next)) {
                continue;
            }
            const int walk = next == boarded ? 0 : walkLink(tt, next, boarded);
            if (walk < 0 || walk >= b.walkBefore) {
                continue;
            }
            // The same departure must be reached with the transfer minutes that apply there,
            // and with no more shortfall than the walk from the stop left.
            const int need = next == boarded ? p.minimumTransfer : walk;
            const std::int32_t arrived = arrival(a, q);
            if (arrived + need > departs ||
                std::max(0, p.safeTransfer - (departs - arrived - walk)) > shortfall) {
                continue;
            }
            return true;
        }
    }
    return false;
}

}  // namespace trasovnik
