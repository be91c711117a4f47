#pragma once
// The first use: a data folder without any timetable file gets the bundled sample timetable,
// so that a new user sees a working program at once.
#include <filesystem>

namespace pelorvant {

inline constexpr const char* kSampleTimetableName = "sample.jz";

// Where the bundled sample lies: beside the program, or in the data folder of the build.
std::filesystem::path bundledSamplePath(const std::filesystem::path& programFolder);

// Copies the sample into the data folder (made when missing) when the folder holds no ".jz"
// file; true when it copied. A missing sample or a failed copy leaves the folder as it was.
bool installSampleTimetable(const std::filesystem::path& dataFolder, const std::filesystem::path& sample);

}  // namespace pelorvant
