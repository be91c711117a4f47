#include "app/program/FirstUse.h"

#include <system_error>

namespace pelorvant {

namespace fs = std::filesystem;

fs::path bundledSamplePath(const fs::path& programFolder) {
    std::error_code ec;
    const fs::path beside = programFolder / kSampleTimetableName;
    if (fs::is_regular_file(beside, ec)) return beside;
    return programFolder.parent_path() / "data" / kSampleTimetableName;
}

bool installSampleTimetable(const fs::path& dataFolder, const fs::path& sample) {
    std::error_code ec;
    if (!fs::is_regular_file(sample, ec)) return false;
    fs::create_directories(dataFolder, ec);
    for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".jz") return false;
    }
    if (ec) return false;
    // Copied under a temporary name and renamed, so a half-written file is never taken for a
    // timetable.
    const fs::path target = dataFolder / kSampleTimetableName;
    const fs::path partial = dataFolder / (std::string(kSampleTimetableName) + ".part");
    fs::copy_file(sample, partial, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(partial, target, ec);
    if (ec) {
        fs::remove(partial, ec);
        return false;
    }
    return true;
}

}  // namespace pelorvant
