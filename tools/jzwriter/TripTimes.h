#pragma once
// Times and dates as the trips and calendars of a description write them: times "HH:MM"
// (hours may pass 24 for trips after midnight) or whole minutes, dates "YYYY-MM-DD" turned
// into day numbers (days since 1 January 2004).

#include <string_view>

#include <nlohmann/json.hpp>

namespace jz {

// Minutes after midnight of the trip's day; a CompileError naming `where` when malformed.
int parseTripTime(const nlohmann::json& value, std::string_view where);
// The day number of a date; a CompileError naming `where` when malformed.
int parseCalendarDate(const nlohmann::json& value, std::string_view where);

}  // namespace jz
