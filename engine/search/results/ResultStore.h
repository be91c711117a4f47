#pragma once
// cVysledkyHledani: the stored search results of one set, at most 20, the oldest dropped
// first. Ids start at 0 and grow by one with every stored result; they are never reused while
// the set lives, not even after the store is emptied.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/search/results/SearchResult.h"

namespace trasovnik {

class cSestava;

class cVysledkyHledani {
public:
    static constexpr std::size_t kMaxResults = 20;

    // The result with this id, null when it is not (or no longer) stored.
    cVysledekHledani* find(std::int32_t id);
    // The id of a stored result whose request equals `request` and whose run was not cut
    // short by a jump; -1 when none.
    std::int32_t findEqual(const cZadaniHledani& request) const;
    // Stores a result under the next id and returns the id; the oldest result goes when more
    // than 20 are stored.
    std::int32_t store(std::unique_ptr<cVysledekHledani> result, bool jumped);
    // Frees every stored result; the next id is kept.
    void clear();

    std::size_t size() const { return entries_.size(); }
    std::int32_t nextId() const { return nextId_; }

private:
    struct Entry {
        std::unique_ptr<cVysledekHledani> result;
        bool jumped = false;
        std::int32_t id = 0;
    };
    std::vector<Entry> entries_;  // in the order of storing
    std::int32_t nextId_ = 0;
};

// The set's result store, made empty on first use.
cVysledkyHledani& resultStoreOf(cSestava& set);

}  // namespace trasovnik
