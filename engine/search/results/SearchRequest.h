#pragma once
// A connection-search request: the candidate stops of From, To and Via with the minutes needed
// to walk to them, the minute and day, whether they are the latest arrival or the earliest
// departure, and the largest number of transfers. Places given as category elements and GPS
// points are turned into candidate stops over all timetables of a set by resolvePlace.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/data/IndexTripleVector.h"
#include "engine/search/results/ResultRecords.h"

namespace trasovnik {

class cJizdniRadySestavy;
class cParametryHledani;
class cSestava;

struct cZadaniHledani {
    std::vector<cZastavkaZadani> from;
    std::vector<cZastavkaZadani> to;
    std::vector<cZastavkaZadani> via;
    std::int16_t minute = 0;   // 0..1439
    std::int16_t day = 0;      // day number
    std::uint8_t arrival = 0;  // 1: minute and day are the latest arrival
    std::uint8_t maxTransfers = 0;

    // Equal lists (same candidates in the same order) and equal minute, day, sense and
    // transfers.
    bool operator==(const cZadaniHledani& other) const;
};

bool operator==(const cZastavkaZadani& a, const cZastavkaZadani& b);

// Walking links longer than this do not make a candidate.
inline constexpr std::uint8_t kMaxCandidateWalk = 9;

// The candidate stops of one place over the timetables of `combination`: the stops near the
// point (when |latitude| > 0.1 and `allowPoint`), the stops of every triple's element with 0
// minutes, and the stops linked on foot to those (same timetable or another of the set) with
// links of at most 9 minutes. Every stop appears once with its smallest minutes, timetable by
// timetable, in stop order. A triple naming a timetable, kind or element outside the set
// raises ENGINE_EXC_INDEX.
std::vector<cZastavkaZadani> resolvePlace(const cJizdniRadySestavy& combination,
                                          const cParametryHledani& parameters,
                                          std::span<const IndexTriple> triples, double latitude,
                                          double longitude, bool allowPoint);

// What a set keeps for its next search: the pending request (none for a next or previous
// request, which take the request of the stored result) and the stored result id that a
// next or previous request continues from (-1 for a new request). The mode is the set's
// requestMode.
struct PendingSearch {
    std::unique_ptr<cZadaniHledani> request;
    std::int32_t resultId = -1;
};

// The set's pending search, made empty on first use.
PendingSearch& pendingSearchOf(cSestava& set);

// The request exports: a new request (mode 0, id -1), or the connections after (+1) or before
// (-1) a stored result. The new request is built completely before the old one is replaced.
void setNewRequest(cSestava& set, cZadaniHledani request);
void setLaterRequest(cSestava& set, std::int32_t resultId);
void setEarlierRequest(cSestava& set, std::int32_t resultId);

}  // namespace trasovnik
