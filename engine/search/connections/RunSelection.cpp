// Acceptance and selection of a search run: whether a journey can still be offered against the
// candidates found, the offer of a journey that reaches a To stop, and the choice of the
// connections to show by the ranking rules.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>
#include <cstdlib>

#include "engine/search/connections/Ranking.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"

namespace trasovnik::searchrun {

bool Searcher::accepted(const Journey& j) const {
    if (j.g == 0 && j.m == 0) {
        return true;
    }
    if (j.m + j.h == 0) {
        return true;
    }
    const std::int64_t r10 = 10LL * j.rank;
    for (const std::size_t i : found_.byStart) {
        const Candidate& c = found_.candidates[i];
        if (c.start + c.cls < j.start) {
            break;
        }
        if (j.o >= c.o && j.h >= c.h && ((j.l >= c.l && j.m + 4 >= c.m) || 12LL * c.rank < r10) &&
            flagConditions(j, c)) {
            return false;
        }
    }
    return true;
}

std::int32_t Searcher::collectedWithinStandard() const {
    std::int32_t n = 0;
    for (const std::size_t i : found_.selected) {
        if (found_.candidates[i].start <= standardWindow_) {
            ++n;
        }
    }
    return n;
}

void Searcher::select() {
    found_.selected.clear();
    found_.bound = -1;
    std::int32_t latestStart = 0;
    for (const std::size_t pi : found_.byRank) {
        const Candidate& p = found_.candidates[pi];
        const Journey pj{p.start, p.o, p.g, p.h, p.l, p.m, p.rank, p.sc, p.bus};
        bool keep = true;
        int lastSame = 0, firstSame = 0;
        for (const std::size_t qi : found_.selected) {
            const Candidate& q = found_.candidates[qi];
            const bool near = std::abs(p.start - q.start) <= q.cls ||
                              std::abs(p.arrival - q.arrival) <= q.cls ||
                              (q.start >= p.start && q.arrival <= p.arrival);
            if (!near) {
                continue;
            }
            if (p.m + p.h != 0 && p.o >= q.o && p.h >= q.h &&
                ((p.l >= q.l && p.m + 4 >= q.m) || 12LL * q.rank < 10LL * p.rank) &&
                flagConditions(pj, q)) {
                keep = false;
                break;
            }
            // The slot rules compare journeys that both ride.
            if (!flagConditions(pj, q) || p.node == nullptr || q.node == nullptr) {
                continue;
            }
            const bool notBetter = p.o >= q.o && p.l >= q.l && p.h >= q.h;
            if (p.lastSlot == q.lastSlot) {
                if (lastSame >= 2 || notBetter) {
                    keep = false;
                    break;
                }
                ++lastSame;
            }
            if (p.firstSlot == q.firstSlot) {
                if (firstSame >= 2 || notBetter ||
                    (p.firstStops == q.firstStops && q.o * 10 < p.o * 11 + 40 && p.h >= q.h &&
                     q.l < p.l + 4 && p.m >= q.m / 2)) {
                    keep = false;
                    break;
                }
                ++firstSame;
            }
        }
        if (!keep) {
            continue;
        }
        if (static_cast<std::int32_t>(found_.selected.size()) < wanted_ ||
            (found_.bound >= 0 && p.arrival + p.cls <= found_.bound) || p.start <= latestStart) {
            found_.selected.push_back(pi);
            latestStart = std::max(latestStart, p.start);
            if (p.cls < kNoClass) {
                found_.bound = std::max(found_.bound, p.arrival + p.cls);
            }
        }
    }
}

void Searcher::offer(const Label& l, const StopEntry& e, std::int32_t time) {
    ++counters_.candidatesOffered;
    const std::size_t tt = e.tt;
    const std::uint32_t f = stopFlagsOf(tt, e.stop);
    if ((l.flags & kFlagVia) == 0 && (f & kStopVia) == 0) {
        return;
    }
    if (l.node == nullptr || l.node->kind != PathNode::kBoard) {
        return;
    }
    const std::int32_t toIndex = toIndex_[tt][e.stop];
    if (toIndex < 0) {
        return;
    }
    const cZastavkaZadani& to = work_.to[static_cast<std::size_t>(toIndex)];
    Candidate c;
    c.node = l.node;
    c.alightPosition = e.position;
    c.toIndex = toIndex;
    c.start = l.start;
    c.arrival = time + to.walkMinutes;
    c.o = c.arrival - c.start;
    c.g = l.transfers;
    c.h = l.penalty;
    c.l = l.shortfall;
    c.m = std::min(255, l.walking + to.walkMinutes);
    c.sc = (l.flags & kFlagSc) != 0;
    c.bus = (l.flags & kFlagBus) != 0;
    c.rank = rankOf(c.o, c.g, c.h, c.l, c.m);
    c.cls = classOf(c.o);
    const Journey j{c.start, c.o, c.g, c.h, c.l, c.m, c.rank, c.sc, c.bus};
    if (!accepted(j)) {
        return;
    }
    // The tidied journey must pass again with its final values.
    if (!tidy(c) || !accepted(Journey{c.start, c.o, c.g, c.h, c.l, c.m, c.rank, c.sc, c.bus})) {
        return;
    }
    if (!hasVia_ && rules().passesAStopTwice(pathOf(c))) {
        return;  // a via place may lie on the way out and back
    }
    // Leg signature, re-boarding and slots, last leg first.
    const PathNode* firstBoard = nullptr;
    for (const PathNode* b = c.node; b != nullptr && b->kind == PathNode::kBoard;) {
        c.trips.push_back(RiddenTrip{b->tt, b->trip, b->tripDay});
        firstBoard = b;
        const PathNode* a = b->parent;
        if (a == nullptr || a->kind != PathNode::kAlight) {
            break;
        }
        const PathNode* prev = a->parent;
        if (prev != nullptr && prev->tt == b->tt && prev->trip == b->trip &&
            prev->tripDay == b->tripDay && a->position == b->position) {
            return;  // left a trip and boarded it again where it was left
        }
        b = prev;
    }
    auto slotOf = [](const PathNode* b) {
        return (static_cast<std::uint64_t>(b->tt) << 56) ^
               (static_cast<std::uint64_t>(b->trip) << 24) ^
               (static_cast<std::uint64_t>(b->position) << 16) ^
               static_cast<std::uint64_t>(static_cast<std::uint16_t>(b->tripDay));
    };
    c.lastSlot = slotOf(c.node);
    c.firstSlot = slotOf(firstBoard);
    {
        // Stops ridden on the first leg: up to its alighting, or the end for a direct trip.
        std::int32_t alightPos = c.alightPosition;
        for (const PathNode* b = c.node; b != firstBoard;) {
            const PathNode* a = b->parent;
            alightPos = a->position;
            b = a->parent;
        }
        c.firstStops = alightPos - firstBoard->position;
    }
    admit(std::move(c));
}

void Searcher::admit(Candidate c) {
    // The same trips ridden by an earlier candidate: keep the better-ranked one.
    for (std::size_t i = 0; i < found_.candidates.size(); ++i) {
        Candidate& other = found_.candidates[i];
        if (!other.alive || other.g != c.g || !sameTrips(other, c)) {
            continue;
        }
        if (c.rank >= other.rank) {
            return;
        }
        other.alive = false;
        std::erase(found_.byRank, i);
        std::erase(found_.byStart, i);
    }
    ++counters_.candidatesAdmitted;
    const std::size_t index = found_.candidates.size();
    found_.candidates.push_back(std::move(c));
    const Candidate& added = found_.candidates.back();
    auto rankPos = std::upper_bound(
        found_.byRank.begin(), found_.byRank.end(), added.rank,
        [&](std::int32_t r, std::size_t i) { return r < found_.candidates[i].rank; });
    found_.byRank.insert(rankPos, index);
    auto startPos = std::upper_bound(
        found_.byStart.begin(), found_.byStart.end(), added.start,
        [&](std::int32_t s, std::size_t i) { return s > found_.candidates[i].start; });
    found_.byStart.insert(startPos, index);
    select();
    if (!firstFoundSent_ && collectedWithinStandard() >= 1) {
        firstFoundSent_ = true;
        platform::sendMessage(window_, platform::WM_ENGINE_FIRST_FOUND);
    }
    const std::int32_t sel = static_cast<std::int32_t>(found_.selected.size());
    sendProgress(std::min(sel, wanted_) * 100 / std::max(wanted_, 1));
}

}  // namespace trasovnik::searchrun
