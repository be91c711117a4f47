#pragma once
// The found-connections state of one search run: every candidate met so far in the two orders
// the selection walks, the connections selected from them, and the bound past which no later
// candidate can join the selection.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/search/connections/RunCandidate.h"

namespace trasovnik::searchrun {

struct cStavHledani {
    std::vector<Candidate> candidates;  // in the order found; replaced ones stay in place
    std::vector<std::size_t> byRank;    // indexes into candidates, rank ascending
    std::vector<std::size_t> byStart;   // indexes into candidates, start descending
    std::vector<std::size_t> selected;  // indexes into candidates, in selection order
    std::int32_t bound = -1;            // worst arrival plus class of the selection; -1 when none
};

}  // namespace trasovnik::searchrun
