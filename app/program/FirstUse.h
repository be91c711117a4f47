#pragma once
// The first use: a data folder without any timetable file gets the bundled sample timetable,
// so that a new user sees a working program at once.
#include <filesystem>
#include <string>

namespace pelorvant {

inline constexpr const char* kSampleTimetableName = "sample.jz";

// Where the bundled sample lies: beside the program, or in the data folder of the build.
std::filesystem::path bundledSamplePath(const std::filesystem::path& programFolder);

enum class SampleInstall {
    NotNeeded,  // the folder holds a timetable, or no sample is bundled
    Installed,
    Failed,  // the copy could not be made (a full disk, a folder that takes no file)
};

// Copies the sample into the data folder (made when missing) when the folder holds no
// timetable file: ".jz" files that are empty or do not start with the timetable magic number
// (an interrupted copy, a saved error page) do not count. A failed copy leaves the folder as
// it was.
SampleInstall installSampleTimetable(const std::filesystem::path& dataFolder,
                                     const std::filesystem::path& sample);

// What the user is told when the sample could not be copied into the folder.
std::u16string sampleNotCopiedText(const std::filesystem::path& dataFolder);

}  // namespace pelorvant
