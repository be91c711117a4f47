#pragma once
// cJizdniRadySestavy: the timetable files of one combination that loaded sets use, in the
// order they were given, with what the set-wide operations need: the links between the files'
// stops, the merged category kinds, and the favourites and history of all the files together.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/data/CrossLinks.h"
#include "engine/data/IndexTripleVector.h"
#include "engine/data/MergedCategories.h"

namespace trasovnik {

class cJizdniRad;
struct LoadedTimetable;

class cJizdniRadySestavy : public TripleNameSource {
public:
    static constexpr std::size_t kMaxFavourites = 20;
    // Results of the set-level store operations.
    static constexpr int kFavouriteAdded = 0;
    static constexpr int kFavouritePresent = 2;
    static constexpr int kFavouriteDeleted = 0;
    static constexpr int kFavouriteNotFound = 1;
    static constexpr int kHistoryAdded = 0;
    static constexpr int kHistoryEmptyPlace = 2;

    // Builds the combination over loaded files (not owned; they must outlive it): the cross
    // links and merged categories, and, for a file whose favourites or history store is empty,
    // the entries kept for another file of the set (the first, in set order, that has any).
    explicit cJizdniRadySestavy(std::vector<LoadedTimetable*> files);
    cJizdniRadySestavy(const cJizdniRadySestavy&) = delete;
    cJizdniRadySestavy& operator=(const cJizdniRadySestavy&) = delete;

    std::size_t count() const { return files_.size(); }
    // ENGINE_EXC_INDEX for a file index outside the set, here and below.
    const cJizdniRad& timetable(std::size_t i) const;
    LoadedTimetable& loaded(std::size_t i) const;
    std::vector<const cJizdniRad*> timetables() const;
    std::size_t stopCount(std::size_t i) const;
    const CrossLinks& crossLinks(std::size_t i) const;
    const MergedCategories& mergedCategories() const { return merged_; }

    // Number of loaded sets that use the combination.
    std::uint32_t useCount() const { return useCount_; }
    void setUseCount(std::uint32_t n) { useCount_ = n; }

    // The element and kind names of a (file, kind, element) triple.
    std::string_view elementNameOf(const IndexTriple& t) const override;
    std::string_view kindNameOf(const IndexTriple& t) const override;

    // Joins `entry` into the first of `candidates` that names the same object (equal element
    // and kind names under collateCompare) in other files only: the triples it lacks are added
    // to it. True when joined; false when `entry` needs a candidate of its own.
    bool mergeEqualObject(std::span<IndexTripleVector> candidates,
                          const IndexTripleVector& entry) const;

    // The favourites of all files in one name order (the earlier file first on equal names),
    // an object kept by several files joined into one vector; at most 20.
    std::vector<IndexTripleVector> getFavourites() const;
    // Each triple of the place goes to the store of its own file, which is saved after it.
    // 0 when some store took the place, else the last store's answer (2 present, 3 full);
    // 2 for a place without triples.
    int addFavourite(const PlaceRecord& place);
    // 0 when some store removed the place, else 1.
    int deleteFavourite(const PlaceRecord& place);
    // 0 when the place has a triple, else 2.
    int addHistory(const PlaceRecord& place);
    // A new search: every file's history counts it.
    void incHistorySearchId();

private:
    struct File {
        LoadedTimetable* loaded = nullptr;
        CrossLinks links;
        std::size_t stopCount = 0;
    };

    void crossLoadStores();
    const File& file(std::size_t i) const;
    // The place's triple as its file's store keeps it (timetable 0), checked to name a file.
    IndexTripleVector storeTriple(const IndexTriple& t) const;

    std::vector<File> files_;
    MergedCategories merged_;
    std::uint32_t useCount_ = 0;
};

}  // namespace trasovnik
