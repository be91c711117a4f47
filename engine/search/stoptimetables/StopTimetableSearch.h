#pragma once
// The stop timetable of one line from one stop in one direction, for one day or the week of
// that day, over the line routes of a city timetable file; or the status and choices that say
// what is wrong or ambiguous in the query.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/search/stoptimetables/StopTimetableResult.h"

namespace trasovnik {

class cJizdniRad;

struct StQuery {
    std::string_view lineText;  // Windows-1250, used when lineIndex is -1
    std::int32_t lineIndex = -1;
    // Both values -1: no stop condition. Both occurrences -1: the values are elements of the
    // file's stops kind (-1 none). Otherwise single stop indexes, with the from occurrence.
    std::int32_t fromValue = -1;
    std::int32_t fromOccurrence = -1;
    std::int32_t toValue = -1;
    std::int32_t toOccurrence = -1;
    std::int32_t day = 0;
    bool week = false;
};

// Always a result; its status says what it holds. A file without line routes answers
// ST_NO_LINE.
std::unique_ptr<cStVysledek> stSearch(const cJizdniRad& file, const StQuery& query);

// Lines whose names hold every word of the text (at most three words, split at spaces and
// commas), best first; only the best one when it scores above all others.
std::vector<std::int32_t> stFindLinesByText(const cJizdniRad& file, std::string_view text);

}  // namespace trasovnik
