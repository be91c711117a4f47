#pragma once
// Reads a feed folder into a Feed. Every fault is a FeedError naming the file and the line:
// a missing required file or column, an unknown id, a malformed value, stop_sequence not
// increasing within a trip, times that go backwards, a trip whose first or last stop has no
// times. Stops between them without times get times evenly between their neighbours.

#include <string>

#include "tools/gtfs2jz/Feed.h"

namespace gtfs2jz {

Feed loadFeed(const std::string& folder);

}  // namespace gtfs2jz
