#pragma once
// Walking links between the stops of a feed: from transfers.txt (min_transfer_time, or the
// walking time of the distance when it is not given; transfer_type 3 forbids the pair) and
// between stops within a walking radius (minutes from the distance at the file's walking
// pace). Stations named in transfers stand for all their platforms.

#include <cstdint>
#include <vector>

#include "tools/gtfs2jz/Feed.h"

namespace gtfs2jz {

struct WalkLink {
    std::uint32_t from = 0;  // indexes into Feed::stops
    std::uint32_t to = 0;
    int minutes = 0;
};

// Straight-line distance in metres.
double distanceMetres(double lat1, double lon1, double lat2, double lon2);
// Minutes to walk `metres` at `pace` minutes per kilometre, rounded up, at least 1.
int walkingMinutes(double metres, int pace);

struct WalkLinks {
    std::vector<WalkLink> links;  // ordered by (from, to), one per ordered pair
    // Links of the radius left out because the file holds at most `limit` links: the longest
    // go first, so that every kept radius link is at most `keptUpToMetres` long.
    std::size_t dropped = 0;
    double keptUpToMetres = 0;
};

// The walking links of the feed, at most `limit` of them. A FeedError when transfers.txt alone
// gives more than `limit`.
WalkLinks walkingLinks(const Feed& feed, double radiusMetres, int pace, std::size_t limit);

}  // namespace gtfs2jz
