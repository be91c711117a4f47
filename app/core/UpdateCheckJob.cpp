#include "app/core/UpdateCheckJob.h"

#include "app/core/DownloadCodes.h"
#include "app/core/IniText.h"

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

// True when the file reads as an INI text with pairs in that section.
bool holdsSection(const fs::path& file, std::string_view section) {
    IniText ini(file);
    ini.parseFile(0);
    return !ini.getSection(section).empty();
}

std::int64_t fetchReplacing(const UpdateCheckJob& job, const std::string& address,
                            const char* fileName, std::string_view section,
                            DownloadServices& services, TransferReporter& reporter) {
    const fs::path target = job.dataFolder / fileName;
    DownloadRequest request;
    request.url = address;
    request.target = fs::path(target).concat(".part");
    request.spaceFolder = job.dataFolder;
    request.transfer = job.transfer;
    request.maxBytes = kUpdateInfoMaxBytes;
    request.tooLargeCode = kDownloadBadUpdateInfo;
    const DownloadResult result = downloadToFile(request, services, reporter);
    if (result.code < 0) {
        return result.code;
    }
    std::error_code ec;
    if (!holdsSection(request.target, section)) {
        fs::remove(request.target, ec);
        return kDownloadBadUpdateInfo;
    }
    fs::rename(request.target, target, ec);
    if (ec) {
        fs::remove(request.target, ec);
        return kDownloadWriteFailed;
    }
    return result.code;
}

}  // namespace

UpdateCheckCodes runUpdateCheck(const UpdateCheckJob& job, DownloadServices& services, UpdateCheckReporter& reporter) {
    UpdateCheckCodes codes;
    std::error_code ec;
    fs::create_directories(job.dataFolder, ec);
    codes.updateInfo =
        fetchReplacing(job, job.updateInfoAddress, kUpdateInfoFileName, "tt", services, reporter);
    if (codes.updateInfo >= 0) {
        codes.programVersion = fetchReplacing(job, job.programVersionAddress,
                                              kProgramVersionFileName, "setup", services, reporter);
    }
    reporter.updateCheckDone(codes.updateInfo, codes.programVersion);
    return codes;
}

}  // namespace pelorvant
