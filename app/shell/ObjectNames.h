#pragma once
// What the object text box asks of the active tab's timetable set: the two name searches, the
// names of elements and kinds, the favourites and the category filter in force. The engine's
// implementation is EngineObjectNames; tests may give their own.

#include "engine/api/trasovnik.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

// The number of suggestion slots the engine fills, and of favourites.
inline constexpr int kSuggestionSlots = 100;
inline constexpr int kFavouriteSlots = 20;

// Counts of a search: all candidates, then how many of the first come from the history and
// how many after them from the favourites.
struct SuggestionCounts {
    std::int32_t total = 0;
    std::int32_t history = 0;
    std::int32_t favourites = 0;
};

// The typed state of the keypad search, updated by the engine on each key.
struct T9State {
    std::int32_t code = 0;
    char digits[30] = {};
    char text[30] = {};
    std::int32_t typedLength = 0;
};

class ObjectNames {
public:
    virtual ~ObjectNames() = default;
    // The searches fill kSuggestionSlots places; they return the engine's status (negative:
    // failure).
    virtual std::int32_t searchText(std::int32_t timetable, std::string_view folded,
                                    std::int32_t category, TrasaPlace* slots,
                                    SuggestionCounts& counts) = 0;
    virtual std::int32_t searchKey(std::int32_t timetable, std::int32_t key, std::int32_t letter,
                                   bool isLetter, T9State& state, std::int32_t category,
                                   TrasaPlace* slots, SuggestionCounts& counts) = 0;
    virtual std::u16string elementName(const TrasaTriple& triple) = 0;
    virtual std::u16string kindName(const TrasaTriple& triple) = 0;
    // Fills up to kFavouriteSlots places; returns how many.
    virtual std::int32_t favouriteGet(TrasaPlace* places) = 0;
    // The engine's results: 0 added / removed; anything else refused (and reported).
    virtual std::int32_t favouriteAdd(const TrasaPlace& place) = 0;
    virtual std::int32_t favouriteDelete(const TrasaPlace& place) = 0;
    // The category filter's selected item − 1 (-1: no restriction).
    virtual std::int32_t categoryFilter() = 0;
};

}  // namespace pelorvant
