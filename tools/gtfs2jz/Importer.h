#pragma once
// The whole import: a feed folder to the bytes of a timetable file, and those bytes to a file
// that appears only once it is complete.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/gtfs2jz/ImportOptions.h"

namespace gtfs2jz {

struct ImportResult {
    std::vector<std::uint8_t> file;
    std::string report;  // transliterations and notices, one per line
};

// A FeedError for a faulty feed or one beyond the file's limits (the compiler's refusals
// become FeedErrors too).
ImportResult importFeed(const std::string& folder, const ImportOptions& options);

// Writes `bytes` to `path` through a temporary file renamed at the end; a FeedError when that
// fails (and no file at `path` is left behind by this call).
void writeTimetableFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace gtfs2jz
