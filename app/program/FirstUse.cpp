#include "app/program/FirstUse.h"

#include "app/core/DownloadJob.h"
#include "app/core/ResText.h"
#include "app/core/TextConversion.h"

#include <system_error>

namespace pelorvant {

namespace fs = std::filesystem;

fs::path bundledSamplePath(const fs::path& programFolder) {
    std::error_code ec;
    const fs::path beside = programFolder / kSampleTimetableName;
    if (fs::is_regular_file(beside, ec)) return beside;
    return programFolder.parent_path() / "data" / kSampleTimetableName;
}

SampleInstall installSampleTimetable(const fs::path& dataFolder, const fs::path& sample) {
    std::error_code ec;
    if (!fs::is_regular_file(sample, ec))
        return SampleInstall::NotNeeded;
    fs::create_directories(dataFolder, ec);
    for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".jz" && startsWithTimetableMagic(it->path()))
            return SampleInstall::NotNeeded;
    }
    if (ec)
        return SampleInstall::Failed;
    // Copied under a temporary name and renamed, so a half-written file is never taken for a
    // timetable.
    const fs::path target = dataFolder / kSampleTimetableName;
    const fs::path partial = dataFolder / (std::string(kSampleTimetableName) + ".part");
    fs::copy_file(sample, partial, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(partial, target, ec);
    if (ec) {
        fs::remove(partial, ec);
        return SampleInstall::Failed;
    }
    return SampleInstall::Installed;
}

namespace {
constexpr std::uint32_t kTextSampleNotCopied = 12308;
}  // namespace

std::u16string sampleNotCopiedText(const fs::path& dataFolder) {
    return resStringWith(kTextSampleNotCopied, fromUtf8(dataFolder.string()));
}

}  // namespace pelorvant
