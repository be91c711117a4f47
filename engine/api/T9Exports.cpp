// T9 name matching: a keypad key or letter, or a whole typed text, against the places of a set.
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/api/PlaceRecord.h"
#include "engine/search/t9/T9Search.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {

void handOver(const std::vector<IndexTripleVector>& found, TrasaPlace* candidates) {
    for (std::size_t i = 0; i < kT9CandidateSlots; ++i) {
        assignPlace(candidates[i], found[i]);
    }
}

void writeCounts(const T9Counts& c, int32_t& total, int32_t& history, int32_t& favourites) {
    total = c.total;
    history = c.history;
    favourites = c.favourites;
}

}  // namespace

extern "C" {

int32_t api_T9ZmenText(int32_t setIndex, int32_t timetable, int32_t key, int32_t letter,
                       uint8_t isLetter, int32_t* code, char* digits, char* text,
                       int32_t* typedLength, int32_t categorySelector, TrasaPlace* candidates,
                       int32_t* total, int32_t* historyCount, int32_t* favouritesCount) {
    return guarded([&] {
        auto& outTotal = out(total);
        auto& outHistory = out(historyCount);
        auto& outFavourites = out(favouritesCount);
        auto& length = out(typedLength);
        if (candidates == nullptr || digits == nullptr || text == nullptr) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
        // Deleting the last key searches nothing and leaves the candidates as they are.
        const bool searches = key != -1 || length > 1;
        std::vector<IndexTripleVector> found(kT9CandidateSlots);
        const T9Counts counts =
            t9KeyPress(combinationOf(setIndex), T9Scope{timetable, categorySelector}, key, letter,
                       isLetter != 0,
                       T9TypedState{&out(code), reinterpret_cast<std::uint8_t*>(digits),
                                    reinterpret_cast<std::uint8_t*>(text), &length},
                       found);
        if (searches) {
            handOver(found, candidates);
        }
        writeCounts(counts, outTotal, outHistory, outFavourites);
    });
}

int32_t api_T9ZmenTextQwerty(int32_t setIndex, int32_t timetable, const char* text,
                             int32_t textLength, int32_t categorySelector, TrasaPlace* candidates,
                             int32_t* total, int32_t* historyCount, int32_t* favouritesCount) {
    return guarded([&] {
        auto& outTotal = out(total);
        auto& outHistory = out(historyCount);
        auto& outFavourites = out(favouritesCount);
        outTotal = 0;
        outHistory = 0;
        outFavourites = 0;
        if (candidates == nullptr) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
        const std::string_view typed = textArgument(text, textLength);
        std::vector<IndexTripleVector> found(kT9CandidateSlots);
        const T9Counts counts = t9TypedText(combinationOf(setIndex),
                                            T9Scope{timetable, categorySelector}, typed, found);
        handOver(found, candidates);
        writeCounts(counts, outTotal, outHistory, outFavourites);
    });
}

}  // extern "C"
