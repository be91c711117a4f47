#include "engine/search/results/ResultStore.h"

#include <utility>

#include "engine/data/TimetableSet.h"

namespace trasovnik {

cVysledekHledani* cVysledkyHledani::find(std::int32_t id) {
    for (Entry& e : entries_) {
        if (e.id == id) {
            return e.result.get();
        }
    }
    return nullptr;
}

std::int32_t cVysledkyHledani::findEqual(const cZadaniHledani& request) const {
    for (const Entry& e : entries_) {
        if (!e.jumped && e.result->request == request) {
            return e.id;
        }
    }
    return -1;
}

std::int32_t cVysledkyHledani::store(std::unique_ptr<cVysledekHledani> result, bool jumped) {
    entries_.push_back(Entry{std::move(result), jumped, nextId_});
    const std::int32_t id = nextId_++;
    if (entries_.size() > kMaxResults) {
        entries_.erase(entries_.begin());
    }
    return id;
}

void cVysledkyHledani::clear() {
    entries_.clear();
}

cVysledkyHledani& resultStoreOf(cSestava& set) {
    if (!set.results) {
        set.results = std::make_unique<cVysledkyHledani>();
    }
    return *set.results;
}

}  // namespace trasovnik
