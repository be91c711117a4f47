#include "app/core/DownloadJob.h"

#include "app/core/Cp1250.h"
#include "app/core/DownloadCodes.h"
#include "app/core/FileDigest.h"
#include "app/core/FileUtils.h"
#include "app/core/ServerNames.h"
#include "app/core/TextConversion.h"

#include <array>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

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

// Syncs a file, or a folder after a rename in it, so a power cut after the replacement never
// leaves an empty or half-written timetable in place of the old one.
bool syncPath(const fs::path& path, bool folder) {
    const int fd = ::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// The received file as its digest and the engine's reader see it: 0 sound, else a download
// code. The digest comes first: a flipped bit that the reader takes is still a damaged file.
std::int64_t checkReceived(const DownloadJob& job, const ChosenFile& file, const fs::path& temp,
                           std::int64_t length, bool announced, DownloadServices& services) {
    // The size check needs the announced length; a file of unknown length is not installed.
    if (!announced || getFileSize(temp) != length || !startsWithTimetableMagic(temp))
        return kDownloadBadFile;
    switch (verifyFileDigest(temp, file.sha256)) {
        case DigestVerdict::NoDigest:
        case DigestVerdict::Match:
            break;
        case DigestVerdict::Mismatch:
            return kDownloadDamaged;
        case DigestVerdict::Malformed:
            return kDownloadBadDigest;
        case DigestVerdict::Unreadable:
            return kDownloadWriteFailed;
    }
    if (!job.checkTimetable)
        return kDownloadDamaged;
    const std::int32_t status = job.checkTimetable(temp);
    if (services.cancel.load())
        return kDownloadCancelled;
    return status == 0 ? 0 : kDownloadDamaged;
}

// Fetches one timetable and puts it in place; a negative code on failure, else its length.
std::int64_t fetchOne(const DownloadJob& job, const ChosenFile& file, DownloadServices& services,
                      DownloadJobReporter& reporter) {
    const std::u16string& name = file.name;
    if (!isSafeTimetableName(name) || job.serverFolder.empty()) {
        return kDownloadRefusedName;
    }
    // A digest that cannot be read could never prove the file whole: nothing is fetched.
    if (!file.sha256.empty() && !parseSha256(file.sha256)) {
        return kDownloadBadDigest;
    }
    // Written beside its target: a rename never crosses file systems (a storage folder on
    // another disk), and the free space checked is that of the disk it goes to.
    const fs::path target = targetFor(job, name, reporter);
    const fs::path folder = target.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path temp = folder / kTemporaryTimetableName;
    DownloadRequest request;
    request.url = timetableAddress(job.serverFolder, name);
    request.target = temp;
    request.spaceFolder = folder;
    request.transfer = job.transfer;
    request.lengthRequired = true;
    const DownloadResult result = downloadToFile(request, services, reporter);
    if (result.code < 0) {
        return result.code;
    }
    const std::int64_t verdict =
        checkReceived(job, file, temp, result.code, result.lengthAnnounced, services);
    if (verdict < 0) {
        removeQuietly(temp);
        return verdict;
    }
    if (!syncPath(temp, false)) {
        removeQuietly(temp);
        return kDownloadWriteFailed;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        removeQuietly(temp);
        return kDownloadWriteFailed;
    }
    syncPath(folder, true);
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
    for (std::size_t i = 0; i < job.files.size(); ++i) {
        code = fetchOne(job, job.files[i], services, reporter);
        if (code < 0) {
            failed = job.files[i].name;
            break;
        }
        if (i + 1 < job.files.size()) {
            reporter.nextFile(job.files[i + 1].name);
        }
    }
    reporter.downloadDone(code, failed);
    return code;
}

}  // namespace pelorvant
