// Candidate paths of a search run: reading a found journey's path from the path store,
// tidying it by the path rules and storing the tidied path, and the checks on rides within a
// stop group and on candidates that ride the same trips.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>

#include "engine/search/connections/Ranking.h"

namespace trasovnik::searchrun {

PathRules& Searcher::rules() {
    if (!rules_) {
        rules_.emplace(combination_, params_, mirrored_, base_, RunPlace{&work_.from, &fromIndex_},
                       RunPlace{&work_.to, &toIndex_});
    }
    return *rules_;
}

CandidatePath Searcher::pathOf(const Candidate& c) const {
    CandidatePath path;
    path.toIndex = static_cast<std::size_t>(c.toIndex);
    std::size_t alight = c.alightPosition;
    for (const PathNode* b = c.node; b != nullptr;) {
        path.legs.push_back(PathLeg{b->tt, b->trip, b->tripDay, b->position, alight, b->walk});
        const PathNode* a = b->parent;
        if (a->kind == PathNode::kOrigin) {
            path.fromIndex = a->position;
            break;
        }
        alight = a->position;
        b = a->parent;
    }
    std::reverse(path.legs.begin(), path.legs.end());
    return path;
}

// Path nodes are shared and never changed: a tidied path gets nodes of its own.
void Searcher::setPath(Candidate& c, const CandidatePath& path) {
    const cZastavkaZadani& from = work_.from.at(path.fromIndex);
    PathNode* origin = nodes_.make();
    *origin = PathNode{nullptr,
                       0,
                       0,
                       0,
                       static_cast<std::uint16_t>(path.fromIndex),
                       from.stop,
                       static_cast<std::uint8_t>(from.timetable),
                       PathNode::kOrigin,
                       from.walkMinutes};
    const PathNode* parent = origin;
    PathRules& r = rules();
    for (std::size_t i = 0; i < path.legs.size(); ++i) {
        const PathLeg& leg = path.legs[i];
        PathNode* board = nodes_.make();
        *board = PathNode{parent,
                          r.departure(leg, leg.board),
                          leg.tripDay,
                          leg.trip,
                          static_cast<std::uint16_t>(leg.board),
                          stopOf(leg.tt, leg.trip, leg.board),
                          static_cast<std::uint8_t>(leg.tt),
                          PathNode::kBoard,
                          leg.walkBefore};
        parent = board;
        if (i + 1 < path.legs.size()) {
            PathNode* alight = nodes_.make();
            *alight = PathNode{board,
                               r.arrival(leg, leg.alight),
                               leg.tripDay,
                               leg.trip,
                               static_cast<std::uint16_t>(leg.alight),
                               stopOf(leg.tt, leg.trip, leg.alight),
                               static_cast<std::uint8_t>(leg.tt),
                               PathNode::kAlight,
                               0};
            parent = alight;
        }
    }
    c.node = parent;
    c.alightPosition = static_cast<std::uint16_t>(path.legs.back().alight);
    c.toIndex = static_cast<std::int32_t>(path.toIndex);
}

// Tidies the candidate's path and computes its values again; false when the path shows that
// the journey should not be offered at all.
bool Searcher::tidy(Candidate& c) {
    PathRules& r = rules();
    CandidatePath path = pathOf(c);
    bool moved = r.tidyFirstBoarding(path);
    moved = r.tidyLastAlighting(path) || moved;
    moved = r.preferNamedTransfers(path, c.l) || moved;
    if (r.walksFurtherThanNeeded(path)) {
        return false;
    }
    if (!moved) {
        return true;
    }
    setPath(c, path);
    c.start = r.departure(path.legs.front(), path.legs.front().board) -
              work_.from.at(path.fromIndex).walkMinutes;
    c.arrival = r.arrival(path.legs.back(), path.legs.back().alight) +
                work_.to.at(path.toIndex).walkMinutes;
    c.o = c.arrival - c.start;
    c.rank = rankOf(c.o, c.g, c.h, c.l, c.m);
    c.cls = classOf(c.o);
    return true;
}

// A trip that may not be ridden within one stop group cannot be left before it has left
// the group it was boarded in.
bool Searcher::mayLeave(const Label& l, const StopEntry& e) {
    if (!trips(e.tt).trip(e.trip).noRideWithinGroup() || l.node == nullptr ||
        l.node->kind != PathNode::kBoard) {
        return true;
    }
    return rules().rideAllowed(e.tt, e.trip, l.node->position, e.position);
}

// Whether a label on a trip at a position (waiting to board there, or riding) could not yet
// leave it there because the trip may not be ridden within the group it was boarded in.
bool Searcher::lockedOnTrip(const Label& l, std::size_t tt, std::uint32_t trip,
                            std::size_t position) {
    if (!trips(tt).trip(trip).noRideWithinGroup()) {
        return false;
    }
    const bool riding =
        (l.flags & kFlagWaiting) == 0 && l.node != nullptr && l.node->kind == PathNode::kBoard;
    return !rules().rideAllowed(tt, trip, riding ? l.node->position : position, position);
}

bool Searcher::sameTrips(const Candidate& a, const Candidate& b) {
    if (a.trips.size() != b.trips.size()) {
        return false;
    }
    if (!identity_) {
        identity_.emplace(combination_);
    }
    for (std::size_t i = 0; i < a.trips.size(); ++i) {
        const RiddenTrip& x = a.trips[i];
        const RiddenTrip& y = b.trips[i];
        if (x.tripDay != y.tripDay || !identity_->same(x.tt, x.trip, y.tt, y.trip)) {
            return false;
        }
    }
    return true;
}

}  // namespace trasovnik::searchrun
