#pragma once
// The values of a feed's fields: times "H:MM:SS" (hours may pass 24), dates "YYYYMMDD",
// integers and decimals. Each returns false for a malformed field so that the caller can name
// the file and line.

#include <string>
#include <string_view>

namespace gtfs2jz {

// Whole minutes after midnight of the service day (seconds are dropped).
bool parseFeedTime(std::string_view text, int& minutes);
// Days since 1 January 1970.
bool parseFeedDate(std::string_view text, int& day);
bool parseFeedInt(std::string_view text, long long& value);
bool parseFeedDouble(std::string_view text, double& value);

// "YYYY-MM-DD" of a day since 1 January 1970.
std::string isoDate(int day);
// "D. M. YYYY" of a day since 1 January 1970.
std::string czechDate(int day);
// The weekday of a day since 1 January 1970, 0 for Monday.
int weekdayOf(int day);
// The year of a day since 1 January 1970.
int yearOf(int day);

}  // namespace gtfs2jz
