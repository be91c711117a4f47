#pragma once
// The hint of the results list's active item: where the trip boards and alights (with the day
// when it is not the day searched for, and the trip's notes at those stops), the line, its ride
// time and distance, and the trip's notes. Shown longer when the trip has notes.
#include "app/core/EngineBinding.h"
#include "app/screens/search/ConnectionRow.h"

#include <string>

namespace pelorvant {

inline constexpr int kHintTimeWithNotes = 15000;
inline constexpr int kHintTimeWithoutNotes = 5000;

struct ItemHint {
    std::u16string text;  // label markup; empty: the item has no hint
    int displayTime = kHintTimeWithoutNotes;
};

// The hint of item `item` of a row; no text when the item is a walk or has no trip or stop.
// `searchDay` is the day number of the date searched for; `fontHeight` sizes the text.
ItemHint connectionItemHint(const EngineApi& api, std::int32_t set, std::int16_t searchDay,
                            const cConnectionRow& row, int item, int fontHeight);

}  // namespace pelorvant
