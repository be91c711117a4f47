#include "tools/gtfs2jz/FeedLimits.h"

#include "tools/gtfs2jz/FeedError.h"

namespace gtfs2jz {

void requireWithin(std::size_t count, std::size_t limit, const std::string& what,
                   const std::string& why) {
    if (count > limit) {
        throw FeedError("the feed is too large for a timetable file: " + what + " " +
                        std::to_string(count) + " exceeds the limit of " + std::to_string(limit) +
                        " (" + why + ")");
    }
}

}  // namespace gtfs2jz
