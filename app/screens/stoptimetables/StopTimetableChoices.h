#pragma once
// What the query page offers after a search that needs the user to choose: per query item its
// stop element with the elements of its directions, and the line candidates with their names;
// and how the page reacts to each status of the search. Copied out of the engine's result,
// whose counts are not trusted, so that the result can be released at once.
#include "app/screens/stoptimetables/StopTimetableSearch.h"

#include <cstddef>
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

// What the timetable data names a line candidate by: its line group's name (often empty in
// city timetables, where one nameless group holds every line) and its line kind's name.
struct LineNames {
    std::u16string group;
    std::u16string kind;
};

struct LineChoice {
    std::int32_t lineGroup = -1;
    std::u16string name;   // the line group's name, the text the line box takes ("" for none)
    std::u16string label;  // the entry of the line choice (lineChoiceLabels)
};

struct StopTimetableChoices {
    std::vector<QueryItemChoice> items;
    std::vector<LineChoice> lines;
};

// lineNames gives a line candidate's names (the timetable data's getNadlinka and the name of
// the line kind it gives).
StopTimetableChoices readStopTimetableChoices(const EngineApi& api, const StopTimetableAnswer& answer,
                                              const std::function<LineNames(std::int32_t)>& lineNames);

// The entries of the line choice, one per candidate in order, each one the user can tell apart:
// the group's name; for a nameless group the line kind ("Bus", "Tram"); a name that more than
// one candidate would show gets the kind after a comma, and what still repeats is numbered
// " (1)", " (2)"… in candidate order. Never an empty entry.
std::vector<std::u16string> lineChoiceLabels(const std::vector<LineNames>& candidates);

// The page's answer to a status: its message (0: none) and the choice boxes it shows.
struct StatusReaction {
    std::uint32_t text = 0;
    bool keepsChoices = false;  // -201 and -206 leave the previous choices as they were
    bool showsLines = false;
    bool showsFrom = false;
    bool showsDirection = false;
};
StatusReaction reactionToStatus(std::int32_t status);

// A choice list shown by a status opens by itself when it holds more than this many entries.
inline constexpr std::size_t kStListOpensAbove = 3;

// The sides of the page in the order the user settles them.
enum class StSide { line = 0, from = 1, direction = 2, none = -1 };

// Entries of each side's choice as shown after a status (0 for a side that is not shown).
struct ShownChoiceCounts {
    std::size_t line = 0;
    std::size_t from = 0;
    std::size_t direction = 0;
};

// The one list that opens by itself after a status has shown its choices: the first shown side,
// in the order line, from, direction, that holds more than kStListOpensAbove entries (only one
// list can be open at a time; the next one opens once the user has chosen in the first).
StSide sideOpenedByItself(const ShownChoiceCounts& shown);

}  // namespace pelorvant
