// The favourites and history of a set: each file keeps its own stores; the set merges them for
// display and hands each triple of a place to the store of its own file.

#include <optional>

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"

namespace trasovnik {

bool cJizdniRadySestavy::mergeEqualObject(std::span<IndexTripleVector> candidates,
                                          const IndexTripleVector& entry) const {
    if (entry.count() == 0) {
        return false;
    }
    const IndexTriple& first = entry.at(0);
    const std::string_view element = elementNameOf(first);
    const std::string_view kind = kindNameOf(first);
    for (IndexTripleVector& c : candidates) {
        if (c.count() == 0) {
            continue;
        }
        bool sameFile = false;
        for (std::uint32_t i = 0; i < c.count() && !sameFile; ++i) {
            for (std::uint32_t j = 0; j < entry.count() && !sameFile; ++j) {
                sameFile = c.at(i).timetable == entry.at(j).timetable;
            }
        }
        if (sameFile || !c.firstElementNameEquals(element, *this) ||
            !c.firstCategoryNameEquals(kind, *this)) {
            continue;
        }
        for (std::uint32_t j = 0; j < entry.count(); ++j) {
            const IndexTriple& t = entry.at(j);
            if (!c.contains(t.timetable, t.kind, t.element)) {
                c.append(t.timetable, t.kind, t.element);
            }
        }
        return true;
    }
    return false;
}

std::vector<IndexTripleVector> cJizdniRadySestavy::getFavourites() const {
    std::vector<IndexTripleVector> out;
    std::vector<std::size_t> next(files_.size(), 0);
    for (;;) {
        // The next entry with the smallest element name over all stores; the earlier file
        // wins on equal names.
        std::optional<std::size_t> best;
        std::string_view bestName;
        for (std::size_t f = 0; f < files_.size(); ++f) {
            const cOblibene* store = files_[f].loaded->favourites.get();
            if (store == nullptr || next[f] >= store->count()) {
                continue;
            }
            const std::string_view name = store->elementName(next[f]);
            if (!best || collateCompare(name, bestName) < 0) {
                best = f;
                bestName = name;
            }
        }
        if (!best) {
            return out;
        }
        const std::size_t f = *best;
        const IndexTripleVector& stored = files_[f].loaded->favourites->entry(next[f]++);
        IndexTripleVector entry;
        for (std::uint32_t i = 0; i < stored.count(); ++i) {
            const IndexTriple& t = stored.at(i);
            entry.append(static_cast<std::int32_t>(f), t.kind, t.element);
        }
        if (mergeEqualObject(out, entry) || out.size() >= kMaxFavourites) {
            continue;
        }
        out.push_back(std::move(entry));
    }
}

IndexTripleVector cJizdniRadySestavy::storeTriple(const IndexTriple& t) const {
    if (t.timetable < 0 || static_cast<std::size_t>(t.timetable) >= files_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    IndexTripleVector v;
    v.append(0, t.kind, t.element);
    return v;
}

int cJizdniRadySestavy::addFavourite(const PlaceRecord& place) {
    const IndexTripleVector triples = IndexTripleVector::fromRecord(place);
    bool added = false;
    int last = kFavouritePresent;
    for (std::uint32_t i = 0; i < triples.count(); ++i) {
        const IndexTriple& t = triples.at(i);
        const IndexTripleVector one = storeTriple(t);
        cOblibene* store = files_[static_cast<std::size_t>(t.timetable)].loaded->favourites.get();
        if (store == nullptr) {
            continue;
        }
        last = store->add(one);
        store->save();
        added = added || last == cOblibene::kAdded;
    }
    return added ? kFavouriteAdded : last;
}

int cJizdniRadySestavy::deleteFavourite(const PlaceRecord& place) {
    const IndexTripleVector triples = IndexTripleVector::fromRecord(place);
    int result = kFavouriteNotFound;
    for (std::uint32_t i = 0; i < triples.count(); ++i) {
        const IndexTriple& t = triples.at(i);
        const IndexTripleVector one = storeTriple(t);
        cOblibene* store = files_[static_cast<std::size_t>(t.timetable)].loaded->favourites.get();
        if (store == nullptr) {
            continue;
        }
        if (store->remove(one)) {
            result = kFavouriteDeleted;
        }
        store->save();
    }
    return result;
}

int cJizdniRadySestavy::addHistory(const PlaceRecord& place) {
    const IndexTripleVector triples = IndexTripleVector::fromRecord(place);
    for (std::uint32_t i = 0; i < triples.count(); ++i) {
        const IndexTriple& t = triples.at(i);
        const IndexTripleVector one = storeTriple(t);
        cHistorie* store = files_[static_cast<std::size_t>(t.timetable)].loaded->history.get();
        if (store == nullptr) {
            continue;
        }
        store->add(one);
        store->save();
    }
    return triples.count() > 0 ? kHistoryAdded : kHistoryEmptyPlace;
}

void cJizdniRadySestavy::incHistorySearchId() {
    for (const File& f : files_) {
        if (f.loaded->history) {
            f.loaded->history->incHistorySearchId();
        }
    }
}

}  // namespace trasovnik
