#pragma once
// The update check: fetches the update information and then the program-version file into the
// data folder. Each goes to a temporary file that is renamed over the old one only when it
// arrived whole, is no larger than kUpdateInfoMaxBytes and reads as the file it should be (an
// INI text with its section "tt", or "setup" for the program version), so a failed check, an
// error page served as a success or an endless body keeps the last good information.
#include "app/core/DownloadReporter.h"
#include "app/core/DownloadToFile.h"

#include <filesystem>
#include <string>

namespace pelorvant {

inline constexpr const char* kUpdateInfoFileName = "akt.ini";
inline constexpr const char* kProgramVersionFileName = "app.ini";
// The update information lists a few hundred timetables; anything this long is no such file.
inline constexpr std::int64_t kUpdateInfoMaxBytes = 1024 * 1024;

struct UpdateCheckJob {
    std::string updateInfoAddress;
    std::string programVersionAddress;
    std::filesystem::path dataFolder;
    TransferSettings transfer;  // mayAsk false when the updater started the program
};

struct UpdateCheckCodes {
    std::int64_t updateInfo = -1;
    std::int64_t programVersion = -1;  // -1 when not tried
};

// Runs the check and reports its end through reporter.updateCheckDone.
UpdateCheckCodes runUpdateCheck(const UpdateCheckJob& job, DownloadServices& services, UpdateCheckReporter& reporter);

}  // namespace pelorvant
