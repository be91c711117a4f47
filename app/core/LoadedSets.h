#pragma once
// The timetable sets that the tabs hold, as the main frame keeps them, for the few places that
// must act on every tab: a deleted timetable file may be part of a set loaded in another tab.
#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

class LoadedSets {
public:
    virtual ~LoadedSets() = default;
    // Every tab whose set holds one of the catalogue indexes gives its set back to the engine
    // and returns to the timetable-set choice (the active tab too); the returned list names the
    // sets dropped (their names as the tabs showed them), in tab order.
    virtual std::vector<std::u16string> dropSetsUsing(
        const std::vector<std::int32_t>& catalogueIndexes) = 0;
};

}  // namespace pelorvant
