#pragma once
// The limits of the timetable file that a feed must fit, checked before anything is compiled
// so that a feed too large is refused with a message naming the limit, never written as a
// corrupt file. Limits that depend on how trips share routes and time patterns (route
// records, patterns, stop items) are checked by the compiler, which names them too.

#include <cstddef>
#include <string>

namespace gtfs2jz {

constexpr std::size_t kMaxStops = 0xFFFF;            // 16-bit stop indexes; 0xFFFF is "none"
constexpr std::size_t kMaxTrips = 0x40000;           // 18-bit trip indexes of the passages
constexpr std::size_t kMaxStopsPerTrip = 255;        // a trip's stop count is one byte
constexpr std::size_t kMaxPassagesPerStop = 0xFFFF;  // 16-bit slots in a stop's row
constexpr std::size_t kMaxLines = 0x8000;            // 15-bit line-name indexes
constexpr std::size_t kMaxLineKinds = 256;           // one-byte kind index
constexpr std::size_t kMaxCalendars = 0x10000;       // 16-bit calendar indexes
constexpr std::size_t kMaxWalkLinks = 0xFFFF;        // 16-bit first-link index of a stop

constexpr double kMaxDistanceStep = 4294967295.0;  // 32-bit distance overflow values
constexpr int kMaxTripMinutes = 0x7FFF;            // signed 16-bit minutes after the start

// A FeedError "<what>: <count> ... exceeds the limit of <limit> (<why>)" when count > limit.
void requireWithin(std::size_t count, std::size_t limit, const std::string& what,
                   const std::string& why);

}  // namespace gtfs2jz
