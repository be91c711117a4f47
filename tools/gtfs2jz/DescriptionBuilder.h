#pragma once
// Maps a loaded feed to the timetable compiler's input: a description (see tools/jzc/FORMAT.md)
// of everything but the trips, and the trips as a compact table, so that feeds of millions of
// stop times need no JSON value per stop time.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/gtfs2jz/Feed.h"
#include "tools/gtfs2jz/ImportOptions.h"
#include "tools/gtfs2jz/Transliteration.h"
#include "tools/jzwriter/TripLayout.h"

namespace gtfs2jz {

struct Description {
    nlohmann::json doc;
    jz::CompactTripTable trips;
    std::vector<std::string> notices;  // what the user should know (skipped rows and the like)
};

// A FeedError when the feed exceeds a limit of the file; the transliterator records every
// character it had to replace.
Description describeFeed(const Feed& feed, const ImportOptions& options, Transliterator& text);

}  // namespace gtfs2jz
