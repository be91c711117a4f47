#include "app/core/DownloadJob.h"

#include "app/core/Cp1250.h"
#include "app/core/DownloadCodes.h"
#include "app/core/FileUtils.h"
#include "app/core/ServerNames.h"
#include "app/core/TextConversion.h"

#include <array>
#include <fstream>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

constexpr std::array<unsigned char, 4> kTimetableMagic = {0x27, 0xBC, 0x86, 0xAA};

// Where a downloaded timetable goes: over the installed file of that name, or new in the
// download folder. An installed path that does not carry the name is suspicious: the user
// hears of it and the file goes to the download folder instead.
fs::path targetFor(const DownloadJob& job, const std::u16string& name, DownloadJobReporter& reporter) {
    const fs::path fresh = job.downloadFolder / (toUtf8(name) + ".jz");
    const std::u16string wanted = lowerText(name);
    for (const auto& installed : job.installed) {
        if (lowerText(installed.title) != wanted) continue;
        if (lowerText(fromUtf8(installed.path.string())).find(wanted) == std::u16string::npos) {
            reporter.criticalError();
            return fresh;
        }
        return installed.path;
    }
    return fresh;
}

void removeQuietly(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

// Fetches one timetable and puts it in place; a negative code on failure, else its length.
std::int64_t fetchOne(const DownloadJob& job, const std::u16string& name, DownloadServices& services,
                      DownloadJobReporter& reporter) {
    if (!isSafeTimetableName(name) || job.serverFolder.empty()) {
        return kDownloadRefusedName;
    }
    const fs::path temp = job.downloadFolder / kTemporaryTimetableName;
    const DownloadRequest request{timetableAddress(job.serverFolder, name), temp, job.downloadFolder, job.transfer};
    const DownloadResult result = downloadToFile(request, services, reporter);
    if (result.code < 0) {
        return result.code;
    }
    // The size check needs the announced length; a file of unknown length is not installed.
    if (!result.lengthAnnounced || getFileSize(temp) != result.code || !startsWithTimetableMagic(temp)) {
        removeQuietly(temp);
        return kDownloadBadFile;
    }
    const fs::path target = targetFor(job, name, reporter);
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        removeQuietly(temp);
        return kDownloadWriteFailed;
    }
    return result.code;
}

}  // namespace

bool startsWithTimetableMagic(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 4> head{};
    if (!in.read(head.data(), head.size())) return false;
    for (std::size_t i = 0; i < head.size(); ++i) {
        if (static_cast<unsigned char>(head[i]) != kTimetableMagic[i]) return false;
    }
    return true;
}

std::int64_t runDownloadJob(const DownloadJob& job, DownloadServices& services, DownloadJobReporter& reporter) {
    std::int64_t code = kDownloadNothingChosen;
    std::u16string failed;
    std::error_code ec;
    fs::create_directories(job.downloadFolder, ec);
    for (std::size_t i = 0; i < job.names.size(); ++i) {
        code = fetchOne(job, job.names[i], services, reporter);
        if (code < 0) {
            failed = job.names[i];
            break;
        }
        if (i + 1 < job.names.size()) {
            reporter.nextFile(job.names[i + 1]);
        }
    }
    reporter.downloadDone(code, failed);
    return code;
}

}  // namespace pelorvant
