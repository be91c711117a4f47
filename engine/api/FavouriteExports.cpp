// The favourites and history of a set's timetables.
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/api/PlaceRecord.h"
#include "engine/data/TimetableCombination.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {

constexpr std::size_t kFavouriteSlots = 20;

PlaceRecord placeArgument(const TrasaPlace* place) {
    const BoundaryPlace& p = out(place);
    if (p.count > 0 && p.items == nullptr) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return recordOf(p);
}

}  // namespace

extern "C" {

int32_t api_FavouriteGet(int32_t setIndex, TrasaPlace* places, int32_t* count) {
    return guarded([&] {
        auto& outCount = out(count);
        if (places == nullptr) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
        const std::vector<IndexTripleVector> list = combinationOf(setIndex).getFavourites();
        const std::size_t n = list.size() < kFavouriteSlots ? list.size() : kFavouriteSlots;
        for (std::size_t i = 0; i < n; ++i) {
            assignPlace(places[i], list[i]);
        }
        outCount = static_cast<int32_t>(n);
    });
}

int32_t api_FavouriteAdd(int32_t setIndex, const TrasaPlace* place, int32_t* result) {
    return guarded([&] {
        auto& outResult = out(result);
        outResult = combinationOf(setIndex).addFavourite(placeArgument(place));
    });
}

int32_t api_FavouriteDelete(int32_t setIndex, const TrasaPlace* place, int32_t* result) {
    return guarded([&] {
        auto& outResult = out(result);
        outResult = combinationOf(setIndex).deleteFavourite(placeArgument(place));
    });
}

int32_t api_HistoryAdd(int32_t setIndex, const TrasaPlace* place, int32_t* result) {
    return guarded([&] {
        auto& outResult = out(result);
        outResult = combinationOf(setIndex).addHistory(placeArgument(place));
    });
}

int32_t api_HistoryIncIdSearch(int32_t setIndex) {
    return guarded([&] { combinationOf(setIndex).incHistorySearchId(); });
}

}  // extern "C"
