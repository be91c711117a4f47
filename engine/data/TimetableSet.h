#pragma once
// cSestava: a loaded timetable set, as one tab of the program holds it: the combination of
// its files, its search parameters, its search request and the store of its search results.

#include <cstdint>
#include <memory>

#include "engine/search/results/SearchParameters.h"

namespace trasovnik {

class cJizdniRadySestavy;
class cVysledkyHledani;
struct PendingSearch;

class cSestava {
public:
    // How the pending request is to be searched.
    static constexpr std::int32_t kRequestNew = 0;
    static constexpr std::int32_t kRequestLater = 1;
    static constexpr std::int32_t kRequestEarlier = -1;

    // A set over a combination (not owned: the set list keeps it while sets use it), with its
    // parameters refreshed from the files' defaults and no request or results yet.
    explicit cSestava(cJizdniRadySestavy& combination);
    ~cSestava();
    cSestava(const cSestava&) = delete;
    cSestava& operator=(const cSestava&) = delete;

    cJizdniRadySestavy& combination() const { return combination_; }
    cParametryHledani& parameters() { return parameters_; }
    const cParametryHledani& parameters() const { return parameters_; }

    std::int32_t requestMode = kRequestNew;
    // Kept for the search (pendingSearchOf, resultStoreOf): the pending request and the stored
    // results; empty until first used.
    std::unique_ptr<PendingSearch> request;
    std::unique_ptr<cVysledkyHledani> results;

private:
    cJizdniRadySestavy& combination_;
    cParametryHledani parameters_;
};

}  // namespace trasovnik
