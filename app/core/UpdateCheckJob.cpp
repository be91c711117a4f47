#include "app/core/UpdateCheckJob.h"

#include "app/core/DownloadCodes.h"

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

std::int64_t fetchReplacing(const UpdateCheckJob& job, const std::string& address, const char* fileName,
                            DownloadServices& services, TransferReporter& reporter) {
    const fs::path target = job.dataFolder / fileName;
    const DownloadRequest request{address, fs::path(target).concat(".part"), job.dataFolder, job.transfer};
    const DownloadResult result = downloadToFile(request, services, reporter);
    if (result.code < 0) {
        return result.code;
    }
    std::error_code ec;
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
    codes.updateInfo = fetchReplacing(job, job.updateInfoAddress, kUpdateInfoFileName, services, reporter);
    if (codes.updateInfo >= 0) {
        codes.programVersion =
            fetchReplacing(job, job.programVersionAddress, kProgramVersionFileName, services, reporter);
    }
    reporter.updateCheckDone(codes.updateInfo, codes.programVersion);
    return codes;
}

}  // namespace pelorvant
