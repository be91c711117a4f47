#pragma once
// What the query page offers after a search that needs the user to choose: per query item its
// stop element with the elements of its directions, and the line candidates with their names;
// and how the page reacts to each status of the search. Copied out of the engine's result,
// whose counts are not trusted, so that the result can be released at once.
#include "app/screens/other/StopTimetableSearch.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pelorvant {

// The most choices read of one kind; far above a real network's.
inline constexpr std::int32_t kStMaxChoices = 4096;

struct QueryItemChoice {
    std::int32_t element = -1;
    std::vector<std::int32_t> directions;
};

struct LineChoice {
    std::int32_t lineGroup = -1;
    std::u16string name;
};

struct StopTimetableChoices {
    std::vector<QueryItemChoice> items;
    std::vector<LineChoice> lines;
};

// lineName gives a line group's name (the timetable data's getNadlinka).
StopTimetableChoices readStopTimetableChoices(const EngineApi& api, const StopTimetableAnswer& answer,
                                              const std::function<std::u16string(std::int32_t)>& lineName);

// The page's answer to a status: its message (0: none) and the choice boxes it shows.
struct StatusReaction {
    std::uint32_t text = 0;
    bool keepsChoices = false;  // -201 and -206 leave the previous choices as they were
    bool showsLines = false;
    bool showsFrom = false;
    bool showsDirection = false;
};
StatusReaction reactionToStatus(std::int32_t status);

}  // namespace pelorvant
